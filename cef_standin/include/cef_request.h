// One HTTP request as a handler sees and edits it.
#ifndef CEF_INCLUDE_CEF_REQUEST_H_
#define CEF_INCLUDE_CEF_REQUEST_H_

#include <map>

#include "include/cef_base.h"

typedef cef_resource_type_t CefResourceType;

class CefRequest : public virtual CefBaseRefCounted {
  public:
    // Several values may stand under one name; header names compare exactly.
    typedef std::multimap<CefString, CefString> HeaderMap;
    typedef cef_resource_type_t ResourceType;

    virtual bool IsReadOnly() = 0;
    virtual CefString GetURL() = 0;
    virtual void SetURL(const CefString& url) = 0;
    virtual CefString GetMethod() = 0;
    virtual void SetMethod(const CefString& method) = 0;
    virtual void GetHeaderMap(HeaderMap& headerMap) = 0;
    virtual void SetHeaderMap(const HeaderMap& headerMap) = 0;
    // First value of |name| (case-insensitive), empty when absent.
    virtual CefString GetHeaderByName(const CefString& name) = 0;
    // Sets |name| to |value|; with |overwrite| earlier values of |name| go.
    virtual void SetHeaderByName(const CefString& name, const CefString& value, bool overwrite) = 0;
    virtual ResourceType GetResourceType() = 0;
    // Identifier unique within the browser process.
    virtual uint64_t GetIdentifier() = 0;
};

#endif  // CEF_INCLUDE_CEF_REQUEST_H_
