#include "request_impl.h"

#include <map>

namespace cef_standin {
namespace {

bool SameNameIgnoringCase(const CefString& a, const CefString& b) {
    return a.length() == b.length() && _wcsnicmp(a.c_str(), b.c_str(), a.length()) == 0;
}

}  // namespace

RequestImpl::RequestImpl(uint64_t id, const CefString& url, const CefString& method,
                         const HeaderMap& headers, ResourceType type)
    : id_(id), url_(url), method_(method), headers_(headers), type_(type) {}

bool RequestImpl::IsReadOnly() {
    std::lock_guard<std::mutex> lock(mutex_);
    return read_only_;
}

CefString RequestImpl::GetURL() {
    std::lock_guard<std::mutex> lock(mutex_);
    return url_;
}

void RequestImpl::SetURL(const CefString& url) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (read_only_ || url == url_) return;
    url_ = url;
    url_changed_ = true;
}

CefString RequestImpl::GetMethod() {
    std::lock_guard<std::mutex> lock(mutex_);
    return method_;
}

void RequestImpl::SetMethod(const CefString& method) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (read_only_ || method == method_) return;
    method_ = method;
    method_changed_ = true;
}

void RequestImpl::GetHeaderMap(HeaderMap& headerMap) {
    std::lock_guard<std::mutex> lock(mutex_);
    headerMap = headers_;
}

void RequestImpl::SetHeaderMap(const HeaderMap& headerMap) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (read_only_ || headerMap == headers_) return;
    headers_ = headerMap;
    headers_changed_ = true;
}

CefString RequestImpl::GetHeaderByName(const CefString& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& header : headers_) {
        if (SameNameIgnoringCase(header.first, name)) return header.second;
    }
    return CefString();
}

void RequestImpl::SetHeaderByName(const CefString& name, const CefString& value, bool overwrite) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (read_only_) return;
    bool present = false;
    for (auto it = headers_.begin(); it != headers_.end();) {
        if (SameNameIgnoringCase(it->first, name)) {
            present = true;
            if (overwrite) {
                it = headers_.erase(it);
                continue;
            }
        }
        ++it;
    }
    if (present && !overwrite) return;
    headers_.insert(std::make_pair(name, value));
    headers_changed_ = true;
}

CefRequest::ResourceType RequestImpl::GetResourceType() { return type_; }

uint64_t RequestImpl::GetIdentifier() { return id_; }

void RequestImpl::SetReadOnly(bool read_only) {
    std::lock_guard<std::mutex> lock(mutex_);
    read_only_ = read_only;
}

cef_resource_type_t ResourceTypeFromEngine(const std::string& type, bool main_frame) {
    static const std::map<std::string, cef_resource_type_t> kTypes = {
        {"Stylesheet", RT_STYLESHEET},
        {"Script", RT_SCRIPT},
        {"Image", RT_IMAGE},
        {"Font", RT_FONT_RESOURCE},
        {"Media", RT_MEDIA},
        {"XHR", RT_XHR},
        {"Fetch", RT_XHR},
        {"Ping", RT_PING},
        {"CSPViolationReport", RT_CSP_REPORT},
        {"Prefetch", RT_PREFETCH},
    };
    if (type == "Document") return main_frame ? RT_MAIN_FRAME : RT_SUB_FRAME;
    auto it = kTypes.find(type);
    return it == kTypes.end() ? RT_SUB_RESOURCE : it->second;
}

}  // namespace cef_standin
