// The Win32 window's look: the shared layout facts (app/window_layout.h) in
// the system's units at a given DPI, and the faces that stand in for those
// not installed.
#pragma once

#include "app/window_layout.h"

#include <windows.h>

#include <string>
#include <vector>

namespace vr::win32 {

COLORREF colour(layout::Rgb rgb);

// A control's box in client pixels at `dpi`.
RECT pixelBox(const layout::Twips& box, int dpi);
// The client area's size at `dpi` (609 x 739 at 96).
SIZE clientSize(int dpi);

// The face a control's font is made of. Impact and Courier New come with
// every Windows, Arial Rounded MT Bold and Arial Narrow with Office; where
// one is missing a face of like shape stands in (under Wine, the free faces
// of the Linux window), and the system's font mapper, which would pick a
// wider face, is never left to choose.
struct FaceChoice {
    std::wstring family;
    bool bold = false;
    friend bool operator==(const FaceChoice&, const FaceChoice&) = default;
};
FaceChoice chooseFace(layout::Face face, const std::vector<std::wstring>& installed);

// The font families installed on this machine.
const std::vector<std::wstring>& installedFamilies();

// A font of the control's face, `pixels` high (the character height, as a
// point size gives it), italic as the control asks.
HFONT makeFont(const layout::Control& control, const FaceChoice& face, int pixels);

// The pixel height the control's font gets at `dpi`: its point size, made
// smaller only when a stand-in face would clip the caption in its box.
int fittedFontPixels(HDC dc, const layout::Control& control, const FaceChoice& face, int dpi);

} // namespace vr::win32
