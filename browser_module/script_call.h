#pragma once

#include <string>

// Script text that calls the page function `name` with `argument` as its one
// string argument: name('argument'); The argument is escaped so the function
// receives exactly the given text.
std::wstring ComposeScriptCall(const std::wstring& name, const std::wstring& argument);
