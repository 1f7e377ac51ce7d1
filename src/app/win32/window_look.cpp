#include "app/win32/window_look.h"

#include "app/win32/wide_text.h"

#include <cwctype>

namespace vr::win32 {

COLORREF colour(layout::Rgb rgb) { return RGB(rgb.r, rgb.g, rgb.b); }

RECT pixelBox(const layout::Twips& box, int dpi) {
    const int left = layout::toPixels(box.left, dpi);
    const int top = layout::toPixels(box.top, dpi);
    return RECT{left, top, left + layout::toPixels(box.width, dpi), top + layout::toPixels(box.height, dpi)};
}

SIZE clientSize(int dpi) {
    return SIZE{layout::toPixels(layout::kClientWidthTwips, dpi),
                layout::toPixels(layout::kClientHeightTwips, dpi)};
}

namespace {

bool sameName(const std::wstring& a, const wchar_t* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return i == a.size() && !b[i];
}

struct Candidate {
    const wchar_t* family;
    bool bold;
};

// In order of preference, the listed face first. The last of each list is
// on every Windows.
const std::vector<Candidate>& candidates(layout::Face face) {
    static const std::vector<Candidate> impact{
        {L"Impact", false}, {L"Liberation Sans Narrow", true}, {L"Arial Narrow", true},
        {L"Arial", true}};
    static const std::vector<Candidate> rounded{
        {L"Arial Rounded MT Bold", false}, {L"Comfortaa", true}, {L"Arial", true}};
    static const std::vector<Candidate> courier{
        {L"Courier New", false}, {L"Liberation Mono", false}, {L"DejaVu Sans Mono", false},
        {L"Consolas", false}};
    static const std::vector<Candidate> narrow{
        {L"Arial Narrow", false}, {L"Liberation Sans Narrow", false}, {L"Arial", false}};
    switch (face) {
    case layout::Face::Impact: return impact;
    case layout::Face::RoundedBold: return rounded;
    case layout::Face::CourierNew: return courier;
    case layout::Face::ArialNarrow: return narrow;
    }
    return impact;
}

int CALLBACK addFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
    auto* families = reinterpret_cast<std::vector<std::wstring>*>(list);
    // Vertical variants ("@Face") are not faces of their own.
    if (font->lfFaceName[0] != L'@') families->emplace_back(font->lfFaceName);
    return 1;
}

} // namespace

FaceChoice chooseFace(layout::Face face, const std::vector<std::wstring>& installed) {
    const auto& list = candidates(face);
    for (const Candidate& c : list)
        for (const std::wstring& name : installed)
            if (sameName(name, c.family)) return FaceChoice{c.family, c.bold};
    return FaceChoice{list.back().family, list.back().bold};
}

const std::vector<std::wstring>& installedFamilies() {
    static const std::vector<std::wstring> families = [] {
        std::vector<std::wstring> list;
        HDC dc = GetDC(nullptr);
        LOGFONTW query{};
        query.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExW(dc, &query, addFamily, reinterpret_cast<LPARAM>(&list), 0);
        ReleaseDC(nullptr, dc);
        return list;
    }();
    return families;
}

HFONT makeFont(const layout::Control& control, const FaceChoice& face, int pixels) {
    LOGFONTW font{};
    font.lfHeight = -pixels;
    font.lfWeight = face.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = control.italic ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, face.family.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

namespace {

// Whether the caption, drawn as the control draws it, stays inside its box.
bool fits(HDC dc, const layout::Control& control, HFONT font, int dpi) {
    const RECT box = pixelBox(control.box, dpi);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const std::wstring caption = toWide(control.caption);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, width, 0};
    UINT format = DT_CALCRECT | DT_NOPREFIX;
    format |= control.kind == layout::Kind::Button ? DT_SINGLELINE : DT_WORDBREAK;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, format);
    SelectObject(dc, old);
    // A button keeps its border clear of the caption.
    const int border = control.kind == layout::Kind::Button ? 2 * layout::toPixels(30, dpi) : 0;
    return r.right - r.left <= width - border && r.bottom - r.top <= height - border;
}

} // namespace

int fittedFontPixels(HDC dc, const layout::Control& control, const FaceChoice& face, int dpi) {
    int pixels = layout::fontPixels(control.centipoints, dpi);
    if (*control.caption == '\0') return pixels;
    const int smallest = pixels / 2;
    for (; pixels > smallest; --pixels) {
        HFONT font = makeFont(control, face, pixels);
        const bool ok = fits(dc, control, font, dpi);
        DeleteObject(font);
        if (ok) break;
    }
    return pixels;
}

} // namespace vr::win32
