#include "byte_string.h"

#include <stdlib.h>
#include <string.h>

namespace tlq {

ByteString::ByteString(const char* zero_terminated) {
    if (zero_terminated) append(zero_terminated, strlen(zero_terminated));
}

ByteString::ByteString(const void* data, size_t size) { append(data, size); }

ByteString::ByteString(const ByteString& other) { append(other.data_, other.size_); }

ByteString::ByteString(ByteString&& other) noexcept
    : data_(other.data_), size_(other.size_), capacity_(other.capacity_) {
    other.data_ = nullptr;
    other.size_ = other.capacity_ = 0;
}

ByteString& ByteString::operator=(const ByteString& other) {
    if (this != &other) {
        clear();
        append(other.data_, other.size_);
    }
    return *this;
}

ByteString& ByteString::operator=(ByteString&& other) noexcept {
    if (this != &other) {
        free(data_);
        data_ = other.data_;
        size_ = other.size_;
        capacity_ = other.capacity_;
        other.data_ = nullptr;
        other.size_ = other.capacity_ = 0;
    }
    return *this;
}

ByteString::~ByteString() { free(data_); }

bool ByteString::reserve(size_t capacity) {
    if (capacity <= capacity_) return true;
    if (capacity == static_cast<size_t>(-1)) {
        clear();
        return false;
    }
    size_t grown = capacity_ + capacity_ / 2;
    if (grown < capacity) grown = capacity;
    // One extra byte keeps the contents zero-terminated.
    char* fresh = static_cast<char*>(realloc(data_, grown + 1));
    if (!fresh && grown != capacity) {
        grown = capacity;
        fresh = static_cast<char*>(realloc(data_, grown + 1));
    }
    if (!fresh) {
        free(data_);
        data_ = nullptr;
        size_ = capacity_ = 0;
        return false;
    }
    data_ = fresh;
    capacity_ = grown;
    return true;
}

bool ByteString::resize(size_t size) {
    if (size > size_) {
        if (!reserve(size)) return false;
        memset(data_ + size_, 0, size - size_);
    }
    size_ = size;
    if (data_) data_[size_] = 0;
    return true;
}

void ByteString::clear() {
    size_ = 0;
    if (data_) data_[0] = 0;
}

bool ByteString::append(const void* data, size_t size) {
    if (size == 0) return true;
    if (size > static_cast<size_t>(-1) - size_ - 1) return false;
    // data may point into this string: remember its offset across realloc.
    const char* source = static_cast<const char*>(data);
    bool inside = data_ && source >= data_ && source < data_ + capacity_ + 1;
    size_t offset = inside ? static_cast<size_t>(source - data_) : 0;
    if (!reserve(size_ + size)) return false;
    if (inside) source = data_ + offset;
    memmove(data_ + size_, source, size);
    size_ += size;
    data_[size_] = 0;
    return true;
}

ByteString ByteString::substr(size_t pos, size_t count) const {
    if (pos >= size_) return ByteString();
    if (count > size_ - pos) count = size_ - pos;
    return ByteString(data_ + pos, count);
}

bool ByteString::starts_with(const ByteString& prefix) const {
    return prefix.size_ <= size_ && memcmp(c_str(), prefix.c_str(), prefix.size_) == 0;
}

bool operator==(const ByteString& a, const ByteString& b) {
    return a.size_ == b.size_ && memcmp(a.c_str(), b.c_str(), a.size_) == 0;
}

ByteString operator+(const ByteString& a, const ByteString& b) {
    ByteString joined;
    if (joined.reserve(a.size() + b.size())) {
        joined.append(a);
        joined.append(b);
    }
    return joined;
}

}  // namespace tlq
