// A page picture as the view paints it: 32-bit BGRA pixels, top row first.
#ifndef CEF_STANDIN_SRC_VIEW_FRAME_H_
#define CEF_STANDIN_SRC_VIEW_FRAME_H_

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace cef_standin {

struct ViewFrame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

// Decodes |base64| (a JPEG or PNG picture in Base64, as screencast frames
// carry it) with WIC. The calling thread must have COM initialised.
bool DecodeViewFrame(const std::string& base64, ViewFrame& frame);

// Paints |frame| at the top left of |dc| and fills the rest of |client| white.
void PaintViewFrame(HDC dc, const RECT& client, const ViewFrame& frame);

}  // namespace cef_standin

#endif  // CEF_STANDIN_SRC_VIEW_FRAME_H_
