// Implementations of CefValue, CefListValue and CefDictionaryValue, and
// their JSON form for the pipe between browser and renderer processes.
#ifndef CEF_STANDIN_SRC_VALUES_H_
#define CEF_STANDIN_SRC_VALUES_H_

#include <rapidjson/document.h>

#include <string>

#include "include/cef_values.h"

namespace cef_standin {

// Appends |list| to |out| as a JSON array; each entry is [type, value].
void ListToJson(CefRefPtr<CefListValue> list, std::string& out);
// Rebuilds a list written by ListToJson; entries it cannot read become null.
CefRefPtr<CefListValue> ListFromJson(const rapidjson::Value& json);
// Makes |list| read-only (a sent message's arguments).
void SetListReadOnly(CefRefPtr<CefListValue> list);

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_VALUES_H_
