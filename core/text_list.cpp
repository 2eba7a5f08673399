#include "text_list.h"

#include <new>
#include <stdlib.h>

namespace tlq {

TextList::TextList(const TextList& other) {
    for (size_t i = 0; i < other.size_; ++i) push_back(other.items_[i]);
}

TextList& TextList::operator=(const TextList& other) {
    if (this != &other) {
        clear();
        for (size_t i = 0; i < other.size_; ++i) push_back(other.items_[i]);
    }
    return *this;
}

TextList::TextList(TextList&& other) noexcept
    : items_(other.items_), size_(other.size_), capacity_(other.capacity_) {
    other.items_ = nullptr;
    other.size_ = other.capacity_ = 0;
}

TextList& TextList::operator=(TextList&& other) noexcept {
    if (this != &other) {
        clear();
        free(items_);
        items_ = other.items_;
        size_ = other.size_;
        capacity_ = other.capacity_;
        other.items_ = nullptr;
        other.size_ = other.capacity_ = 0;
    }
    return *this;
}

TextList::~TextList() {
    clear();
    free(items_);
}

bool TextList::push_back(const Text& text) {
    // Copy first: text may be one of our own items, which growing moves.
    Text copy(text);
    if (size_ == capacity_) {
        size_t grown = capacity_ ? capacity_ * 2 : 4;
        // Texts are moved by hand: a fresh block, move-construct, destroy old.
        Text* fresh = static_cast<Text*>(malloc(grown * sizeof(Text)));
        if (!fresh) return false;
        for (size_t i = 0; i < size_; ++i) {
            new (&fresh[i]) Text(static_cast<Text&&>(items_[i]));
            items_[i].~Text();
        }
        free(items_);
        items_ = fresh;
        capacity_ = grown;
    }
    new (&items_[size_]) Text(static_cast<Text&&>(copy));
    ++size_;
    return true;
}

void TextList::clear() {
    for (size_t i = 0; i < size_; ++i) items_[i].~Text();
    size_ = 0;
}

}  // namespace tlq
