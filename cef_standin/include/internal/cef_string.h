// CefString: a UTF-16 text that either owns its buffer or refers to a C
// string record (for example a field of CefSettings), with conversions to and
// from UTF-8 and wide text.
#ifndef CEF_INCLUDE_INTERNAL_CEF_STRING_H_
#define CEF_INCLUDE_INTERNAL_CEF_STRING_H_

#include <cstring>
#include <cwchar>
#include <string>

#include "include/internal/cef_string_types.h"

class CefString {
  public:
    typedef char16 char_type;
    typedef cef_string_t struct_type;

    CefString() = default;
    CefString(const CefString& str) { FromString(str.c_str(), str.length(), true); }
    CefString(const std::string& src) { FromString(src); }
    CefString(const char* src) {
        if (src) FromString(std::string(src));
    }
    CefString(const std::wstring& src) { FromWString(src); }
    CefString(const wchar_t* src) {
        if (src) FromString(src, std::wcslen(src), true);
    }
    // Refers to |str| without owning it: changes through this object change
    // the record, which keeps its text after this object is gone.
    CefString(const cef_string_t* str) : string_(const_cast<cef_string_t*>(str)), owner_(false) {}
    ~CefString() { ClearAndFree(); }

    CefString& operator=(const CefString& str) {
        FromString(str.c_str(), str.length(), true);
        return *this;
    }
    CefString& operator=(const std::string& str) {
        FromString(str);
        return *this;
    }
    CefString& operator=(const char* str) {
        FromString(std::string(str ? str : ""));
        return *this;
    }
    CefString& operator=(const std::wstring& str) {
        FromWString(str);
        return *this;
    }
    CefString& operator=(const wchar_t* str) {
        FromString(str, str ? std::wcslen(str) : 0, true);
        return *this;
    }

    operator std::string() const { return ToString(); }
    operator std::wstring() const { return ToWString(); }

    // Zero-terminated UTF-16 text (never null).
    const char16* c_str() const { return string_ && string_->str ? string_->str : L""; }
    size_t length() const { return string_ ? string_->length : 0; }
    size_t size() const { return length(); }
    bool empty() const { return length() == 0; }
    int compare(const CefString& str) const {
        cef_string_t a{const_cast<char16*>(c_str()), length(), nullptr};
        cef_string_t b{const_cast<char16*>(str.c_str()), str.length(), nullptr};
        return cef_string_utf16_cmp(&a, &b);
    }
    void clear() {
        if (string_) cef_string_utf16_clear(string_);
    }

    // The record this object holds or refers to.
    const cef_string_t* GetStruct() const { return string_; }
    cef_string_t* GetWritableStruct() {
        AllocIfNeeded();
        return string_;
    }

    // Copies |len| units of |src| (copy true) or refers to them (copy false).
    bool FromString(const char16* src, size_t len, bool copy) {
        if (len == 0) {
            clear();
            return true;
        }
        AllocIfNeeded();
        return cef_string_utf16_set(src, len, string_, copy) != 0;
    }
    std::string ToString() const {
        if (empty()) return std::string();
        cef_string_utf8_t out{};
        cef_string_utf16_to_utf8(c_str(), length(), &out);
        std::string result(out.str ? out.str : "", out.length);
        cef_string_utf8_clear(&out);
        return result;
    }
    bool FromString(const std::string& str) {
        if (str.empty()) {
            clear();
            return true;
        }
        AllocIfNeeded();
        return cef_string_utf8_to_utf16(str.data(), str.size(), string_) != 0;
    }
    std::wstring ToWString() const { return std::wstring(c_str(), length()); }
    bool FromWString(const std::wstring& str) { return FromString(str.data(), str.size(), true); }
    std::u16string ToString16() const {
        return std::u16string(reinterpret_cast<const char16_t*>(c_str()), length());
    }
    bool FromString16(const std::u16string& str) {
        return FromString(reinterpret_cast<const char16*>(str.data()), str.size(), true);
    }

  private:
    void AllocIfNeeded() {
        if (!string_) {
            string_ = new cef_string_t();
            owner_ = true;
        }
    }
    void ClearAndFree() {
        if (owner_ && string_) {
            cef_string_utf16_clear(string_);
            delete string_;
        }
        string_ = nullptr;
        owner_ = false;
    }

    cef_string_t* string_ = nullptr;
    bool owner_ = false;
};

inline bool operator<(const CefString& a, const CefString& b) { return a.compare(b) < 0; }
inline bool operator<=(const CefString& a, const CefString& b) { return a.compare(b) <= 0; }
inline bool operator>(const CefString& a, const CefString& b) { return a.compare(b) > 0; }
inline bool operator>=(const CefString& a, const CefString& b) { return a.compare(b) >= 0; }
inline bool operator==(const CefString& a, const CefString& b) { return a.compare(b) == 0; }
inline bool operator!=(const CefString& a, const CefString& b) { return a.compare(b) != 0; }

#endif  // CEF_INCLUDE_INTERNAL_CEF_STRING_H_
