// The window's layout facts, shared by every window the program has: sizes
// in twips (1/1440 inch), colours, faces and point sizes, captions and the
// tab order. Each window turns them into its own units.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vr::layout {

inline constexpr const char* kWindowName = "Vellor_Results";
inline constexpr const char* kCaption = "Vellor Results";
inline constexpr int kClientWidthTwips = 9135;
inline constexpr int kClientHeightTwips = 11085;
inline constexpr int kTwipsPerInch = 1440;

struct Rgb {
    std::uint8_t r, g, b;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb kNavy{0, 40, 86};       // the window
inline constexpr Rgb kGreen{0, 133, 59};     // title, text boxes, GO! at rest
inline constexpr Rgb kRed{255, 0, 0};        // GO! while running, Exit
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kListText{59, 133, 0};  // the score list's lines

// The faces the window asks for; each window picks its own stand-in when
// one is not installed.
enum class Face { Impact, RoundedBold, CourierNew, ArialNarrow };
const char* faceName(Face face);

enum class Kind { Label, TextBox, Button, List };

// Left, top, width, height in twips from the client area's top left corner.
struct Twips {
    int left, top, width, height;
};

struct Control {
    const char* name;
    Kind kind;
    const char* caption;  // a label's or button's caption; empty for the rest
    Twips box;
    Face face;
    int centipoints;  // the font's size in hundredths of a point
    bool italic;
    bool filled;      // drawn on `background`; labels without it are transparent
    Rgb background;
    Rgb text;
    bool centred;
    bool takesFocus;
};

// The twelve controls in tab order. The later one lies above the earlier
// where two overlap (Label1's box reaches into TxtWebsite's).
inline constexpr std::size_t kControlCount = 12;
extern const Control kControls[kControlCount];

// Indexes into kControls.
enum Index : std::size_t {
    LblTitle, TxtLastDay, LblLastDay, TxtDaysSimmed, LblDaysSimmed, CmdGo,
    LstScores, CmdExit, Label1, Label2, TxtWebsite, TxtMessage,
};

// The sending's status line: the window's empty bottom-left corner, below
// the score list and left of Exit, clear of all twelve controls.
inline constexpr Twips kStatusLine{120, 10440, 7920, 555};
// Its text where it tells of a failure: a light red that reads on the navy.
inline constexpr Rgb kStatusFailure{255, 128, 128};

// Twips to pixels at `dpi` dots per inch (96 is 15 twips a pixel), rounded
// down like the Qt window's whole-pixel grid.
constexpr int toPixels(int twips, int dpi) { return twips * dpi / kTwipsPerInch; }

// A font's height in pixels at `dpi`, rounded to the nearest pixel
// (12 pt at 96 dpi: 16 px).
constexpr int fontPixels(int centipoints, int dpi) {
    return (centipoints * dpi + 3600) / 7200;
}

// The website and the message may hold a whole line of text.
inline constexpr int kLongTextLength = 1000000;

} // namespace vr::layout
