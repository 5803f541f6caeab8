// Command lines parsed and written with Windows quoting rules. Switches keep
// their order of insertion; a switch given again replaces its value.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "include/cef_command_line.h"

namespace {

// Switch name without "--", "-" or "/" and lower-cased, as Chromium keys them.
std::wstring SwitchKey(const std::wstring& name) {
    size_t start = 0;
    if (name.compare(0, 2, L"--") == 0) {
        start = 2;
    } else if (!name.empty() && (name[0] == L'-' || name[0] == L'/')) {
        start = 1;
    }
    std::wstring key = name.substr(start);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; });
    return key;
}

// |arg| quoted for CommandLineToArgvW when it needs it.
std::wstring Quote(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"')
            out.append(backslashes * 2 + 1, L'\\');
        else
            out.append(backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

class CommandLineImpl : public CefCommandLine {
  public:
    explicit CommandLineImpl(bool read_only) : read_only_(read_only) {}

    bool IsValid() override { return true; }
    bool IsReadOnly() override { return read_only_; }

    void InitFromString(const CefString& command_line) override {
        program_.clear();
        switches_.clear();
        arguments_.clear();
        std::wstring text = command_line.ToWString();
        if (text.empty()) return;
        int count = 0;
        LPWSTR* argv = CommandLineToArgvW(text.c_str(), &count);
        if (!argv) return;
        if (count > 0) program_ = argv[0];
        bool only_arguments = false;
        for (int i = 1; i < count; ++i) {
            std::wstring arg = argv[i];
            if (only_arguments || arg.size() < 2 || arg[0] != L'-' || arg == L"--") {
                if (arg == L"--")
                    only_arguments = true;
                else
                    arguments_.push_back(arg);
                continue;
            }
            size_t eq = arg.find(L'=');
            if (eq == std::wstring::npos)
                Put(arg, L"");
            else
                Put(arg.substr(0, eq), arg.substr(eq + 1));
        }
        LocalFree(argv);
    }

    CefString GetCommandLineString() override {
        std::wstring text = Quote(program_);
        for (const auto& sw : switches_) {
            text += L" --" + sw.first;
            if (!sw.second.empty()) text += L"=" + Quote(sw.second);
        }
        for (const auto& arg : arguments_) text += L" " + Quote(arg);
        return text;
    }
    CefString GetProgram() override { return program_; }
    bool HasSwitches() override { return !switches_.empty(); }
    bool HasSwitch(const CefString& name) override { return Find(name.ToWString()) != nullptr; }
    CefString GetSwitchValue(const CefString& name) override {
        const std::wstring* value = Find(name.ToWString());
        return value ? CefString(*value) : CefString();
    }
    void GetSwitches(SwitchMap& switches) override {
        switches.clear();
        for (const auto& sw : switches_) switches.insert(std::make_pair(sw.first, sw.second));
    }
    void AppendSwitch(const CefString& name) override {
        if (!read_only_) Put(name.ToWString(), L"");
    }
    void AppendSwitchWithValue(const CefString& name, const CefString& value) override {
        if (!read_only_) Put(name.ToWString(), value.ToWString());
    }
    void GetArguments(ArgumentList& arguments) override {
        arguments.assign(arguments_.begin(), arguments_.end());
    }
    void AppendArgument(const CefString& argument) override {
        if (!read_only_) arguments_.push_back(argument.ToWString());
    }

  private:
    const std::wstring* Find(const std::wstring& name) const {
        const std::wstring key = SwitchKey(name);
        for (const auto& sw : switches_) {
            if (sw.first == key) return &sw.second;
        }
        return nullptr;
    }
    void Put(const std::wstring& name, const std::wstring& value) {
        const std::wstring key = SwitchKey(name);
        for (auto& sw : switches_) {
            if (sw.first == key) {
                sw.second = value;
                return;
            }
        }
        switches_.emplace_back(key, value);
    }

    const bool read_only_;
    std::wstring program_;
    std::vector<std::pair<std::wstring, std::wstring>> switches_;
    std::vector<std::wstring> arguments_;
    IMPLEMENT_REFCOUNTING(CommandLineImpl);
};

}  // namespace

CefRefPtr<CefCommandLine> CefCommandLine::CreateCommandLine() { return new CommandLineImpl(false); }

CefRefPtr<CefCommandLine> CefCommandLine::GetGlobalCommandLine() {
    static const CefRefPtr<CefCommandLine> global = [] {
        CefRefPtr<CefCommandLine> line = new CommandLineImpl(true);
        static_cast<CommandLineImpl*>(line.get())->InitFromString(GetCommandLineW());
        return line;
    }();
    return global;
}
