// Values are copied into lists and out of them (CEF's lists own their
// entries), so a list never shares an entry with a value object.
#include "values.h"

#include <vector>

#include "json_text.h"

namespace cef_standin {
namespace {

class ListValueImpl;

struct Entry {
    CefValueType type = VTYPE_NULL;
    bool b = false;
    int i = 0;
    double d = 0;
    CefString s;
    CefRefPtr<CefListValue> list;
};

class ValueImpl : public CefValue {
  public:
    ValueImpl() = default;
    explicit ValueImpl(const Entry& entry) : entry_(entry) {}

    bool IsValid() override { return true; }
    bool IsReadOnly() override { return false; }
    CefRefPtr<CefValue> Copy() override { return new ValueImpl(entry_); }
    CefValueType GetType() override { return entry_.type; }
    bool GetBool() override { return entry_.type == VTYPE_BOOL && entry_.b; }
    int GetInt() override { return entry_.type == VTYPE_INT ? entry_.i : 0; }
    double GetDouble() override {
        if (entry_.type == VTYPE_DOUBLE) return entry_.d;
        return entry_.type == VTYPE_INT ? entry_.i : 0;
    }
    CefString GetString() override { return entry_.type == VTYPE_STRING ? entry_.s : CefString(); }
    CefRefPtr<CefListValue> GetList() override { return entry_.list; }
    bool SetNull() override { return Set(Entry()); }
    bool SetBool(bool value) override {
        Entry e;
        e.type = VTYPE_BOOL;
        e.b = value;
        return Set(e);
    }
    bool SetInt(int value) override {
        Entry e;
        e.type = VTYPE_INT;
        e.i = value;
        return Set(e);
    }
    bool SetDouble(double value) override {
        Entry e;
        e.type = VTYPE_DOUBLE;
        e.d = value;
        return Set(e);
    }
    bool SetString(const CefString& value) override {
        Entry e;
        e.type = VTYPE_STRING;
        e.s = value;
        return Set(e);
    }
    bool SetList(CefRefPtr<CefListValue> value) override {
        if (!value) return false;
        Entry e;
        e.type = VTYPE_LIST;
        e.list = value->Copy();
        return Set(e);
    }

    const Entry& entry() const { return entry_; }

  private:
    bool Set(const Entry& e) {
        entry_ = e;
        return true;
    }

    Entry entry_;
    IMPLEMENT_REFCOUNTING(ValueImpl);
};

class ListValueImpl : public CefListValue {
  public:
    bool IsValid() override { return true; }
    bool IsReadOnly() override { return read_only_; }
    CefRefPtr<CefListValue> Copy() override {
        CefRefPtr<ListValueImpl> copy = new ListValueImpl();
        for (const Entry& e : entries_) {
            Entry c = e;
            if (c.list) c.list = c.list->Copy();
            copy->entries_.push_back(c);
        }
        return copy;
    }
    bool SetSize(size_t size) override {
        if (read_only_) return false;
        entries_.resize(size);
        return true;
    }
    size_t GetSize() override { return entries_.size(); }
    bool Clear() override { return SetSize(0); }
    bool Remove(size_t index) override {
        if (read_only_ || index >= entries_.size()) return false;
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
        return true;
    }
    CefValueType GetType(size_t index) override {
        return index < entries_.size() ? entries_[index].type : VTYPE_INVALID;
    }
    CefRefPtr<CefValue> GetValue(size_t index) override {
        if (index >= entries_.size()) return nullptr;
        return new ValueImpl(entries_[index]);
    }
    bool GetBool(size_t index) override { return At(index).type == VTYPE_BOOL && At(index).b; }
    int GetInt(size_t index) override { return At(index).type == VTYPE_INT ? At(index).i : 0; }
    double GetDouble(size_t index) override {
        const Entry& e = At(index);
        if (e.type == VTYPE_DOUBLE) return e.d;
        return e.type == VTYPE_INT ? e.i : 0;
    }
    CefString GetString(size_t index) override {
        return At(index).type == VTYPE_STRING ? At(index).s : CefString();
    }
    CefRefPtr<CefListValue> GetList(size_t index) override { return At(index).list; }
    bool SetValue(size_t index, CefRefPtr<CefValue> value) override {
        if (!value) return false;
        ValueImpl* impl = static_cast<ValueImpl*>(value.get());
        Entry e = impl->entry();
        if (e.list) e.list = e.list->Copy();
        return Put(index, e);
    }
    bool SetNull(size_t index) override { return Put(index, Entry()); }
    bool SetBool(size_t index, bool value) override {
        Entry e;
        e.type = VTYPE_BOOL;
        e.b = value;
        return Put(index, e);
    }
    bool SetInt(size_t index, int value) override {
        Entry e;
        e.type = VTYPE_INT;
        e.i = value;
        return Put(index, e);
    }
    bool SetDouble(size_t index, double value) override {
        Entry e;
        e.type = VTYPE_DOUBLE;
        e.d = value;
        return Put(index, e);
    }
    bool SetString(size_t index, const CefString& value) override {
        Entry e;
        e.type = VTYPE_STRING;
        e.s = value;
        return Put(index, e);
    }
    bool SetList(size_t index, CefRefPtr<CefListValue> value) override {
        if (!value) return false;
        Entry e;
        e.type = VTYPE_LIST;
        e.list = value->Copy();
        return Put(index, e);
    }

    void MakeReadOnly() { read_only_ = true; }

  private:
    const Entry& At(size_t index) const {
        static const Entry kInvalid = [] {
            Entry e;
            e.type = VTYPE_INVALID;
            return e;
        }();
        return index < entries_.size() ? entries_[index] : kInvalid;
    }
    bool Put(size_t index, const Entry& e) {
        if (read_only_) return false;
        if (index >= entries_.size()) entries_.resize(index + 1);
        entries_[index] = e;
        return true;
    }

    std::vector<Entry> entries_;
    bool read_only_ = false;
    IMPLEMENT_REFCOUNTING(ListValueImpl);
};

class DictionaryValueImpl : public CefDictionaryValue {
  public:
    bool IsValid() override { return true; }
    size_t GetSize() override { return 0; }

  private:
    IMPLEMENT_REFCOUNTING(DictionaryValueImpl);
};

}  // namespace

void ListToJson(CefRefPtr<CefListValue> list, std::string& out) {
    out += '[';
    size_t size = list ? list->GetSize() : 0;
    for (size_t i = 0; i < size; ++i) {
        if (i) out += ',';
        switch (list->GetType(i)) {
            case VTYPE_BOOL:
                out += list->GetBool(i) ? "[\"b\",true]" : "[\"b\",false]";
                break;
            case VTYPE_INT:
                out += "[\"i\"," + std::to_string(list->GetInt(i)) + "]";
                break;
            case VTYPE_DOUBLE: {
                rapidjson::Value number(list->GetDouble(i));
                out += "[\"d\"," + JsonWrite(number) + "]";
                break;
            }
            case VTYPE_STRING:
                out += "[\"s\"," + JsonQuote(list->GetString(i).ToString()) + "]";
                break;
            case VTYPE_LIST:
                out += "[\"l\",";
                ListToJson(list->GetList(i), out);
                out += "]";
                break;
            default:
                out += "[\"n\",null]";
                break;
        }
    }
    out += ']';
}

CefRefPtr<CefListValue> ListFromJson(const rapidjson::Value& json) {
    CefRefPtr<CefListValue> list = CefListValue::Create();
    if (!json.IsArray()) return list;
    list->SetSize(json.Size());
    for (rapidjson::SizeType i = 0; i < json.Size(); ++i) {
        const rapidjson::Value& entry = json[i];
        if (!entry.IsArray() || entry.Size() != 2 || !entry[0].IsString()) continue;
        const std::string tag = entry[0].GetString();
        const rapidjson::Value& v = entry[1];
        if (tag == "b" && v.IsBool()) {
            list->SetBool(i, v.GetBool());
        } else if (tag == "i" && v.IsInt()) {
            list->SetInt(i, v.GetInt());
        } else if (tag == "d" && v.IsNumber()) {
            list->SetDouble(i, v.GetDouble());
        } else if (tag == "s" && v.IsString()) {
            list->SetString(i, std::string(v.GetString(), v.GetStringLength()));
        } else if (tag == "l") {
            list->SetList(i, ListFromJson(v));
        }
    }
    return list;
}

void SetListReadOnly(CefRefPtr<CefListValue> list) {
    static_cast<ListValueImpl*>(list.get())->MakeReadOnly();
}

}  // namespace cef_standin

CefRefPtr<CefValue> CefValue::Create() { return new cef_standin::ValueImpl(); }

CefRefPtr<CefListValue> CefListValue::Create() { return new cef_standin::ListValueImpl(); }

CefRefPtr<CefDictionaryValue> CefDictionaryValue::Create() {
    return new cef_standin::DictionaryValueImpl();
}
