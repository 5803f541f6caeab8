#pragma once

#include "include/cef_v8.h"
#include "include/cef_values.h"

// Backs one window.external function: forwards each call, with its arguments,
// to the browser process as a process message of the function's name.
class CBrowserV8Handler : public CefV8Handler {
  public:
    bool Execute(const CefString& name, CefRefPtr<CefV8Value> object,
                 const CefV8ValueList& arguments, CefRefPtr<CefV8Value>& retval,
                 CefString& exception) override;

    void SendToBrowser(const CefString& name, const CefV8ValueList& arguments);

  private:
    IMPLEMENT_REFCOUNTING(CBrowserV8Handler);
};

// Sizes list to the script arguments and stores each one: strings, booleans
// and 32-bit integers as such, every other value as null.
void ConvertScriptArguments(const CefV8ValueList& arguments, CefRefPtr<CefListValue> list);
