// Text and byte operations with the exact edge behaviour that script texts,
// temporary file names and messages depend on. Positions count bytes from 1.
#pragma once

#include "byte_string.h"

namespace tlq {

int32_t byte_length(const Text& text);
Text left_bytes(const Text& text, int32_t n);
Text mid_bytes(const Text& text, int32_t start, int32_t n);
// Scans by GBK characters so a match never starts on a trail byte; a lone
// lead byte at the very end is dropped. Case-insensitive folds ASCII letters.
Text replace_all(const Text& text, const Text& find, const Text& with, bool case_sensitive = true);
Text spaces(int32_t n);
// Full-width forms folded to ASCII, then read like atol with 32-bit wrap-around.
int32_t parse_int(const Text& text);
Text int_to_text(int32_t value);
Bytes text_to_bytes(const Text& text);
Text bytes_to_text(const Bytes& bytes);

// Every half-width space and every GBK ideographic space (A1 A1) removed,
// stepping over double-byte characters as units.
Text remove_all_spaces(const Text& text);

// Every non-overlapping occurrence of pattern replaced, left to right.
Bytes replace_bytes(const Bytes& input, const Bytes& pattern, const Bytes& replacement);

}  // namespace tlq
