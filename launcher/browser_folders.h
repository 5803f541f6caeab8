// The browser runtime's cache and user-data folders, derived from the temp path.
#pragma once

#include <string>

struct BrowserFolders {
    std::string cachePath;     // UTF-8
    std::string userDataPath;  // UTF-8
};

// Both folders lie beside the temp folder: its last five characters (usually
// "Temp" and the backslash after it) are dropped and "Pinnace\cache\pinnlogin"
// (and "...\userdata") appended. A temp path shorter than five characters gives
// empty folders, which leaves the runtime on its own defaults.
BrowserFolders BrowserFoldersFromTempPath(const std::wstring& tempPath);

// The same for this process's temp path; empty folders when it cannot be read.
BrowserFolders QueryBrowserFolders();
