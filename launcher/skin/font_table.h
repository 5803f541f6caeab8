#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace skin {

// The fonts a layout declares, indexed from 0 in document order.
class FontTable {
  public:
    FontTable() = default;
    ~FontTable();
    FontTable(const FontTable&) = delete;
    FontTable& operator=(const FontTable&) = delete;

    // size is the character height in pixels.
    void Add(const std::wstring& face, int size, bool underline, bool isDefault);
    // The font of that index; the default font for -1 or an index out of range.
    HFONT Get(int index) const;

  private:
    std::vector<HFONT> fonts_;
    int default_ = -1;
};

}  // namespace skin
