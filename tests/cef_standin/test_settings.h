// Runtime settings shared by the test host's runs.
#ifndef TESTS_CEF_STANDIN_TEST_SETTINGS_H_
#define TESTS_CEF_STANDIN_TEST_SETTINGS_H_

#include <string>

#include "include/cef_app.h"

extern const char kTestUserAgent[];
extern const char kTestAcceptLanguage[];

// Settings with |profile| (UTF-8 Windows path) as user-data folder and its
// "cache" sub-folder as cache.
CefSettings TestSettings(const std::string& profile);
// A fresh folder under the temporary folder.
std::string TemporaryProfile();

#endif  // TESTS_CEF_STANDIN_TEST_SETTINGS_H_
