// The one request context: the engine's profile. Preferences are the
// engine's; only values it already has can be "set".
#include "include/cef_request_context.h"

namespace {

constexpr wchar_t kMinimumFontSize[] = L"webkit.webprefs.minimum_font_size";

class RequestContextImpl : public CefRequestContext {
  public:
    bool SetPreference(const CefString& name, CefRefPtr<CefValue> value,
                       CefString& error) override {
        // The engine's minimum font size is 0 and cannot be changed from
        // outside; asking for 0 (or the default) is therefore fulfilled.
        if (name == CefString(kMinimumFontSize)) {
            if (!value || (value->GetType() == VTYPE_INT && value->GetInt() == 0)) return true;
            error = "only the value 0 is supported for this preference";
            return false;
        }
        error = "preference is not supported";
        return false;
    }

  private:
    IMPLEMENT_REFCOUNTING(RequestContextImpl);
};

}  // namespace

CefRefPtr<CefRequestContext> CefRequestContext::GetGlobalContext() {
    static const CefRefPtr<CefRequestContext> global = new RequestContextImpl();
    return global;
}
