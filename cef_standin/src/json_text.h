// Small helpers to write JSON text.
#ifndef CEF_STANDIN_SRC_JSON_TEXT_H_
#define CEF_STANDIN_SRC_JSON_TEXT_H_

#include <rapidjson/document.h>

#include <string>

namespace cef_standin {

// |text| (UTF-8) as a quoted JSON string.
std::string JsonQuote(const std::string& text);
// |value| written as compact JSON.
std::string JsonWrite(const rapidjson::Value& value);
// Member |name| of |object| as a string, or empty.
std::string JsonGetString(const rapidjson::Value& object, const char* name);
// Member |name| of |object| as an integer, or |fallback|.
int64_t JsonGetInt(const rapidjson::Value& object, const char* name, int64_t fallback);
bool JsonGetBool(const rapidjson::Value& object, const char* name);

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_JSON_TEXT_H_
