#pragma once

#include <string>

#include "include/cef_app.h"

// Runtime settings of the browser process. The two folders (UTF-8) are used
// only as a pair: when either is empty the runtime keeps its own defaults.
CefSettings MakeCefSettings(const std::string& cachePath, const std::string& userDataPath,
                            const std::string& userAgent);
