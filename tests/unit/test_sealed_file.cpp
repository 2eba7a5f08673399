// Sealed files: layout, key folding, the checks on reading, and agreement
// with an independent composition enciphered by OpenSSL.
#include "openssl_des_reference.h"

#include <gtest/gtest.h>

#include <stdint.h>
#include <string.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "key_texts.h"
#include "sealed_file.h"

namespace {

using Raw = std::vector<uint8_t>;

tlq::Bytes bytes_of(const Raw& raw) { return tlq::Bytes(raw.data(), raw.size()); }

Raw raw_of(const tlq::Bytes& bytes) { return Raw(bytes.bytes(), bytes.bytes() + bytes.size()); }

// The folded key written out the long way: XOR every text byte into its
// slot modulo 8, then mirror each byte bit by bit.
Raw reference_key(const std::string& key_text) {
    Raw folded(8, 0);
    for (size_t i = 0; i < key_text.size() && key_text[i] != 0; ++i)
        folded[i % 8] ^= uint8_t(key_text[i]);
    Raw reversed(8, 0);
    for (int i = 0; i < 8; ++i)
        for (int bit = 0; bit < 8; ++bit)
            if (folded[i] & (1 << bit)) reversed[i] |= uint8_t(0x80 >> bit);
    return reversed;
}

// A plain image with any stored length, image size and padding byte.
Raw plain_image(int32_t stored_length, const Raw& payload, size_t image_size, uint8_t padding) {
    Raw image(image_size, padding);
    uint32_t length = uint32_t(stored_length);
    for (int i = 0; i < 4; ++i) image[i] = uint8_t(length >> (8 * i));
    for (size_t i = 0; i < payload.size() && 4 + i < image_size; ++i) image[4 + i] = payload[i];
    return image;
}

// What seal must produce, composed without our DES.
Raw reference_seal(const Raw& payload, const std::string& key_text) {
    if (payload.empty()) return Raw();
    size_t image_size = (payload.size() + 4 + 7) / 8 * 8;
    Raw image = plain_image(int32_t(payload.size()), payload, image_size, 0);
    return openssl_ecb(reference_key(key_text), image, true);
}

Raw random_payload(std::mt19937_64& random, size_t size) {
    Raw payload(size);
    for (uint8_t& b : payload) b = uint8_t(random());
    return payload;
}

const char kSomeKey[] = "a key text for the tests";

// --- layout -------------------------------------------------------------

struct SizeCase {
    size_t payload;
    size_t sealed;
};

void PrintTo(const SizeCase& c, std::ostream* out) {
    *out << "payload " << c.payload << " -> " << c.sealed;
}

class SealedSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SealedSize, ImageIsHeaderPayloadAndPaddingInWholeBlocks) {
    std::mt19937_64 random(GetParam().payload);
    Raw payload = random_payload(random, GetParam().payload);
    tlq::Bytes sealed = tlq::seal(bytes_of(payload), kSomeKey);
    EXPECT_EQ(sealed.size(), GetParam().sealed);
    Raw plain = openssl_ecb(reference_key(kSomeKey), raw_of(sealed), false);
    ASSERT_EQ(plain.size(), GetParam().sealed);
    EXPECT_EQ(plain, plain_image(int32_t(payload.size()), payload, GetParam().sealed, 0));
}

INSTANTIATE_TEST_SUITE_P(Lengths, SealedSize,
                         ::testing::Values(SizeCase{1, 8}, SizeCase{4, 8}, SizeCase{5, 16},
                                           SizeCase{12, 16}, SizeCase{13, 24},
                                           SizeCase{100, 104}, SizeCase{1000, 1008},
                                           SizeCase{1021, 1032}));

TEST(Seal, EmptyPayloadSealsToNothingAndNothingUnsealsToEmpty) {
    EXPECT_TRUE(tlq::seal(tlq::Bytes(), kSomeKey).empty());
    EXPECT_TRUE(tlq::unseal(tlq::Bytes(), kSomeKey).empty());
}

TEST(Seal, MatchesAnIndependentCompositionEncipheredByOpenSsl) {
    std::mt19937_64 random(2024);
    const std::string keys[] = {tlq::kFileKey, tlq::kCodeKey, kSomeKey, "", "x"};
    for (const std::string& key : keys) {
        for (size_t size : {1, 3, 4, 5, 8, 11, 12, 13, 20, 64, 257, 4093}) {
            Raw payload = random_payload(random, size);
            EXPECT_EQ(raw_of(tlq::seal(bytes_of(payload), key.c_str())), reference_seal(payload, key))
                << "key length " << key.size() << ", payload " << size;
        }
    }
}

TEST(Seal, IsDeterministicAndEnciphersEqualBlocksEqually) {
    // Payload bytes 4-11 and 12-19 are image blocks 2 and 3: make them equal.
    Raw payload = {'h', 'e', 'a', 'd', '1', '2', '3', '4', '5', '6', '7', '8',
                   '1', '2', '3', '4', '5', '6', '7', '8', 't', 'a', 'i', 'l'};
    tlq::Bytes first = tlq::seal(bytes_of(payload), tlq::kFileKey);
    tlq::Bytes second = tlq::seal(bytes_of(payload), tlq::kFileKey);
    ASSERT_EQ(first.size(), 32u);
    EXPECT_EQ(first, second);
    EXPECT_EQ(memcmp(first.bytes() + 8, first.bytes() + 16, 8), 0);
    EXPECT_NE(memcmp(first.bytes() + 16, first.bytes() + 24, 8), 0);
}

TEST(Seal, LeavesItsInputUntouched) {
    Raw payload = {1, 2, 3, 0, 5};
    tlq::Bytes input = bytes_of(payload);
    tlq::Bytes sealed = tlq::seal(input, kSomeKey);
    EXPECT_EQ(raw_of(input), payload);
    tlq::Bytes sealed_copy = sealed;
    tlq::unseal(sealed, kSomeKey);
    EXPECT_EQ(sealed, sealed_copy);
}

// --- round trips ---------------------------------------------------------

TEST(RoundTrip, RandomPayloadsComeBackExactlyUnderBothKeys) {
    std::mt19937_64 random(31);
    for (const char* key : {tlq::kFileKey, tlq::kCodeKey}) {
        for (size_t size = 1; size <= 40; ++size) {
            Raw payload = random_payload(random, size);
            EXPECT_EQ(raw_of(tlq::unseal(tlq::seal(bytes_of(payload), key), key)), payload)
                << size;
        }
        for (size_t size : {255, 256, 4096, 65537}) {
            Raw payload = random_payload(random, size);
            EXPECT_EQ(raw_of(tlq::unseal(tlq::seal(bytes_of(payload), key), key)), payload)
                << size;
        }
    }
}

TEST(RoundTrip, ScriptTextSealedWithOneKeyDoesNotOpenWithTheOther) {
    tlq::Bytes script("[info]\r\n当前命令数量=1\r\n子程序的名字=main\r\n[main]\r\n1=信息框 Hi");
    tlq::Bytes sealed = tlq::seal(script, tlq::kFileKey);
    EXPECT_EQ(tlq::unseal(sealed, tlq::kFileKey), script);
    EXPECT_TRUE(tlq::unseal(sealed, tlq::kCodeKey).empty());
}

// --- checks on reading ---------------------------------------------------

TEST(Unseal, InputsThatAreNoWholeBlocksGiveEmpty) {
    Raw valid = raw_of(tlq::seal(tlq::Bytes("0123456789"), kSomeKey));
    ASSERT_EQ(valid.size(), 16u);
    for (size_t size : {1, 7, 9, 15, 17}) {
        Raw input = valid;
        input.resize(size, 0);
        EXPECT_TRUE(tlq::unseal(bytes_of(input), kSomeKey).empty()) << size;
    }
}

struct StoredLengthCase {
    int32_t stored;
    size_t image_size;
    bool accepted;
};

void PrintTo(const StoredLengthCase& c, std::ostream* out) {
    *out << "stored " << c.stored << " in " << c.image_size << " bytes";
}

class StoredLength : public ::testing::TestWithParam<StoredLengthCase> {};

TEST_P(StoredLength, IsAcceptedOnlyWhenSealWouldHaveWrittenThisSize) {
    const StoredLengthCase& c = GetParam();
    std::mt19937_64 random(uint64_t(uint32_t(c.stored)) + c.image_size);
    Raw payload = random_payload(random, c.image_size - 4);
    Raw image = plain_image(c.stored, payload, c.image_size, 0);
    Raw sealed = openssl_ecb(reference_key(kSomeKey), image, true);
    tlq::Bytes result = tlq::unseal(bytes_of(sealed), kSomeKey);
    if (c.accepted) {
        EXPECT_EQ(raw_of(result), Raw(payload.begin(), payload.begin() + c.stored));
    } else {
        EXPECT_TRUE(result.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edges, StoredLength,
    ::testing::Values(
        StoredLengthCase{4, 16, false}, StoredLengthCase{5, 16, true},
        StoredLengthCase{12, 16, true}, StoredLengthCase{13, 16, false},
        StoredLengthCase{1, 8, true}, StoredLengthCase{4, 8, true},
        StoredLengthCase{5, 8, false}, StoredLengthCase{0, 8, false},
        StoredLengthCase{0, 16, false}, StoredLengthCase{-1, 16, false},
        StoredLengthCase{-12, 16, false}, StoredLengthCase{-16, 16, false},
        StoredLengthCase{INT32_MIN, 16, false}, StoredLengthCase{INT32_MAX, 16, false},
        StoredLengthCase{INT32_MAX - 3, 16, false}, StoredLengthCase{INT32_MAX - 11, 16, false},
        StoredLengthCase{0x7FFFFFF8, 16, false}, StoredLengthCase{0x7FFFFFF4, 8, false},
        StoredLengthCase{INT32_MAX, 8, false}, StoredLengthCase{100, 104, true},
        StoredLengthCase{92, 104, false}, StoredLengthCase{93, 104, true}));

TEST(Unseal, IgnoresNonZeroPadding) {
    Raw payload = {'a', 'b', 'c', 'd', 'e'};
    Raw image = plain_image(5, payload, 16, 0xEE);
    Raw sealed = openssl_ecb(reference_key(kSomeKey), image, true);
    EXPECT_EQ(raw_of(tlq::unseal(bytes_of(sealed), kSomeKey)), payload);
}

TEST(Unseal, KeepsZeroBytesOfThePayload) {
    Raw payload = {0, 0, 'x', 0, 0, 0, 0, 0, 0};
    tlq::Bytes sealed = tlq::seal(bytes_of(payload), kSomeKey);
    EXPECT_EQ(raw_of(tlq::unseal(sealed, kSomeKey)), payload);
}

// --- key folding ---------------------------------------------------------

struct FoldCase {
    const char* text;
    uint8_t first_byte;
};

void PrintTo(const FoldCase& c, std::ostream* out) { *out << "first byte " << int(c.first_byte); }

class FoldKey : public ::testing::TestWithParam<FoldCase> {};

TEST_P(FoldKey, ReversesTheBitsOfEachFoldedByte) {
    uint8_t key[8];
    tlq::fold_key(GetParam().text, key);
    EXPECT_EQ(key[0], GetParam().first_byte);
    for (int i = 1; i < 8; ++i) EXPECT_EQ(key[i], 0) << i;
}

INSTANTIATE_TEST_SUITE_P(Bytes, FoldKey,
                         ::testing::Values(FoldCase{"\x01", 0x80}, FoldCase{"a", 0x86},
                                           FoldCase{"\xF0", 0x0F}, FoldCase{"", 0x00},
                                           // 'a' ^ 'i' = 0x08 after one wrap.
                                           FoldCase{"a\x01\x01\x01\x01\x01\x01\x01i\x01\x01\x01\x01\x01\x01\x01", 0x10}));

TEST(FoldKeyText, LongTextsWrapAroundAnyNumberOfTimes) {
    for (const char* text : {tlq::kFileKey, tlq::kCodeKey, kSomeKey, "abcdefgh", "abcdefghi"}) {
        uint8_t key[8];
        tlq::fold_key(text, key);
        EXPECT_EQ(Raw(key, key + 8), reference_key(text)) << text;
    }
}

TEST(FoldKeyText, StopsAtTheFirstZeroByte) {
    const char with_tail[] = "abc\0def";
    uint8_t cut[8], plain[8];
    tlq::fold_key(with_tail, cut);
    tlq::fold_key("abc", plain);
    EXPECT_EQ(Raw(cut, cut + 8), Raw(plain, plain + 8));
    tlq::Bytes payload("same payload");
    EXPECT_EQ(tlq::seal(payload, with_tail), tlq::seal(payload, "abc"));
}

TEST(FoldKeyText, EmptyTextIsTheAllZeroKey) {
    uint8_t key[8];
    tlq::fold_key("", key);
    EXPECT_EQ(Raw(key, key + 8), Raw(8, 0));
    Raw payload = {'z', 'e', 'r', 'o'};
    EXPECT_EQ(raw_of(tlq::seal(bytes_of(payload), "")),
              openssl_ecb(Raw(8, 0), plain_image(4, payload, 8, 0), true));
}

// The most significant bit of each folded byte becomes DES's parity bit.
TEST(FoldKeyText, OnlyLeastSignificantBitDifferencesChangeTheSeal) {
    const std::string base = "Key-Text";
    std::mt19937_64 random(5);
    Raw payload = random_payload(random, 77);
    tlq::Bytes reference = tlq::seal(bytes_of(payload), base.c_str());
    for (size_t i = 0; i < base.size(); ++i) {
        std::string high = base, low = base;
        high[i] = char(uint8_t(high[i]) ^ 0x80);
        low[i] = char(uint8_t(low[i]) ^ 0x01);
        EXPECT_EQ(tlq::seal(bytes_of(payload), high.c_str()), reference) << i;
        EXPECT_NE(tlq::seal(bytes_of(payload), low.c_str()), reference) << i;
    }
    // The same holds when the difference comes from a later, wrapped byte.
    std::string wrapped = base + std::string(1, char(0x80));
    EXPECT_EQ(tlq::seal(bytes_of(payload), wrapped.c_str()), reference);
}

// --- the two key texts ---------------------------------------------------

TEST(KeyTexts, HaveTheirLengthsAndShareTheirPrefix) {
    const std::string file_key = tlq::kFileKey, code_key = tlq::kCodeKey;
    EXPECT_EQ(file_key.size(), 221u);
    EXPECT_EQ(code_key.size(), 227u);
    EXPECT_EQ(code_key.substr(0, 221), file_key);
    for (char c : file_key) EXPECT_TRUE(c >= 0x20 && c <= 0x7E) << int(c);
    for (char c : code_key.substr(221)) EXPECT_TRUE(c >= '0' && c <= '9') << c;
}

TEST(KeyTexts, FoldToDifferentKeys) {
    uint8_t file_key[8], code_key[8];
    tlq::fold_key(tlq::kFileKey, file_key);
    tlq::fold_key(tlq::kCodeKey, code_key);
    EXPECT_NE(Raw(file_key, file_key + 8), Raw(code_key, code_key + 8));
}

}  // namespace
