// Single DES (FIPS 46-3), table driven, one block at a time.
#pragma once

#include <stdint.h>
#include <stddef.h>

namespace tlq {

class Des {
public:
    // key: 8 bytes as FIPS 46-3 numbers them (first byte = key bits 1-8).
    explicit Des(const uint8_t key[8]);
    void encrypt_block(uint8_t block[8]) const;
    void decrypt_block(uint8_t block[8]) const;
    // ECB over whole blocks, in place; size must be a multiple of 8.
    void encrypt_ecb(uint8_t* data, size_t size) const;
    void decrypt_ecb(uint8_t* data, size_t size) const;

private:
    uint64_t subkeys_[16];
};

}  // namespace tlq
