// Sealed files: 4-byte little-endian length, payload, zero padding to whole
// 8-byte blocks, each block DES-ECB enciphered under a folded key text.
#pragma once

#include "byte_string.h"

namespace tlq {

// XOR-folds the key text (up to its first zero byte) into 8 bytes and
// reverses the bit order of each byte.
void fold_key(const char* key_text, uint8_t key[8]);

Bytes seal(const Bytes& payload, const char* key_text);
// Empty result for anything that is not a sealed file for this key.
Bytes unseal(const Bytes& sealed, const char* key_text);

}  // namespace tlq
