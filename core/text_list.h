// A growable list of texts (command-line arguments).
#pragma once

#include "byte_string.h"

namespace tlq {

class TextList {
public:
    TextList() noexcept = default;
    TextList(const TextList& other);
    TextList& operator=(const TextList& other);
    TextList(TextList&& other) noexcept;
    TextList& operator=(TextList&& other) noexcept;
    ~TextList();

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const Text& operator[](size_t i) const { return items_[i]; }
    bool push_back(const Text& text);
    void clear();

private:
    Text* items_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

}  // namespace tlq
