#include "settings/crypto.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace {

// Ciphertexts made with the openssl command, zero IV, PKCS#7 padding unless
// noted, for example (one command line):
//   printf 'https://127.0.0.1/login?x=1' | openssl enc -aes-128-cbc
//     -K $(printf Z7KQ2MWP4RTX8YBN | xxd -p) -iv 00000000000000000000000000000000 | xxd -p -c 256
const std::string kKey128 = "Z7KQ2MWP4RTX8YBN";
const std::string kKey192 = "Z7KQ2MWP4RTX8YBNZ7KQ2MWP";
const std::string kKey256 = "Z7KQ2MWP4RTX8YBNZ7KQ2MWP4RTX8YBN";
const std::string kUrl = "https://127.0.0.1/login?x=1";
const std::string kUrl128 = "991460F85C518BA15B1346DE4567F84F33601ABA6256C8174E0E7C18FC92DFA8";
const std::string kUrl192 = "b57b850635b55a9be768dce8452636e88d095f2d830f36c790ac959ffed7c9ec";
const std::string kUrl256 = "fad7ef9b9cd647fa6643ae38779333e9a183ae8f6e6f4fcbefcade6823bf579c";
// printf 'ab\0cd' through the same AES-128 command.
const std::string kEmbeddedNul128 = "B03D8A46E4C81734B9531407DF084EA6";
// printf '0123456789abcde\0' with -nopad: the last byte 0 is no valid padding.
const std::string kBadPadding128 = "25BA55B67CA41B63746BAD75DAEC5D2E";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

TEST(Md5Hex, DigestFollowedBy32Zeros) {
    EXPECT_EQ(Md5Hex("abc"), "900150983CD24FB0D6963F7D28E17F72" + std::string(32, '0'));
    EXPECT_EQ(Md5Hex(""), "D41D8CD98F00B204E9800998ECF8427E" + std::string(32, '0'));
    EXPECT_EQ(Md5Hex(std::string("a\0b", 3)).size(), 64u);
    EXPECT_NE(Md5Hex(std::string("a\0b", 3)), Md5Hex("a"));
}

struct AesCase {
    const char* name;
    std::string key;
    std::string hex;
    std::string expected;
};

TEST(AesDecryptHex, Cases) {
    const AesCase cases[] = {
        {"aes-128 upper-case hex", kKey128, kUrl128, kUrl},
        {"aes-128 lower-case hex", kKey128, Lower(kUrl128), kUrl},
        {"aes-192", kKey192, kUrl192, kUrl},
        {"aes-256", kKey256, kUrl256, kUrl},
        {"plaintext ends at its first NUL", kKey128, kEmbeddedNul128, "ab"},
        {"15-byte key", kKey128.substr(0, 15), kUrl128, ""},
        {"17-byte key", kKey128 + "X", kUrl128, ""},
        {"empty key", "", kUrl128, ""},
        {"wrong key", "Z7KQ2MWP4RTX8YBM", kUrl128, ""},
        {"bad padding", kKey128, kBadPadding128, ""},
        {"length not a multiple of 16", kKey128, kUrl128.substr(0, 62), ""},
        {"empty ciphertext", kKey128, "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(AesDecryptHex(c.key, c.hex), c.expected) << c.name;
}

}  // namespace
