// Small helpers shared by the fuzz targets.
#pragma once

#include "byte_string.h"

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>

namespace fuzz {

// Texts never hold a zero byte; inputs that should become texts lose theirs.
inline tlq::Text text_without_zeros(const uint8_t* data, size_t size) {
    tlq::Text out;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] != 0) out.push_back(static_cast<char>(data[i]));
    }
    return out;
}

inline std::string str(const tlq::ByteString& s) { return std::string(s.data(), s.size()); }

// A broken invariant is a finding: report it and abort so libFuzzer keeps the input.
[[noreturn]] inline void fail(const char* what) {
    fprintf(stderr, "invariant broken: %s\n", what);
    abort();
}

inline void check(bool ok, const char* what) {
    if (!ok) fail(what);
}

}  // namespace fuzz
