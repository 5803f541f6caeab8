#include "settings/crypto.h"

#include <openssl/evp.h>

#include <cstring>
#include <memory>
#include <vector>

#include "settings/encoding.h"

namespace {

const EVP_CIPHER* CipherForKeyLength(size_t length) {
    switch (length) {
        case 16:
            return EVP_aes_128_cbc();
        case 24:
            return EVP_aes_192_cbc();
        case 32:
            return EVP_aes_256_cbc();
        default:
            return nullptr;
    }
}

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

}  // namespace

std::string Md5Hex(const std::string& bytes) {
    unsigned char buffer[32] = {};
    unsigned int length = 0;
    EVP_Digest(bytes.data(), bytes.size(), buffer, &length, EVP_md5(), nullptr);
    static const char kHexDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const unsigned char byte : buffer) {
        text += kHexDigits[byte >> 4];
        text += kHexDigits[byte & 0x0F];
    }
    return text;
}

std::string AesDecryptHex(const std::string& key, const std::string& hexCiphertext) {
    const EVP_CIPHER* cipher = CipherForKeyLength(key.size());
    if (!cipher) return std::string();
    const std::string ciphertext = HexDecode(hexCiphertext);
    CipherContext context(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    if (!context) return std::string();
    const unsigned char iv[16] = {};
    if (EVP_DecryptInit_ex(context.get(), cipher, nullptr,
                           reinterpret_cast<const unsigned char*>(key.data()), iv) != 1)
        return std::string();
    std::vector<unsigned char> plain(ciphertext.size() + EVP_MAX_BLOCK_LENGTH);
    int written = 0;
    if (EVP_DecryptUpdate(context.get(), plain.data(), &written,
                          reinterpret_cast<const unsigned char*>(ciphertext.data()),
                          static_cast<int>(ciphertext.size())) != 1)
        return std::string();
    int finalWritten = 0;
    if (EVP_DecryptFinal_ex(context.get(), plain.data() + written, &finalWritten) != 1)
        return std::string();
    const char* text = reinterpret_cast<const char*>(plain.data());
    return std::string(text, strnlen(text, written + finalWritten));
}
