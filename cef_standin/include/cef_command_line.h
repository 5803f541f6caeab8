// Command lines of the form: program [--switch[=value]]... [argument]...
// Switch names are given with or without their leading "--" (or "-" or "/").
#ifndef CEF_INCLUDE_CEF_COMMAND_LINE_H_
#define CEF_INCLUDE_CEF_COMMAND_LINE_H_

#include <map>
#include <vector>

#include "include/cef_base.h"

class CefCommandLine : public virtual CefBaseRefCounted {
  public:
    typedef std::vector<CefString> ArgumentList;
    typedef std::map<CefString, CefString> SwitchMap;

    CEF_EXPORT static CefRefPtr<CefCommandLine> CreateCommandLine();
    // The command line of this process, read-only.
    CEF_EXPORT static CefRefPtr<CefCommandLine> GetGlobalCommandLine();

    virtual bool IsValid() = 0;
    virtual bool IsReadOnly() = 0;
    // Parses a Windows command-line text; its first word is the program.
    virtual void InitFromString(const CefString& command_line) = 0;
    virtual CefString GetCommandLineString() = 0;
    virtual CefString GetProgram() = 0;
    virtual bool HasSwitches() = 0;
    virtual bool HasSwitch(const CefString& name) = 0;
    virtual CefString GetSwitchValue(const CefString& name) = 0;
    // Switch names without prefix, in name order.
    virtual void GetSwitches(SwitchMap& switches) = 0;
    virtual void AppendSwitch(const CefString& name) = 0;
    virtual void AppendSwitchWithValue(const CefString& name, const CefString& value) = 0;
    virtual void GetArguments(ArgumentList& arguments) = 0;
    virtual void AppendArgument(const CefString& argument) = 0;
};

#endif  // CEF_INCLUDE_CEF_COMMAND_LINE_H_
