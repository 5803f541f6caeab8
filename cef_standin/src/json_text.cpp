#include "json_text.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace cef_standin {

std::string JsonQuote(const std::string& text) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    writer.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
    return std::string(buffer.GetString(), buffer.GetSize());
}

std::string JsonWrite(const rapidjson::Value& value) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    value.Accept(writer);
    return std::string(buffer.GetString(), buffer.GetSize());
}

std::string JsonGetString(const rapidjson::Value& object, const char* name) {
    if (!object.IsObject()) return {};
    auto it = object.FindMember(name);
    if (it == object.MemberEnd() || !it->value.IsString()) return {};
    return std::string(it->value.GetString(), it->value.GetStringLength());
}

int64_t JsonGetInt(const rapidjson::Value& object, const char* name, int64_t fallback) {
    if (!object.IsObject()) return fallback;
    auto it = object.FindMember(name);
    if (it == object.MemberEnd()) return fallback;
    if (it->value.IsInt64()) return it->value.GetInt64();
    if (it->value.IsNumber()) return static_cast<int64_t>(it->value.GetDouble());
    return fallback;
}

bool JsonGetBool(const rapidjson::Value& object, const char* name) {
    if (!object.IsObject()) return false;
    auto it = object.FindMember(name);
    return it != object.MemberEnd() && it->value.IsBool() && it->value.GetBool();
}

}  // namespace cef_standin
