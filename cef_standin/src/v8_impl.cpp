#include "v8_impl.h"

#include <cmath>
#include <cstdlib>
#include <set>

#include "json_text.h"

namespace cef_standin {
namespace {

CefRefPtr<CefV8Context>& CurrentContext() {
    static CefRefPtr<CefV8Context> current;
    return current;
}

enum class Kind {
    kUndefined,
    kNull,
    kBool,
    kInt,
    kUInt,
    kDouble,
    kString,
    kObject,
    kArray,
    kFunction
};

class V8ValueImpl : public CefV8Value {
  public:
    explicit V8ValueImpl(Kind kind) : kind_(kind) {}

    bool IsValid() override { return true; }
    bool IsUndefined() override { return kind_ == Kind::kUndefined; }
    bool IsNull() override { return kind_ == Kind::kNull; }
    bool IsBool() override { return kind_ == Kind::kBool; }
    bool IsInt() override {
        return IsNumber() && number_ == std::trunc(number_) && number_ >= INT32_MIN &&
               number_ <= INT32_MAX;
    }
    bool IsUInt() override {
        return IsNumber() && number_ == std::trunc(number_) && number_ >= 0 &&
               number_ <= UINT32_MAX;
    }
    bool IsDouble() override { return IsNumber(); }
    bool IsString() override { return kind_ == Kind::kString; }
    bool IsObject() override {
        return kind_ == Kind::kObject || kind_ == Kind::kArray || kind_ == Kind::kFunction;
    }
    bool IsArray() override { return kind_ == Kind::kArray; }
    bool IsFunction() override { return kind_ == Kind::kFunction; }

    bool GetBoolValue() override { return kind_ == Kind::kBool && flag_; }
    int32_t GetIntValue() override { return IsInt() ? static_cast<int32_t>(number_) : 0; }
    uint32_t GetUIntValue() override { return IsUInt() ? static_cast<uint32_t>(number_) : 0; }
    double GetDoubleValue() override { return IsNumber() ? number_ : 0; }
    CefString GetStringValue() override { return kind_ == Kind::kString ? text_ : CefString(); }

    bool HasValue(const CefString& key) override { return Find(key) != nullptr; }
    CefRefPtr<CefV8Value> GetValue(const CefString& key) override {
        Property* property = Find(key);
        return property ? property->value : nullptr;
    }
    bool SetValue(const CefString& key, CefRefPtr<CefV8Value> value,
                  PropertyAttribute attribute) override {
        if (!IsObject() || !value) return false;
        if (Property* property = Find(key)) {
            if (property->attribute & V8_PROPERTY_ATTRIBUTE_READONLY) return false;
            property->value = value;
            property->attribute = attribute;
            return true;
        }
        properties_.push_back({key, value, attribute});
        return true;
    }
    bool GetKeys(std::vector<CefString>& keys) override {
        if (!IsObject()) return false;
        keys.clear();
        for (const auto& property : properties_) keys.push_back(property.key);
        return true;
    }
    int GetArrayLength() override { return static_cast<int>(elements_.size()); }
    CefRefPtr<CefV8Value> GetValue(int index) override {
        if (index < 0 || index >= GetArrayLength()) return nullptr;
        return elements_[static_cast<size_t>(index)];
    }
    CefString GetFunctionName() override { return text_; }
    CefRefPtr<CefV8Handler> GetFunctionHandler() override { return handler_; }

    struct Property {
        CefString key;
        CefRefPtr<CefV8Value> value;
        PropertyAttribute attribute;
    };

    Kind kind_;
    bool flag_ = false;
    double number_ = 0;
    CefString text_;
    CefRefPtr<CefV8Handler> handler_;
    std::vector<Property> properties_;
    std::vector<CefRefPtr<CefV8Value>> elements_;

  private:
    bool IsNumber() const {
        return kind_ == Kind::kInt || kind_ == Kind::kUInt || kind_ == Kind::kDouble;
    }
    Property* Find(const CefString& key) {
        for (auto& property : properties_) {
            if (property.key == key) return &property;
        }
        return nullptr;
    }

    IMPLEMENT_REFCOUNTING(V8ValueImpl);
};

V8ValueImpl* Impl(const CefRefPtr<CefV8Value>& value) {
    return static_cast<V8ValueImpl*>(value.get());
}

CefRefPtr<CefV8Value> MakeNumber(Kind kind, double number) {
    CefRefPtr<V8ValueImpl> value = new V8ValueImpl(kind);
    value->number_ = number;
    return value.get();
}

std::string PlainJson(CefRefPtr<CefV8Value> value) {
    if (value->IsNull()) return "null";
    if (value->IsBool()) return value->GetBoolValue() ? "true" : "false";
    if (value->IsString()) return JsonQuote(value->GetStringValue().ToString());
    if (value->IsDouble()) {
        const double number = value->GetDoubleValue();
        if (!std::isfinite(number)) return "null";
        return JsonWrite(rapidjson::Value(number));
    }
    return std::string();
}

void DescribeObject(CefRefPtr<CefV8Value> object, std::vector<DescribedFunction>& functions,
                    std::set<CefV8Value*>& visiting, std::string& out) {
    out += '[';
    bool first = true;
    visiting.insert(object.get());
    for (const auto& property : Impl(object)->properties_) {
        CefRefPtr<CefV8Value> value = property.value;
        if (visiting.count(value.get())) continue;
        std::string entry = "{\"n\":" + JsonQuote(property.key.ToString()) +
                            ",\"a\":" + std::to_string(static_cast<int>(property.attribute));
        if (value->IsFunction()) {
            entry += ",\"t\":\"f\",\"f\":" + std::to_string(functions.size()) +
                     ",\"fn\":" + JsonQuote(value->GetFunctionName().ToString()) + "}";
            functions.push_back({value, object});
        } else if (value->IsObject() && !value->IsArray()) {
            entry += ",\"t\":\"o\",\"p\":";
            DescribeObject(value, functions, visiting, entry);
            entry += "}";
        } else {
            const std::string json = PlainJson(value);
            entry += json.empty() ? ",\"t\":\"v\"}" : ",\"t\":\"v\",\"v\":" + json + "}";
        }
        if (!first) out += ',';
        first = false;
        out += entry;
    }
    visiting.erase(object.get());
    out += ']';
}

}  // namespace

V8ContextImpl::V8ContextImpl(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame)
    : browser_(browser), frame_(frame), global_(new V8ValueImpl(Kind::kObject)) {}

ScopedCurrentContext::ScopedCurrentContext(CefRefPtr<CefV8Context> context)
    : previous_(CurrentContext()) {
    CurrentContext() = context;
}

ScopedCurrentContext::~ScopedCurrentContext() { CurrentContext() = previous_; }

std::string DescribeGlobal(CefRefPtr<CefV8Value> global,
                           std::vector<DescribedFunction>& functions) {
    std::string out = "{\"p\":";
    std::set<CefV8Value*> visiting;
    DescribeObject(global, functions, visiting, out);
    return out + "}";
}

CefRefPtr<CefV8Value> ValueFromPage(const rapidjson::Value& json) {
    const std::string type = JsonGetString(json, "t");
    auto v = json.IsObject() ? json.FindMember("v") : json.MemberEnd();
    const bool has_value = json.IsObject() && v != json.MemberEnd();
    if (type == "n") return CefV8Value::CreateNull();
    if (type == "b" && has_value && v->value.IsBool()) {
        return CefV8Value::CreateBool(v->value.GetBool());
    }
    if (type == "i" && has_value && v->value.IsInt()) {
        return CefV8Value::CreateInt(v->value.GetInt());
    }
    if (type == "d" && has_value) {
        if (v->value.IsNumber()) return CefV8Value::CreateDouble(v->value.GetDouble());
        if (v->value.IsString()) {
            return CefV8Value::CreateDouble(std::strtod(v->value.GetString(), nullptr));
        }
    }
    if (type == "s" && has_value && v->value.IsString()) {
        return CefV8Value::CreateString(
            std::string(v->value.GetString(), v->value.GetStringLength()));
    }
    if (type == "a") {
        CefRefPtr<V8ValueImpl> array = new V8ValueImpl(Kind::kArray);
        if (has_value && v->value.IsArray()) {
            for (const auto& element : v->value.GetArray()) {
                array->elements_.push_back(ValueFromPage(element));
            }
        }
        return array.get();
    }
    if (type == "o") {
        CefRefPtr<V8ValueImpl> object = new V8ValueImpl(Kind::kObject);
        if (has_value && v->value.IsObject()) {
            for (auto member = v->value.MemberBegin(); member != v->value.MemberEnd(); ++member) {
                V8ValueImpl::Property property{CefString(std::string(member->name.GetString())),
                                               ValueFromPage(member->value),
                                               V8_PROPERTY_ATTRIBUTE_NONE};
                object->properties_.push_back(property);
            }
        }
        return object.get();
    }
    if (type == "f") return new V8ValueImpl(Kind::kFunction);
    return CefV8Value::CreateUndefined();
}

std::string ResultForPage(CefRefPtr<CefV8Value> value) {
    if (!value) return "{}";
    const std::string json = PlainJson(value);
    return json.empty() ? "{}" : "{\"v\":" + json + "}";
}

}  // namespace cef_standin

using cef_standin::Kind;
using cef_standin::V8ValueImpl;

CefRefPtr<CefV8Context> CefV8Context::GetCurrentContext() { return cef_standin::CurrentContext(); }

CefRefPtr<CefV8Value> CefV8Value::CreateUndefined() { return new V8ValueImpl(Kind::kUndefined); }

CefRefPtr<CefV8Value> CefV8Value::CreateNull() { return new V8ValueImpl(Kind::kNull); }

CefRefPtr<CefV8Value> CefV8Value::CreateBool(bool value) {
    CefRefPtr<V8ValueImpl> result = new V8ValueImpl(Kind::kBool);
    result->flag_ = value;
    return result.get();
}

CefRefPtr<CefV8Value> CefV8Value::CreateInt(int32_t value) {
    return cef_standin::MakeNumber(Kind::kInt, value);
}

CefRefPtr<CefV8Value> CefV8Value::CreateUInt(uint32_t value) {
    return cef_standin::MakeNumber(Kind::kUInt, value);
}

CefRefPtr<CefV8Value> CefV8Value::CreateDouble(double value) {
    return cef_standin::MakeNumber(Kind::kDouble, value);
}

CefRefPtr<CefV8Value> CefV8Value::CreateString(const CefString& value) {
    CefRefPtr<V8ValueImpl> result = new V8ValueImpl(Kind::kString);
    result->text_ = value;
    return result.get();
}

CefRefPtr<CefV8Value> CefV8Value::CreateObject(CefRefPtr<CefV8Accessor>,
                                               CefRefPtr<CefV8Interceptor>) {
    if (!cef_standin::CurrentContext()) return nullptr;
    return new V8ValueImpl(Kind::kObject);
}

CefRefPtr<CefV8Value> CefV8Value::CreateFunction(const CefString& name,
                                                 CefRefPtr<CefV8Handler> handler) {
    if (!cef_standin::CurrentContext() || !handler) return nullptr;
    CefRefPtr<V8ValueImpl> result = new V8ValueImpl(Kind::kFunction);
    result->text_ = name;
    result->handler_ = handler;
    return result.get();
}
