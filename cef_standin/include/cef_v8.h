// Script values of a renderer process: contexts, values and native functions.
#ifndef CEF_INCLUDE_CEF_V8_H_
#define CEF_INCLUDE_CEF_V8_H_

#include <vector>

#include "include/cef_base.h"
#include "include/cef_browser.h"
#include "include/cef_frame.h"

class CefV8Value;

// One script context (the global scope of one document of one frame).
class CefV8Context : public virtual CefBaseRefCounted {
  public:
    // The context whose script is running, or in which OnContextCreated runs.
    CEF_EXPORT static CefRefPtr<CefV8Context> GetCurrentContext();

    virtual bool IsValid() = 0;
    virtual CefRefPtr<CefBrowser> GetBrowser() = 0;
    virtual CefRefPtr<CefFrame> GetFrame() = 0;
    virtual CefRefPtr<CefV8Value> GetGlobal() = 0;
    virtual bool IsSame(CefRefPtr<CefV8Context> that) = 0;
};

typedef std::vector<CefRefPtr<CefV8Value>> CefV8ValueList;

// Native implementation of script functions.
class CefV8Handler : public virtual CefBaseRefCounted {
  public:
    // Runs the function |name| called with |object| as this. Set |retval| to
    // give the call a value, or |exception| to throw it as an Error. Returns
    // true when the call was handled.
    virtual bool Execute(const CefString& name, CefRefPtr<CefV8Value> object,
                         const CefV8ValueList& arguments, CefRefPtr<CefV8Value>& retval,
                         CefString& exception) = 0;
};

// Property accessor of an object; objects are created without one.
class CefV8Accessor : public virtual CefBaseRefCounted {};

// Named and indexed property interceptor; objects are created without one.
class CefV8Interceptor : public virtual CefBaseRefCounted {};

class CefV8Value : public virtual CefBaseRefCounted {
  public:
    typedef cef_v8_propertyattribute_t PropertyAttribute;

    CEF_EXPORT static CefRefPtr<CefV8Value> CreateUndefined();
    CEF_EXPORT static CefRefPtr<CefV8Value> CreateNull();
    CEF_EXPORT static CefRefPtr<CefV8Value> CreateBool(bool value);
    CEF_EXPORT static CefRefPtr<CefV8Value> CreateInt(int32_t value);
    CEF_EXPORT static CefRefPtr<CefV8Value> CreateUInt(uint32_t value);
    CEF_EXPORT static CefRefPtr<CefV8Value> CreateDouble(double value);
    CEF_EXPORT static CefRefPtr<CefV8Value> CreateString(const CefString& value);
    // A new empty object; must be called inside a context.
    CEF_EXPORT static CefRefPtr<CefV8Value> CreateObject(CefRefPtr<CefV8Accessor> accessor,
                                                         CefRefPtr<CefV8Interceptor> interceptor);
    // A function |name| whose calls run |handler|; must be called inside a
    // context.
    CEF_EXPORT static CefRefPtr<CefV8Value> CreateFunction(const CefString& name,
                                                           CefRefPtr<CefV8Handler> handler);

    virtual bool IsValid() = 0;
    virtual bool IsUndefined() = 0;
    virtual bool IsNull() = 0;
    virtual bool IsBool() = 0;
    // A number that is an integer in the signed 32-bit range.
    virtual bool IsInt() = 0;
    // A number that is an integer in the unsigned 32-bit range.
    virtual bool IsUInt() = 0;
    // Any number.
    virtual bool IsDouble() = 0;
    virtual bool IsString() = 0;
    // Objects, arrays and functions.
    virtual bool IsObject() = 0;
    virtual bool IsArray() = 0;
    virtual bool IsFunction() = 0;

    virtual bool GetBoolValue() = 0;
    virtual int32_t GetIntValue() = 0;
    virtual uint32_t GetUIntValue() = 0;
    virtual double GetDoubleValue() = 0;
    virtual CefString GetStringValue() = 0;

    // Object properties.
    virtual bool HasValue(const CefString& key) = 0;
    virtual CefRefPtr<CefV8Value> GetValue(const CefString& key) = 0;
    virtual bool SetValue(const CefString& key, CefRefPtr<CefV8Value> value,
                          PropertyAttribute attribute) = 0;
    virtual bool GetKeys(std::vector<CefString>& keys) = 0;

    // Array elements.
    virtual int GetArrayLength() = 0;
    virtual CefRefPtr<CefV8Value> GetValue(int index) = 0;

    virtual CefString GetFunctionName() = 0;
    virtual CefRefPtr<CefV8Handler> GetFunctionHandler() = 0;
};

#endif  // CEF_INCLUDE_CEF_V8_H_
