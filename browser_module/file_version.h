#pragma once

#include <string>

// Dotted file version ("major.minor.build.revision") from the version
// resource of the file at path; empty when it has none or cannot be read.
std::wstring GetFileVersionText(const std::wstring& path);
