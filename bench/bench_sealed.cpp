// Sealing and unsealing 64 MiB, against the same work done with OpenSSL's
// DES-ECB. The OpenSSL side does exactly the bookkeeping ours does (one
// allocation, header, payload copy, zero padding, key schedule; on reading a
// copy of the input, the length check and the shift of the payload), so the
// ratios compare the ciphers, not the wrappers. Both include the first-touch
// cost of a fresh 64 MiB buffer, which is large on this machine; the
// ecb_* figures show the bare ciphers on a buffer in place. Each figure is the best of several runs,
// ours and OpenSSL's alternating so both see the same machine load.
#define OPENSSL_SUPPRESS_DEPRECATED  // the low-level DES calls are the baseline
#include <openssl/des.h>

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "des.h"
#include "key_texts.h"
#include "sealed_file.h"

namespace {

constexpr size_t kPayloadSize = size_t(64) << 20;

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

template <typename Work>
double time_once(Work&& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return seconds_since(start);
}

void openssl_schedule(const char* key_text, DES_key_schedule& schedule) {
    uint8_t key[8];
    tlq::fold_key(key_text, key);
    DES_cblock cblock;
    memcpy(cblock, key, 8);
    DES_set_key_unchecked(&cblock, &schedule);
}

void openssl_ecb_in_place(uint8_t* data, size_t size, DES_key_schedule& schedule, int direction) {
    for (size_t i = 0; i < size; i += 8) {
        DES_ecb_encrypt(reinterpret_cast<DES_cblock*>(data + i), reinterpret_cast<DES_cblock*>(data + i),
                        &schedule, direction);
    }
}

tlq::Bytes openssl_seal(const tlq::Bytes& payload, const char* key_text) {
    size_t length = payload.size();
    size_t image_size = (length + 4 + 7) / 8 * 8;
    const uint8_t header[4] = {uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16),
                               uint8_t(length >> 24)};
    const uint8_t zeros[8] = {};
    tlq::Bytes image;
    if (!image.reserve(image_size) || !image.append(header, 4) || !image.append(payload) ||
        !image.append(zeros, image_size - 4 - length)) {
        return tlq::Bytes();
    }
    uint8_t* p = reinterpret_cast<uint8_t*>(image.data());
    DES_key_schedule schedule;
    openssl_schedule(key_text, schedule);
    openssl_ecb_in_place(p, image_size, schedule, DES_ENCRYPT);
    return image;
}

tlq::Bytes openssl_unseal(const tlq::Bytes& sealed, const char* key_text) {
    size_t image_size = sealed.size();
    if (image_size == 0 || image_size % 8 != 0) return tlq::Bytes();
    tlq::Bytes image(sealed.data(), image_size);
    uint8_t* p = reinterpret_cast<uint8_t*>(image.data());
    DES_key_schedule schedule;
    openssl_schedule(key_text, schedule);
    openssl_ecb_in_place(p, image_size, schedule, DES_DECRYPT);
    int64_t length = int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                             uint32_t(p[3]) << 24);
    int64_t size = int64_t(image_size);
    if (length <= 0 || length > size - 4 || size >= length + 12) return tlq::Bytes();
    memmove(p, p + 4, size_t(length));
    image.resize(size_t(length));
    return image;
}

void print_figure(const char* name, double value) { printf("%s: %.3f\n", name, value); }

}  // namespace

int main() {
    int runs = 3;
    if (const char* env = getenv("TLQ_BENCH_RUNS")) runs = std::max(1, atoi(env));

    tlq::Bytes payload;
    if (!payload.resize(kPayloadSize)) return 1;
    std::mt19937_64 random(64);
    for (size_t i = 0; i < kPayloadSize; i += 8) {
        uint64_t r = random();
        memcpy(payload.data() + i, &r, 8);
    }
    const char* key = tlq::kFileKey;

    // Both sides must produce the same bytes, or the figures mean nothing.
    tlq::Bytes sealed = tlq::seal(payload, key);
    if (sealed != openssl_seal(payload, key) || tlq::unseal(sealed, key) != payload ||
        openssl_unseal(sealed, key) != payload) {
        fprintf(stderr, "bench_sealed: results differ from OpenSSL\n");
        return 1;
    }

    uint8_t raw_key[8];
    tlq::fold_key(key, raw_key);
    tlq::Des des(raw_key);
    DES_key_schedule schedule;
    openssl_schedule(key, schedule);
    tlq::Bytes scratch = payload;
    uint8_t* buffer = reinterpret_cast<uint8_t*>(scratch.data());

    double best[8];
    std::fill(best, best + 8, 1e30);
    size_t checksum = 0;
    for (int run = 0; run < runs; ++run) {
        best[0] = std::min(best[0], time_once([&] { checksum += tlq::seal(payload, key).size(); }));
        best[1] = std::min(best[1], time_once([&] { checksum += openssl_seal(payload, key).size(); }));
        best[2] = std::min(best[2], time_once([&] { checksum += tlq::unseal(sealed, key).size(); }));
        best[3] = std::min(best[3], time_once([&] { checksum += openssl_unseal(sealed, key).size(); }));
        // The bare ciphers on a buffer in place, no wrapping work at all.
        best[4] = std::min(best[4], time_once([&] { des.encrypt_ecb(buffer, kPayloadSize); }));
        best[5] = std::min(best[5], time_once([&] {
                               openssl_ecb_in_place(buffer, kPayloadSize, schedule, DES_ENCRYPT);
                           }));
        best[6] = std::min(best[6], time_once([&] { des.decrypt_ecb(buffer, kPayloadSize); }));
        best[7] = std::min(best[7], time_once([&] {
                               openssl_ecb_in_place(buffer, kPayloadSize, schedule, DES_DECRYPT);
                           }));
    }
    if (checksum == 0) return 1;

    const double mb = double(kPayloadSize) / 1e6;
    print_figure("seal_vs_openssl", best[1] / best[0]);
    print_figure("unseal_vs_openssl", best[3] / best[2]);
    print_figure("ecb_encrypt_vs_openssl", best[5] / best[4]);
    print_figure("ecb_decrypt_vs_openssl", best[7] / best[6]);
    print_figure("seal_MBps", mb / best[0]);
    print_figure("openssl_seal_MBps", mb / best[1]);
    print_figure("unseal_MBps", mb / best[2]);
    print_figure("openssl_unseal_MBps", mb / best[3]);
    print_figure("ecb_encrypt_MBps", mb / best[4]);
    print_figure("openssl_ecb_encrypt_MBps", mb / best[5]);
    print_figure("ecb_decrypt_MBps", mb / best[6]);
    print_figure("openssl_ecb_decrypt_MBps", mb / best[7]);
    return 0;
}
