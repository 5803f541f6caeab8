// Values, lists and dictionaries that carry data between processes.
#ifndef CEF_INCLUDE_CEF_VALUES_H_
#define CEF_INCLUDE_CEF_VALUES_H_

#include "include/cef_base.h"

class CefListValue;
class CefDictionaryValue;

typedef cef_value_type_t CefValueType;

// One value of any type; new values are null.
class CefValue : public virtual CefBaseRefCounted {
  public:
    CEF_EXPORT static CefRefPtr<CefValue> Create();

    virtual bool IsValid() = 0;
    virtual bool IsReadOnly() = 0;
    virtual CefRefPtr<CefValue> Copy() = 0;
    virtual CefValueType GetType() = 0;
    virtual bool GetBool() = 0;
    virtual int GetInt() = 0;
    virtual double GetDouble() = 0;
    virtual CefString GetString() = 0;
    virtual CefRefPtr<CefListValue> GetList() = 0;
    virtual bool SetNull() = 0;
    virtual bool SetBool(bool value) = 0;
    virtual bool SetInt(int value) = 0;
    virtual bool SetDouble(double value) = 0;
    virtual bool SetString(const CefString& value) = 0;
    virtual bool SetList(CefRefPtr<CefListValue> value) = 0;
};

// Ordered list of values, indexed from 0.
class CefListValue : public virtual CefBaseRefCounted {
  public:
    CEF_EXPORT static CefRefPtr<CefListValue> Create();

    virtual bool IsValid() = 0;
    virtual bool IsReadOnly() = 0;
    virtual CefRefPtr<CefListValue> Copy() = 0;
    // Grows the list with null values or shrinks it.
    virtual bool SetSize(size_t size) = 0;
    virtual size_t GetSize() = 0;
    virtual bool Clear() = 0;
    virtual bool Remove(size_t index) = 0;
    virtual CefValueType GetType(size_t index) = 0;
    virtual CefRefPtr<CefValue> GetValue(size_t index) = 0;
    virtual bool GetBool(size_t index) = 0;
    virtual int GetInt(size_t index) = 0;
    virtual double GetDouble(size_t index) = 0;
    virtual CefString GetString(size_t index) = 0;
    virtual CefRefPtr<CefListValue> GetList(size_t index) = 0;
    // Setters past the end grow the list.
    virtual bool SetValue(size_t index, CefRefPtr<CefValue> value) = 0;
    virtual bool SetNull(size_t index) = 0;
    virtual bool SetBool(size_t index, bool value) = 0;
    virtual bool SetInt(size_t index, int value) = 0;
    virtual bool SetDouble(size_t index, double value) = 0;
    virtual bool SetString(size_t index, const CefString& value) = 0;
    virtual bool SetList(size_t index, CefRefPtr<CefListValue> value) = 0;
};

// Keyed values. The runtime carries none yet; browsers are created without
// extra information.
class CefDictionaryValue : public virtual CefBaseRefCounted {
  public:
    CEF_EXPORT static CefRefPtr<CefDictionaryValue> Create();

    virtual bool IsValid() = 0;
    virtual size_t GetSize() = 0;
};

#endif  // CEF_INCLUDE_CEF_VALUES_H_
