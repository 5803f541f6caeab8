#include "script_call.h"

#include <cwchar>

namespace {

void AppendEscaped(std::wstring& script, wchar_t c) {
    switch (c) {
        case L'\\':
            script += L"\\\\";
            return;
        case L'\'':
            script += L"\\'";
            return;
        default:
            break;
    }
    // Control characters and the two script line terminators cannot stand
    // unescaped in a string literal.
    if (c < 0x20 || c == 0x2028 || c == 0x2029) {
        wchar_t code[8];
        std::swprintf(code, 8, L"\\u%04x", static_cast<unsigned>(c));
        script += code;
        return;
    }
    script += c;
}

}  // namespace

std::wstring ComposeScriptCall(const std::wstring& name, const std::wstring& argument) {
    std::wstring script = name;
    script.reserve(name.size() + argument.size() + 8);
    script += L"('";
    for (wchar_t c : argument) {
        AppendEscaped(script, c);
    }
    script += L"');";
    return script;
}
