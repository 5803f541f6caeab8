#include "settings/encoding.h"

#include <cctype>
#include <cstdint>

namespace {

const char kHexDigits[] = "0123456789ABCDEF";
const char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool IsUnreserved(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= '0' && byte <= '9') || byte == '-' || byte == '_' || byte == '.' || byte == '~';
}

int HexValue(char digit) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(digit)));
    return (upper >= '0' && upper <= '9') ? upper - '0' : upper - 'A' + 10;
}

}  // namespace

std::string UrlEncode(const std::string& text) {
    std::string result;
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (IsUnreserved(byte)) {
            result += c;
        } else if (byte == ' ') {
            result += '+';
        } else {
            result += '%';
            result += kHexDigits[byte >> 4];
            result += kHexDigits[byte & 0x0F];
        }
    }
    return result;
}

std::string Base64Encode(const std::string& bytes) {
    std::string result;
    result.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t count = bytes.size() - i < 3 ? bytes.size() - i : 3;
        uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
        if (count > 1) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (count > 2) group |= static_cast<unsigned char>(bytes[i + 2]);
        result += kBase64Alphabet[(group >> 18) & 0x3F];
        result += kBase64Alphabet[(group >> 12) & 0x3F];
        result += count > 1 ? kBase64Alphabet[(group >> 6) & 0x3F] : '=';
        result += count > 2 ? kBase64Alphabet[group & 0x3F] : '=';
    }
    return result;
}

std::string HexDecode(const std::string& text) {
    std::string bytes;
    bytes.reserve(text.size() / 2);
    for (size_t i = 0; i + 1 < text.size(); i += 2)
        bytes += static_cast<char>(HexValue(text[i]) * 16 + HexValue(text[i + 1]));
    return bytes;
}
