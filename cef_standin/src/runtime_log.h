// The runtime's diagnostic lines on standard error, unless the settings'
// log severity is LOGSEVERITY_DISABLE.
#ifndef CEF_STANDIN_SRC_RUNTIME_LOG_H_
#define CEF_STANDIN_SRC_RUNTIME_LOG_H_

#include <string>

namespace cef_standin {

void EnableLog(bool enabled);
void Log(const std::string& line);

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_RUNTIME_LOG_H_
