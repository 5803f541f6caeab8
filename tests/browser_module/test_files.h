#pragma once

#include <string>

// The test vesk2.exe, which carries a version resource.
std::wstring TestVesk2Path();
// The folder of this executable; the runtime's libcef.dll sits there.
std::wstring ExecutableFolder();
bool WriteTestFile(const std::wstring& path, const std::string& contents);

// A new empty folder in the temp folder, removed with everything in it when
// the object ends.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& path() const { return folder; }

  private:
    std::wstring folder;
};

// Makes folder the current directory while the object lives.
class CurrentDirectoryScope {
  public:
    explicit CurrentDirectoryScope(const std::wstring& folder);
    ~CurrentDirectoryScope();
    CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
    CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

  private:
    std::wstring previous;
};
