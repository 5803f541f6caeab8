// MD5 digest text and AES-CBC decryption of hexadecimal ciphertext.
#pragma once

#include <string>

// The 16-byte MD5 digest followed by 16 zero bytes, as 64 upper-case hex digits.
std::string Md5Hex(const std::string& bytes);

// AES-CBC with a zero IV and PKCS#7 padding; the key length (16, 24 or 32
// bytes) selects AES-128, -192 or -256. Returns the plaintext up to its first
// NUL, or an empty string on any failure.
std::string AesDecryptHex(const std::string& key, const std::string& hexCiphertext);
