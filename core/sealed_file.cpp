// Sealed files: [length LE32][payload][zero padding], DES-ECB under a key
// folded out of a key text.
#include "sealed_file.h"

#include <string.h>

#include "des.h"

namespace tlq {
namespace {

constexpr size_t kBlock = 8;
constexpr size_t kHeader = 4;

uint8_t reverse_bits(uint8_t b) {
    b = uint8_t((b & 0xf0) >> 4 | (b & 0x0f) << 4);
    b = uint8_t((b & 0xcc) >> 2 | (b & 0x33) << 2);
    b = uint8_t((b & 0xaa) >> 1 | (b & 0x55) << 1);
    return b;
}

Des cipher_for(const char* key_text) {
    uint8_t key[8];
    fold_key(key_text, key);
    return Des(key);
}

}  // namespace

void fold_key(const char* key_text, uint8_t key[8]) {
    memset(key, 0, 8);
    if (key_text) {
        for (size_t i = 0; key_text[i] != 0; ++i) key[i % 8] ^= uint8_t(key_text[i]);
    }
    for (int i = 0; i < 8; ++i) key[i] = reverse_bits(key[i]);
}

Bytes seal(const Bytes& payload, const char* key_text) {
    const uint64_t length = payload.size();
    // The header holds a signed 32-bit length: larger payloads cannot be sealed.
    if (length == 0 || length > 0x7fffffffu) return Bytes();
    const size_t image_size = size_t((length + kHeader + kBlock - 1) / kBlock * kBlock);

    // Header, payload and zero padding, written once each.
    const uint8_t header[kHeader] = {uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16),
                                     uint8_t(length >> 24)};
    const uint8_t zeros[kBlock] = {};
    Bytes image;
    if (!image.reserve(image_size) || !image.append(header, kHeader) || !image.append(payload) ||
        !image.append(zeros, image_size - kHeader - size_t(length))) {
        return Bytes();
    }
    uint8_t* p = reinterpret_cast<uint8_t*>(image.data());
    cipher_for(key_text).encrypt_ecb(p, image_size);
    return image;
}

Bytes unseal(const Bytes& sealed, const char* key_text) {
    const size_t image_size = sealed.size();
    if (image_size == 0 || image_size % kBlock != 0) return Bytes();
    const Des des = cipher_for(key_text);

    // The first block alone decides whether the input is a sealed file.
    uint8_t first[kBlock];
    memcpy(first, sealed.data(), kBlock);
    des.decrypt_block(first);
    const int32_t stored = int32_t(uint32_t(first[0]) | uint32_t(first[1]) << 8 |
                                   uint32_t(first[2]) << 16 | uint32_t(first[3]) << 24);
    // In 64 bits, so neither a length near 2^31 nor a huge input overflows.
    const int64_t length = stored;
    const int64_t size = int64_t(image_size);
    if (length <= 0 || length > size - int64_t(kHeader) || size >= length + 12) return Bytes();

    Bytes image(sealed.data(), image_size);
    if (image.size() != image_size) return Bytes();
    uint8_t* p = reinterpret_cast<uint8_t*>(image.data());
    des.decrypt_ecb(p + kBlock, image_size - kBlock);
    memcpy(p, first, kBlock);
    memmove(p, p + kHeader, size_t(length));
    image.resize(size_t(length));
    return image;
}

}  // namespace tlq
