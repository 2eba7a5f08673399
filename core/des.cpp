// Single DES, table driven. The eight S-boxes and the P permutation are
// merged into eight 64-entry tables built at compile time from the
// standard's tables, the initial and final permutations are done with
// masked bit swaps, and both halves are kept rotated left by one bit so
// that the expansion E reduces to two word rotations.
#include "des.h"

namespace tlq {
namespace {

// The standard's tables, bits numbered from 1 (most significant first).
constexpr uint8_t kPc1[56] = {
    57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18, 10, 2,  59, 51, 43,
    35, 27, 19, 11, 3,  60, 52, 44, 36, 63, 55, 47, 39, 31, 23, 15, 7,  62, 54,
    46, 38, 30, 22, 14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};

constexpr uint8_t kPc2[48] = {
    14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10, 23, 19, 12, 4,
    26, 8,  16, 7,  27, 20, 13, 2,  41, 52, 31, 37, 47, 55, 30, 40,
    51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

constexpr uint8_t kShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

constexpr uint8_t kP[32] = {16, 7,  20, 21, 29, 12, 28, 17, 1,  15, 23,
                            26, 5,  18, 31, 10, 2,  8,  24, 14, 32, 27,
                            3,  9,  19, 13, 30, 6,  22, 11, 4,  25};

constexpr uint8_t kSbox[8][64] = {
    {14, 4,  13, 1, 2,  15, 11, 8,  3,  10, 6,  12, 5,  9,  0, 7,
     0,  15, 7,  4, 14, 2,  13, 1,  10, 6,  12, 11, 9,  5,  3, 8,
     4,  1,  14, 8, 13, 6,  2,  11, 15, 12, 9,  7,  3,  10, 5, 0,
     15, 12, 8,  2, 4,  9,  1,  7,  5,  11, 3,  14, 10, 0,  6, 13},
    {15, 1,  8,  14, 6,  11, 3,  4,  9,  7, 2,  13, 12, 0, 5,  10,
     3,  13, 4,  7,  15, 2,  8,  14, 12, 0, 1,  10, 6,  9, 11, 5,
     0,  14, 7,  11, 10, 4,  13, 1,  5,  8, 12, 6,  9,  3, 2,  15,
     13, 8,  10, 1,  3,  15, 4,  2,  11, 6, 7,  12, 0,  5, 14, 9},
    {10, 0,  9,  14, 6, 3,  15, 5,  1,  13, 12, 7,  11, 4,  2,  8,
     13, 7,  0,  9,  3, 4,  6,  10, 2,  8,  5,  14, 12, 11, 15, 1,
     13, 6,  4,  9,  8, 15, 3,  0,  11, 1,  2,  12, 5,  10, 14, 7,
     1,  10, 13, 0,  6, 9,  8,  7,  4,  15, 14, 3,  11, 5,  2,  12},
    {7,  13, 14, 3, 0,  6,  9,  10, 1,  2, 8, 5,  11, 12, 4,  15,
     13, 8,  11, 5, 6,  15, 0,  3,  4,  7, 2, 12, 1,  10, 14, 9,
     10, 6,  9,  0, 12, 11, 7,  13, 15, 1, 3, 14, 5,  2,  8,  4,
     3,  15, 0,  6, 10, 1,  13, 8,  9,  4, 5, 11, 12, 7,  2,  14},
    {2,  12, 4,  1,  7,  10, 11, 6,  8,  5,  3,  15, 13, 0, 14, 9,
     14, 11, 2,  12, 4,  7,  13, 1,  5,  0,  15, 10, 3,  9, 8,  6,
     4,  2,  1,  11, 10, 13, 7,  8,  15, 9,  12, 5,  6,  3, 0,  14,
     11, 8,  12, 7,  1,  14, 2,  13, 6,  15, 0,  9,  10, 4, 5,  3},
    {12, 1,  10, 15, 9, 2,  6,  8,  0,  13, 3,  4,  14, 7,  5,  11,
     10, 15, 4,  2,  7, 12, 9,  5,  6,  1,  13, 14, 0,  11, 3,  8,
     9,  14, 15, 5,  2, 8,  12, 3,  7,  0,  4,  10, 1,  13, 11, 6,
     4,  3,  2,  12, 9, 5,  15, 10, 11, 14, 1,  7,  6,  0,  8,  13},
    {4,  11, 2,  14, 15, 0, 8,  13, 3,  12, 9, 7,  5,  10, 6, 1,
     13, 0,  11, 7,  4,  9, 1,  10, 14, 3,  5, 12, 2,  15, 8, 6,
     1,  4,  11, 13, 12, 3, 7,  14, 10, 15, 6, 8,  0,  5,  9, 2,
     6,  11, 13, 8,  1,  4, 10, 7,  9,  5,  0, 15, 14, 2,  3, 12},
    {13, 2,  8,  4, 6,  15, 11, 1,  10, 9,  3,  14, 5,  0,  12, 7,
     1,  15, 13, 8, 10, 3,  7,  4,  12, 5,  6,  11, 0,  14, 9,  2,
     7,  11, 4,  1, 9,  12, 14, 2,  0,  6,  10, 13, 15, 3,  5,  8,
     2,  1,  14, 7, 4,  10, 8,  13, 15, 12, 9,  0,  3,  5,  6,  11}};

constexpr uint32_t rotl(uint32_t x, unsigned n) { return (x << n) | (x >> (32 - n)); }
constexpr uint32_t rotr(uint32_t x, unsigned n) { return (x >> n) | (x << (32 - n)); }

// sp[s][x]: S-box s applied to the 6-bit input x (first E bit most
// significant), placed in its nibble, permuted by P and rotated left by one
// to match the rotated halves.
struct SpTables {
    uint32_t sp[8][64];
};

constexpr SpTables make_sp_tables() {
    SpTables t{};
    for (int s = 0; s < 8; ++s) {
        for (int x = 0; x < 64; ++x) {
            int row = ((x >> 4) & 2) | (x & 1);
            int column = (x >> 1) & 15;
            uint32_t nibble = kSbox[s][row * 16 + column];
            uint32_t before_p = nibble << (28 - 4 * s);
            uint32_t after_p = 0;
            for (int i = 0; i < 32; ++i)
                if (before_p & (1u << (32 - kP[i]))) after_p |= 1u << (31 - i);
            t.sp[s][x] = rotl(after_p, 1);
        }
    }
    return t;
}

constexpr SpTables kSp = make_sp_tables();

inline uint32_t load_be32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

inline void store_be32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

// Exchanges the bits of a selected by mask << shift with the bits of b
// selected by mask.
inline void swap_bits(uint32_t& a, uint32_t& b, unsigned shift, uint32_t mask) {
    uint32_t swap = ((a >> shift) ^ b) & mask;
    b ^= swap;
    a ^= swap << shift;
}

// Initial permutation; leaves both halves rotated left by one.
inline void initial_permutation(uint32_t& left, uint32_t& right) {
    swap_bits(left, right, 4, 0x0f0f0f0fu);
    swap_bits(left, right, 16, 0x0000ffffu);
    swap_bits(right, left, 2, 0x33333333u);
    swap_bits(right, left, 8, 0x00ff00ffu);
    right = rotl(right, 1);
    uint32_t swap = (left ^ right) & 0xaaaaaaaau;
    left ^= swap;
    right ^= swap;
    left = rotl(left, 1);
}

// Inverse of initial_permutation, taking the rotated halves.
inline void final_permutation(uint32_t& left, uint32_t& right) {
    left = rotr(left, 1);
    uint32_t swap = (left ^ right) & 0xaaaaaaaau;
    left ^= swap;
    right ^= swap;
    right = rotr(right, 1);
    swap_bits(right, left, 8, 0x00ff00ffu);
    swap_bits(right, left, 2, 0x33333333u);
    swap_bits(left, right, 16, 0x0000ffffu);
    swap_bits(left, right, 4, 0x0f0f0f0fu);
}

// The round function f(R, K) on a rotated half. The subkey holds the
// S1/S3/S5/S7 inputs in its high word and S2/S4/S6/S8 in its low word, one
// 6-bit group per byte.
inline uint32_t feistel(uint32_t right, uint64_t subkey) {
    const uint32_t(&sp)[8][64] = kSp.sp;
    uint32_t s2468 = right ^ uint32_t(subkey);
    uint32_t s1357 = rotr(right, 4) ^ uint32_t(subkey >> 32);
    return sp[0][(s1357 >> 24) & 0x3f] ^ sp[2][(s1357 >> 16) & 0x3f] ^
           sp[4][(s1357 >> 8) & 0x3f] ^ sp[6][s1357 & 0x3f] ^
           sp[1][(s2468 >> 24) & 0x3f] ^ sp[3][(s2468 >> 16) & 0x3f] ^
           sp[5][(s2468 >> 8) & 0x3f] ^ sp[7][s2468 & 0x3f];
}

// k points at the first round's subkey; step +1 walks the schedule forward
// (encryption), -1 backward (decryption).
void crypt_one(uint8_t* block, const uint64_t* k, ptrdiff_t step) {
    uint32_t left = load_be32(block);
    uint32_t right = load_be32(block + 4);
    initial_permutation(left, right);
    for (int round = 0; round < 16; round += 2) {
        left ^= feistel(right, k[0]);
        right ^= feistel(left, k[step]);
        k += 2 * step;
    }
    // The output block is R16 L16.
    final_permutation(right, left);
    store_be32(block, right);
    store_be32(block + 4, left);
}

// Several independent blocks interleaved: one block's rounds form a single
// dependency chain that leaves most of the core idle. Four chains fill it
// and still fit the registers of x86-64 (eight spill and run slower).
constexpr int kInterleave = 4;

void crypt_group(uint8_t* blocks, const uint64_t* k, ptrdiff_t step) {
    constexpr int N = kInterleave;
    uint32_t left[N], right[N];
    for (int b = 0; b < N; ++b) {
        left[b] = load_be32(blocks + 8 * b);
        right[b] = load_be32(blocks + 8 * b + 4);
        initial_permutation(left[b], right[b]);
    }
    for (int round = 0; round < 16; round += 2) {
        for (int b = 0; b < N; ++b) left[b] ^= feistel(right[b], k[0]);
        for (int b = 0; b < N; ++b) right[b] ^= feistel(left[b], k[step]);
        k += 2 * step;
    }
    for (int b = 0; b < N; ++b) {
        final_permutation(right[b], left[b]);
        store_be32(blocks + 8 * b, right[b]);
        store_be32(blocks + 8 * b + 4, left[b]);
    }
}

void crypt_ecb(uint8_t* data, size_t size, const uint64_t* k, ptrdiff_t step) {
    constexpr size_t kGroup = 8 * kInterleave;
    for (size_t groups = size / kGroup; groups > 0; --groups, data += kGroup)
        crypt_group(data, k, step);
    for (size_t rest = size % kGroup; rest >= 8; rest -= 8, data += 8) crypt_one(data, k, step);
}

// Bit n (from 1, most significant first) of a 64-bit word.
inline uint64_t bit_of(uint64_t word, int n) { return (word >> (64 - n)) & 1; }

}  // namespace

Des::Des(const uint8_t key[8]) {
    uint64_t key_bits = 0;
    for (int i = 0; i < 8; ++i) key_bits = (key_bits << 8) | key[i];

    // C and D as 28-bit registers.
    uint32_t c = 0, d = 0;
    for (int i = 0; i < 28; ++i) {
        c = (c << 1) | uint32_t(bit_of(key_bits, kPc1[i]));
        d = (d << 1) | uint32_t(bit_of(key_bits, kPc1[28 + i]));
    }
    for (int round = 0; round < 16; ++round) {
        for (int s = 0; s < kShifts[round]; ++s) {
            c = ((c << 1) | (c >> 27)) & 0x0fffffffu;
            d = ((d << 1) | (d >> 27)) & 0x0fffffffu;
        }
        // CD as bits 1-56 of a 64-bit word, then PC-2.
        uint64_t cd = (uint64_t(c) << 36) | (uint64_t(d) << 8);
        uint64_t groups[8] = {};
        for (int i = 0; i < 48; ++i) groups[i / 6] = (groups[i / 6] << 1) | bit_of(cd, kPc2[i]);
        uint32_t s1357 =
            uint32_t((groups[0] << 24) | (groups[2] << 16) | (groups[4] << 8) | groups[6]);
        uint32_t s2468 =
            uint32_t((groups[1] << 24) | (groups[3] << 16) | (groups[5] << 8) | groups[7]);
        subkeys_[round] = (uint64_t(s1357) << 32) | s2468;
    }
}

void Des::encrypt_block(uint8_t block[8]) const { crypt_one(block, subkeys_, 1); }

void Des::decrypt_block(uint8_t block[8]) const { crypt_one(block, subkeys_ + 15, -1); }

void Des::encrypt_ecb(uint8_t* data, size_t size) const { crypt_ecb(data, size, subkeys_, 1); }

void Des::decrypt_ecb(uint8_t* data, size_t size) const {
    crypt_ecb(data, size, subkeys_ + 15, -1);
}

}  // namespace tlq
