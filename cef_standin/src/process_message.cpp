#include "include/cef_process_message.h"

#include "values.h"

namespace {

class ProcessMessageImpl : public CefProcessMessage {
  public:
    ProcessMessageImpl(const CefString& name, CefRefPtr<CefListValue> arguments)
        : name_(name), arguments_(arguments) {}

    bool IsValid() override { return true; }
    bool IsReadOnly() override { return arguments_->IsReadOnly(); }
    CefRefPtr<CefProcessMessage> Copy() override {
        return new ProcessMessageImpl(name_, arguments_->Copy());
    }
    CefString GetName() override { return name_; }
    CefRefPtr<CefListValue> GetArgumentList() override { return arguments_; }

  private:
    const CefString name_;
    CefRefPtr<CefListValue> arguments_;
    IMPLEMENT_REFCOUNTING(ProcessMessageImpl);
};

}  // namespace

CefRefPtr<CefProcessMessage> CefProcessMessage::Create(const CefString& name) {
    return new ProcessMessageImpl(name, CefListValue::Create());
}
