// CefRequest as handlers see a paused engine request, with a record of
// what they changed.
#ifndef CEF_STANDIN_SRC_REQUEST_IMPL_H_
#define CEF_STANDIN_SRC_REQUEST_IMPL_H_

#include <mutex>

#include "include/cef_request.h"

namespace cef_standin {

class RequestImpl : public CefRequest {
  public:
    RequestImpl(uint64_t id, const CefString& url, const CefString& method,
                const HeaderMap& headers, ResourceType type);

    bool IsReadOnly() override;
    CefString GetURL() override;
    void SetURL(const CefString& url) override;
    CefString GetMethod() override;
    void SetMethod(const CefString& method) override;
    void GetHeaderMap(HeaderMap& headerMap) override;
    void SetHeaderMap(const HeaderMap& headerMap) override;
    CefString GetHeaderByName(const CefString& name) override;
    void SetHeaderByName(const CefString& name, const CefString& value, bool overwrite) override;
    ResourceType GetResourceType() override;
    uint64_t GetIdentifier() override;

    void SetReadOnly(bool read_only);
    bool url_changed() const { return url_changed_; }
    bool method_changed() const { return method_changed_; }
    bool headers_changed() const { return headers_changed_; }

  private:
    std::mutex mutex_;
    const uint64_t id_;
    CefString url_;
    CefString method_;
    HeaderMap headers_;
    const ResourceType type_;
    bool read_only_ = false;
    bool url_changed_ = false;
    bool method_changed_ = false;
    bool headers_changed_ = false;
    IMPLEMENT_REFCOUNTING(RequestImpl);
};

// The engine's resource type name ("Document", "Image", ...) as CEF's.
cef_resource_type_t ResourceTypeFromEngine(const std::string& type, bool main_frame);

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_REQUEST_IMPL_H_
