// UTF-8 and UTF-16 conversions of the runtime's own texts.
#ifndef CEF_STANDIN_SRC_WIDE_TEXT_H_
#define CEF_STANDIN_SRC_WIDE_TEXT_H_

#include <string>

namespace cef_standin {

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_WIDE_TEXT_H_
