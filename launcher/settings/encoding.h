// Byte-text encodings: URL encoding, Base64 and hexadecimal decoding.
#pragma once

#include <string>

// Letters, digits and "-_.~" are kept, a space becomes "+", every other byte
// becomes "%XX" with upper-case hex digits.
std::string UrlEncode(const std::string& text);

// Standard alphabet, "=" padding, no line breaks.
std::string Base64Encode(const std::string& bytes);

// Two characters per byte, either case; a final odd character is ignored.
// Characters are not validated.
std::string HexDecode(const std::string& text);
