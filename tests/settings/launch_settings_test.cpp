#include "settings/launch_settings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "settings/text_codec.h"
#include "test_registry.h"

namespace {

const std::wstring kKey = kTestRegistryKey;
const std::wstring kFixtures = AnsiToWide(HLVN_SETTINGS_FIXTURES);
const wchar_t kFileParam[] = L"fileparamvalue";
const std::string kLogin = "https://127.0.0.1/login?x=1";
const std::string kBlock = "game.example/pay";

struct RegistryTextCase {
    const char* name;
    std::wstring subKey;
    const wchar_t* value;
    std::wstring expected;
};

TEST(GetRegistryText, Cases) {
    DeleteTree(kKey);
    SetRawValue(kKey, L"abc", REG_SZ, L"abc");
    SetRawValue(kKey, L"empty", REG_SZ, L"");
    SetRawValue(kKey, L"nul", REG_SZ, std::wstring(L"ab\0cd", 5));
    SetRawValue(kKey, L"259", REG_SZ, std::wstring(259, L'x'));
    SetRawValue(kKey, L"260", REG_SZ, std::wstring(260, L'x'));
    SetRawValue(kKey, L"260raw", REG_SZ, std::wstring(260, L'x'), false);
    SetDwordValue(kKey, L"dword", 0x00410042);
    const RegistryTextCase cases[] = {
        {"text", kKey, L"abc", L"abc"},
        {"empty text is not the default", kKey, L"empty", L""},
        {"text ends at its first NUL", kKey, L"nul", L"ab"},
        {"259 characters fit", kKey, L"259", std::wstring(259, L'x')},
        {"260 characters are too long", kKey, L"260", L""},
        {"260 characters without terminator", kKey, L"260raw", L""},
        {"type is not examined", kKey, L"dword", L"BA"},
        {"missing value", kKey, L"missing", L"dflt"},
        {"missing key", kKey + L"\\missing", L"abc", L"dflt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetRegistryText(c.subKey, c.value, L"dflt"), c.expected) << c.name;
    DeleteTree(L"Software\\hlvn-tests");
}

TEST(GetFileParam, CachesTheFirstNonEmptyResult) {
    DeleteValue(kSiblingKey, kFileParam);
    EXPECT_EQ(GetFileParam(), L"");
    SetRawValue(kSiblingKey, kFileParam, REG_SZ, L"setup_AB12CD.exe");
    EXPECT_EQ(GetFileParam(), L"AB12CD");
    SetRawValue(kSiblingKey, kFileParam, REG_SZ, L"other_ZZ.exe");
    EXPECT_EQ(GetFileParam(), L"AB12CD");
    DeleteValue(kSiblingKey, kFileParam);
}

// One run of ComposeLoginUrl in a fresh process whose current directory holds
// the given fixtures as setting.xml and config.ini.
struct ComposeCase {
    const char* name;
    const wchar_t* settingXml;  // nullptr: no setting.xml
    const wchar_t* configIni;   // nullptr: no config.ini
    std::wstring fileParam;     // empty: no "fileparamvalue"
    std::string url;
    std::string blockEntry;
};

std::wstring ExecutableFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs the probe in `directory`; returns its output or "<failed>".
std::string RunProbe(const std::wstring& directory) {
    const std::wstring output = directory + L"\\out.txt";
    std::wstring command = L"login_url_probe.exe \"" + output + L"\"";
    const std::wstring probe = ExecutableFolder() + L"login_url_probe.exe";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(probe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &process))
        return "<failed>";
    const DWORD waited = WaitForSingleObject(process.hProcess, 60000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::string result = exitCode == 0 ? ReadFile(output) : "<failed>";
    DeleteFileW(output.c_str());
    return result;
}

void CopyFixture(const wchar_t* fixture, const std::wstring& target) {
    if (!fixture) return;
    ASSERT_TRUE(CopyFileW((kFixtures + L"/" + fixture).c_str(), target.c_str(), FALSE))
        << GetLastError();
}

TEST(ComposeLoginUrl, Cases) {
    const ComposeCase cases[] = {
        {"vesk2 values are URL-encoded", L"setting_upper.xml", L"config_values.ini", L"pkg_Q1.exe",
         kLogin + "&uid=12+34&suid=a%26b&token=x", kBlock},
        {"an empty config.ini wins over the file parameter", L"setting_upper.xml",
         L"config_empty.ini", L"pkg_Q1.exe", kLogin + "&uid=&suid=&token=", kBlock},
        {"file parameter without config.ini", L"setting_upper.xml", nullptr, L"pkg_Q1.exe",
         kLogin + "?fileparam=UTE=", kBlock},
        {"file parameter without underscore", L"setting_upper.xml", nullptr, L"AB12CD",
         kLogin + "?fileparam=QUIxMkNE", kBlock},
        {"file parameter of one character", L"setting_upper.xml", nullptr, L"x_Q.exe",
         kLogin + "?fileparam=UQ==", kBlock},
        {"file parameter in the ANSI code page", L"setting_upper.xml", nullptr,
         L"setup_\u4E2D\u6587.exe", kLogin + "?fileparam=1tDOxA==", kBlock},
        {"file parameter too short after the underscore", L"setting_upper.xml", nullptr, L"a_b.x",
         kLogin, kBlock},
        {"file parameter longer than 259 characters", L"setting_upper.xml", nullptr,
         L"p_" + std::wstring(300, L'q'), kLogin, kBlock},
        {"no config.ini and no file parameter", L"setting_upper.xml", nullptr, L"", kLogin, kBlock},
        {"blanks inside the brackets", L"setting_upper.xml", L"config_blank_brackets.ini", L"",
         kLogin + "&uid=&suid=&token=", kBlock},
        {"CR LF and trailing blanks", L"setting_upper.xml", L"config_crlf.ini", L"",
         kLogin + "&uid=value&suid=f+n&token=t", kBlock},
        {"a bracket in a value starts a section", L"setting_upper.xml", L"config_bracket_value.ini",
         L"", kLogin + "&uid=u&suid=&token=", kBlock},
        {"lower-case ciphertext", L"setting_lower.xml", nullptr, L"", kLogin, kBlock},
        {"blockUrl before loginUrl", L"setting_block_first.xml", nullptr, L"", kLogin, ""},
        {"no setting.xml", nullptr, L"config_values.ini", L"", "&uid=12+34&suid=a%26b&token=x", ""},
        {"undecryptable setting.xml", L"setting_bad_cipher.xml", nullptr, L"pkg_Q1.exe",
         "?fileparam=UTE=", ""},
    };
    wchar_t current[MAX_PATH] = {};
    ASSERT_NE(GetCurrentDirectoryW(MAX_PATH, current), 0u);
    const std::wstring root =
        std::wstring(current) + L"\\compose-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(root.c_str(), nullptr)) << GetLastError();
    for (const auto& c : cases) {
        const std::wstring directory = root + L"\\case";
        ASSERT_TRUE(CreateDirectoryW(directory.c_str(), nullptr)) << c.name;
        CopyFixture(c.settingXml, directory + L"\\setting.xml");
        CopyFixture(c.configIni, directory + L"\\config.ini");
        if (c.fileParam.empty())
            DeleteValue(kSiblingKey, kFileParam);
        else
            SetRawValue(kSiblingKey, kFileParam, REG_SZ, c.fileParam);
        EXPECT_EQ(RunProbe(directory), c.url + "\n" + c.blockEntry) << c.name;
        DeleteFileW((directory + L"\\setting.xml").c_str());
        DeleteFileW((directory + L"\\config.ini").c_str());
        RemoveDirectoryW(directory.c_str());
    }
    DeleteValue(kSiblingKey, kFileParam);
    EXPECT_TRUE(RemoveDirectoryW(root.c_str()));
}

}  // namespace
