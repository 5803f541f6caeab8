#include "skin/font_table.h"

namespace skin {

FontTable::~FontTable() {
    for (HFONT font : fonts_) DeleteObject(font);
}

void FontTable::Add(const std::wstring& face, int size, bool underline, bool isDefault) {
    LOGFONTW description{};
    description.lfHeight = -size;
    description.lfWeight = FW_NORMAL;
    description.lfUnderline = underline ? TRUE : FALSE;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
    fonts_.push_back(CreateFontIndirectW(&description));
    if (isDefault) default_ = static_cast<int>(fonts_.size()) - 1;
}

HFONT FontTable::Get(int index) const {
    if (index >= 0 && index < static_cast<int>(fonts_.size())) return fonts_[index];
    if (default_ >= 0) return fonts_[default_];
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace skin
