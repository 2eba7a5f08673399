// OpenSSL's DES-ECB, the independent reference our DES and sealed files are
// checked against.
#pragma once

#define OPENSSL_SUPPRESS_DEPRECATED  // the low-level DES calls are our reference
#include <openssl/des.h>

#include <stdint.h>
#include <string.h>

#include <vector>

inline std::vector<uint8_t> openssl_ecb(const uint8_t key[8], const std::vector<uint8_t>& data,
                                        bool encrypt) {
    DES_cblock cblock;
    memcpy(cblock, key, 8);
    DES_key_schedule schedule;
    DES_set_key_unchecked(&cblock, &schedule);
    std::vector<uint8_t> out(data.size());
    for (size_t i = 0; i + 8 <= data.size(); i += 8) {
        DES_cblock in, result;
        memcpy(in, data.data() + i, 8);
        DES_ecb_encrypt(&in, &result, &schedule, encrypt ? DES_ENCRYPT : DES_DECRYPT);
        memcpy(out.data() + i, result, 8);
    }
    return out;
}

inline std::vector<uint8_t> openssl_ecb(const std::vector<uint8_t>& key,
                                        const std::vector<uint8_t>& data, bool encrypt) {
    return openssl_ecb(key.data(), data, encrypt);
}
