// Script values and contexts of the renderer process. Values set on a
// context's global object while its OnContextCreated runs are what the page
// gets; function calls from the page arrive as Execute calls.
#ifndef CEF_STANDIN_SRC_V8_IMPL_H_
#define CEF_STANDIN_SRC_V8_IMPL_H_

#include <rapidjson/document.h>

#include <string>
#include <utility>
#include <vector>

#include "include/cef_v8.h"

namespace cef_standin {

class V8ContextImpl : public CefV8Context {
  public:
    V8ContextImpl(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame);

    bool IsValid() override { return valid_; }
    CefRefPtr<CefBrowser> GetBrowser() override { return browser_; }
    CefRefPtr<CefFrame> GetFrame() override { return frame_; }
    CefRefPtr<CefV8Value> GetGlobal() override { return global_; }
    bool IsSame(CefRefPtr<CefV8Context> that) override { return that.get() == this; }

    void Invalidate() { valid_ = false; }

  private:
    CefRefPtr<CefBrowser> browser_;
    CefRefPtr<CefFrame> frame_;
    CefRefPtr<CefV8Value> global_;
    bool valid_ = true;
    IMPLEMENT_REFCOUNTING(V8ContextImpl);
};

// Makes |context| current while it lives.
class ScopedCurrentContext {
  public:
    explicit ScopedCurrentContext(CefRefPtr<CefV8Context> context);
    ~ScopedCurrentContext();
    ScopedCurrentContext(const ScopedCurrentContext&) = delete;
    ScopedCurrentContext& operator=(const ScopedCurrentContext&) = delete;

  private:
    CefRefPtr<CefV8Context> previous_;
};

// A native function found in a description, with the object it was set on.
struct DescribedFunction {
    CefRefPtr<CefV8Value> function;
    CefRefPtr<CefV8Value> holder;
};

// Writes the properties of |global| for the page: {"p":[...]}; functions are
// numbered in |functions|.
std::string DescribeGlobal(CefRefPtr<CefV8Value> global, std::vector<DescribedFunction>& functions);
// A value the page sent ({t, v}).
CefRefPtr<CefV8Value> ValueFromPage(const rapidjson::Value& json);
// A function's result for the page: {"v":...}, or {} for undefined and
// values that are not plain.
std::string ResultForPage(CefRefPtr<CefV8Value> value);

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_V8_IMPL_H_
