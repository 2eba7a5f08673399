// Counted byte string used for every text and byte value in the system.
// Texts are GBK bytes; file contents and sealed data may hold zero bytes.
// Built on malloc/free instead of the standard string class so that the
// small launchers, which link this core statically, stay small.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace tlq {

class ByteString {
public:
    ByteString() noexcept = default;
    ByteString(const char* zero_terminated);  // NOLINT: texts convert implicitly
    ByteString(const void* data, size_t size);
    ByteString(const ByteString& other);
    ByteString(ByteString&& other) noexcept;
    ByteString& operator=(const ByteString& other);
    ByteString& operator=(ByteString&& other) noexcept;
    ~ByteString();

    // Always followed by a zero byte, so a text can go straight to a C API.
    const char* c_str() const { return data_ ? data_ : ""; }
    const char* data() const { return c_str(); }
    char* data() { return data_; }
    const unsigned char* bytes() const { return reinterpret_cast<const unsigned char*>(c_str()); }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    unsigned char operator[](size_t i) const { return bytes()[i]; }

    // Growth that fails for lack of memory leaves the string empty and
    // returns false; callers that care test the result.
    bool reserve(size_t capacity);
    bool resize(size_t size);  // new bytes are zero
    void clear();
    bool append(const void* data, size_t size);
    bool append(const ByteString& other) { return append(other.data_, other.size_); }
    bool push_back(char c) { return append(&c, 1); }

    ByteString substr(size_t pos, size_t count) const;
    bool starts_with(const ByteString& prefix) const;

    friend bool operator==(const ByteString& a, const ByteString& b);
    friend bool operator!=(const ByteString& a, const ByteString& b) { return !(a == b); }

private:
    char* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

ByteString operator+(const ByteString& a, const ByteString& b);

using Text = ByteString;   // never contains a zero byte
using Bytes = ByteString;  // may contain zero bytes

}  // namespace tlq
