// unseal on arbitrary bytes under both key texts, and seal/unseal round
// trips under the fixed keys and under a key taken from the input.
#include "fuzz_text.h"
#include "key_texts.h"
#include "sealed_file.h"

#include <string.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tlq::Bytes input(data, size);
    const char* keys[] = {tlq::kFileKey, tlq::kCodeKey};
    for (const char* key : keys) {
        tlq::Bytes opened = tlq::unseal(input, key);
        fuzz::check(opened.size() <= size, "unsealed more than was sealed");
        if (!opened.empty()) {
            // Whatever opens must seal back to something that opens the same.
            fuzz::check(tlq::unseal(tlq::seal(opened, key), key) == opened, "unsealed payload does not round trip");
        }
        tlq::Bytes sealed = tlq::seal(input, key);
        fuzz::check(sealed.size() % 8 == 0, "sealed size is not whole blocks");
        fuzz::check(size == 0 || sealed.size() >= size + 4, "sealed image too short");
        fuzz::check(tlq::unseal(sealed, key) == input, "round trip lost the payload");
    }
    // A key text chosen by the input: its first line, the rest is the payload.
    const void* newline = size ? memchr(data, '\n', size) : nullptr;
    if (newline) {
        size_t key_length = static_cast<size_t>(static_cast<const uint8_t*>(newline) - data);
        std::string key(reinterpret_cast<const char*>(data), key_length);  // may end early at a zero
        tlq::Bytes payload(data + key_length + 1, size - key_length - 1);
        fuzz::check(tlq::unseal(tlq::seal(payload, key.c_str()), key.c_str()) == payload,
                    "round trip under an input key lost the payload");
    }
    return 0;
}
