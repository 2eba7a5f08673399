// DES against the published known answers and against OpenSSL's DES-ECB.
#include "openssl_des_reference.h"

#include <gtest/gtest.h>

#include <stdint.h>
#include <string.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "des.h"

namespace {

using Block = std::vector<uint8_t>;

Block from_hex(const std::string& hex) {
    Block out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return out;
}

std::string to_hex(const uint8_t* data, size_t size) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < size; ++i) {
        out.push_back(digits[data[i] >> 4]);
        out.push_back(digits[data[i] & 15]);
    }
    return out;
}

struct KnownAnswer {
    const char* key;
    const char* plain;
    const char* cipher;
};

void PrintTo(const KnownAnswer& v, std::ostream* out) {
    *out << "key " << v.key << ", plain " << v.plain << ", cipher " << v.cipher;
}

// The worked example of FIPS 46-3 teaching texts, and selections from the
// NIST SP 800-17 tables: variable plaintext, variable key, permutation
// operation and substitution table tests.
const KnownAnswer kKnownAnswers[] = {
    {"133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
    {"0123456789ABCDEF", "4E6F772069732074", "3FA40E8A984D4815"},
    // Variable plaintext, key 01 01 01 01 01 01 01 01.
    {"0101010101010101", "8000000000000000", "95F8A5E5DD31D900"},
    {"0101010101010101", "4000000000000000", "DD7F121CA5015619"},
    {"0101010101010101", "2000000000000000", "2E8653104F3834EA"},
    {"0101010101010101", "1000000000000000", "4BD388FF6CD81D4F"},
    {"0101010101010101", "0100000000000000", "0D9F279BA5D87260"},
    {"0101010101010101", "0080000000000000", "D9031B0271BD5A0A"},
    {"0101010101010101", "0001000000000000", "F356834379D165CD"},
    {"0101010101010101", "0000800000000000", "2B9F982F20037FA9"},
    {"0101010101010101", "0000010000000000", "FBE00A8A1EF8AD72"},
    {"0101010101010101", "0000008000000000", "750D079407521363"},
    {"0101010101010101", "0000000100000000", "AEB5F5EDE22D1A36"},
    {"0101010101010101", "0000000080000000", "E943D7568AEC0C5C"},
    {"0101010101010101", "0000000001000000", "4D49DB1532919C9F"},
    {"0101010101010101", "0000000000800000", "25EB5FC3F8CF0621"},
    {"0101010101010101", "0000000000010000", "8DD45A2DDF90796C"},
    {"0101010101010101", "0000000000008000", "1029D55E880EC2D0"},
    {"0101010101010101", "0000000000000100", "DD7C0BBD61FAFD54"},
    {"0101010101010101", "0000000000000080", "2FBC291A570DB5C4"},
    {"0101010101010101", "0000000000000002", "06E7EA22CE92708F"},
    {"0101010101010101", "0000000000000001", "166B40B44ABA4BD6"},
    // Variable key, plaintext zero.
    {"8001010101010101", "0000000000000000", "95A8D72813DAA94D"},
    {"4001010101010101", "0000000000000000", "0EEC1487DD8C26D5"},
    {"2001010101010101", "0000000000000000", "7AD16FFB79C45926"},
    {"1001010101010101", "0000000000000000", "D3746294CA6A6CF3"},
    {"0801010101010101", "0000000000000000", "809F5F873C1FD761"},
    {"0401010101010101", "0000000000000000", "C02FAFFEC989D1FC"},
    {"0201010101010101", "0000000000000000", "4615AA1D33E72F10"},
    {"0180010101010101", "0000000000000000", "2055123350C00858"},
    {"0140010101010101", "0000000000000000", "DF3B99D6577397C8"},
    {"0120010101010101", "0000000000000000", "31FE17369B5288C9"},
    {"0110010101010101", "0000000000000000", "DFDD3CC64DAE1642"},
    {"0108010101010101", "0000000000000000", "178C83CE2B399D94"},
    {"0104010101010101", "0000000000000000", "50F636324A9B7F80"},
    {"0102010101010101", "0000000000000000", "A8468EE3BC18F06D"},
    {"0101800101010101", "0000000000000000", "A2DC9E92FD3CDE92"},
    {"0101400101010101", "0000000000000000", "CAC09F797D031287"},
    // Permutation operation.
    {"1046913489980131", "0000000000000000", "88D55E54F54C97B4"},
    {"1007103489988020", "0000000000000000", "0C0CC00C83EA48FD"},
    {"10071034C8980120", "0000000000000000", "83BC8EF3A6570183"},
    // Substitution tables.
    {"7CA110454A1A6E57", "01A1D6D039776742", "690F5B0D9A26939B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "7A389D10354BD271"},
    {"07A1133E4A0B2686", "0248D43806F67172", "868EBB51CAB4599A"},
};

class DesKnownAnswer : public ::testing::TestWithParam<KnownAnswer> {};

TEST_P(DesKnownAnswer, EncryptsToTheCipherAndDecryptsBack) {
    const KnownAnswer& v = GetParam();
    Block key = from_hex(v.key);
    Block block = from_hex(v.plain);
    tlq::Des des(key.data());
    des.encrypt_block(block.data());
    EXPECT_EQ(to_hex(block.data(), 8), v.cipher);
    des.decrypt_block(block.data());
    EXPECT_EQ(to_hex(block.data(), 8), v.plain);
}

TEST_P(DesKnownAnswer, ParityBitsOfTheKeyAreIgnored) {
    const KnownAnswer& v = GetParam();
    Block key = from_hex(v.key);
    for (uint8_t& byte : key) byte ^= 1;
    Block block = from_hex(v.plain);
    tlq::Des(key.data()).encrypt_block(block.data());
    EXPECT_EQ(to_hex(block.data(), 8), v.cipher);
}

INSTANTIATE_TEST_SUITE_P(Fips, DesKnownAnswer, ::testing::ValuesIn(kKnownAnswers));

// The variable plaintext table as one ECB buffer: each block on its own,
// whatever its position and whatever the block count.
TEST(DesEcb, EnciphersEveryBlockIndependently) {
    std::vector<const KnownAnswer*> rows;
    for (const KnownAnswer& v : kKnownAnswers)
        if (std::string(v.key) == "0101010101010101") rows.push_back(&v);
    ASSERT_GT(rows.size(), 3u);
    Block key = from_hex("0101010101010101");
    tlq::Des des(key.data());
    // Every count up to the table size: whole groups of interleaved blocks
    // and every possible remainder.
    for (size_t count = 1; count <= rows.size(); ++count) {
        Block plain, cipher;
        for (size_t i = 0; i < count; ++i) {
            Block p = from_hex(rows[i]->plain), c = from_hex(rows[i]->cipher);
            plain.insert(plain.end(), p.begin(), p.end());
            cipher.insert(cipher.end(), c.begin(), c.end());
        }
        Block data = plain;
        des.encrypt_ecb(data.data(), data.size());
        EXPECT_EQ(to_hex(data.data(), data.size()), to_hex(cipher.data(), cipher.size()))
            << count << " blocks";
        des.decrypt_ecb(data.data(), data.size());
        EXPECT_EQ(data, plain) << count << " blocks";
    }
}

TEST(DesEcb, EmptyBufferIsLeftAlone) {
    uint8_t key[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    uint8_t guard[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    tlq::Des des(key);
    des.encrypt_ecb(guard, 0);
    des.decrypt_ecb(guard, 0);
    for (uint8_t b : guard) EXPECT_EQ(b, 9);
}

// DES(~k, ~p) = ~DES(k, p) for every key and block.
TEST(DesProperty, ComplementationHolds) {
    std::mt19937_64 random(46);
    for (int i = 0; i < 200; ++i) {
        uint8_t key[8], block[8], complement_key[8], complement_block[8];
        for (int j = 0; j < 8; ++j) {
            key[j] = uint8_t(random());
            block[j] = uint8_t(random());
            complement_key[j] = uint8_t(~key[j]);
            complement_block[j] = uint8_t(~block[j]);
        }
        tlq::Des(key).encrypt_block(block);
        tlq::Des(complement_key).encrypt_block(complement_block);
        for (int j = 0; j < 8; ++j) ASSERT_EQ(block[j], uint8_t(~complement_block[j]));
    }
}

TEST(DesAgainstOpenSsl, RandomKeysAndDataGiveTheSameBlocks) {
    std::mt19937_64 random(1977);
    for (int trial = 0; trial < 300; ++trial) {
        uint8_t key[8];
        for (uint8_t& b : key) b = uint8_t(random());
        Block data(8 * (random() % 40));
        for (uint8_t& b : data) b = uint8_t(random());
        tlq::Des des(key);

        Block ours = data;
        des.encrypt_ecb(ours.data(), ours.size());
        ASSERT_EQ(ours, openssl_ecb(key, data, true)) << "trial " << trial;

        Block theirs_plain = openssl_ecb(key, ours, false);
        des.decrypt_ecb(ours.data(), ours.size());
        ASSERT_EQ(ours, data) << "trial " << trial;
        ASSERT_EQ(theirs_plain, data) << "trial " << trial;

        // Ciphertext of random blocks deciphers like OpenSSL does it.
        Block ours_decrypted = data;
        des.decrypt_ecb(ours_decrypted.data(), ours_decrypted.size());
        ASSERT_EQ(ours_decrypted, openssl_ecb(key, data, false)) << "trial " << trial;
    }
}

TEST(DesAgainstOpenSsl, SingleBlockCallsMatchTheEcbCalls) {
    std::mt19937_64 random(7);
    for (int trial = 0; trial < 300; ++trial) {
        uint8_t key[8];
        for (uint8_t& b : key) b = uint8_t(random());
        Block data(8);
        for (uint8_t& b : data) b = uint8_t(random());
        tlq::Des des(key);
        Block block = data;
        des.encrypt_block(block.data());
        ASSERT_EQ(block, openssl_ecb(key, data, true));
        block = data;
        des.decrypt_block(block.data());
        ASSERT_EQ(block, openssl_ecb(key, data, false));
    }
}

}  // namespace
