#include "app/window_layout.h"

#include "league/league_folder.h"

namespace vr::layout {

const char* faceName(Face face) {
    switch (face) {
    case Face::Impact: return "Impact";
    case Face::RoundedBold: return "Arial Rounded MT Bold";
    case Face::CourierNew: return "Courier New";
    case Face::ArialNarrow: return "Arial Narrow";
    }
    return "";
}

namespace {
constexpr Rgb kNone = kNavy;
} // namespace

const Control kControls[kControlCount] = {
    {"LblTitle", Kind::Label, kLeagueName, {120, 120, 8895, 735}, Face::Impact, 2625, false,
     true, kGreen, kWhite, true, false},
    {"TxtLastDay", Kind::TextBox, "", {3120, 960, 1215, 705}, Face::Impact, 2400, false, true,
     kGreen, kWhite, true, true},
    {"LblLastDay", Kind::Label, "Last Day that was Simulated:", {120, 1080, 2895, 495},
     Face::Impact, 1200, false, false, kNone, kWhite, false, false},
    {"TxtDaysSimmed", Kind::TextBox, "", {3120, 1800, 1215, 705}, Face::Impact, 2400, false,
     true, kGreen, kWhite, true, true},
    {"LblDaysSimmed", Kind::Label, "Number of days that were ran during the last sim period:",
     {120, 1800, 2895, 735}, Face::Impact, 1200, false, false, kNone, kWhite, false, false},
    {"CmdGo", Kind::Button, "GO!", {7560, 960, 1455, 735}, Face::RoundedBold, 2775, true, true,
     kGreen, {0, 0, 0}, true, true},
    {"LstScores", Kind::List, "", {120, 2640, 8895, 7710}, Face::CourierNew, 975, false, true,
     kWhite, kListText, false, true},
    {"CmdExit", Kind::Button, "Exit", {8160, 10440, 855, 555}, Face::RoundedBold, 1575, true,
     true, kRed, {0, 0, 0}, true, true},
    {"Label1", Kind::Label, "Website:", {4440, 960, 975, 375}, Face::Impact, 1200, false, false,
     kNone, kWhite, false, false},
    {"Label2", Kind::Label, "Message:", {4440, 1800, 975, 375}, Face::Impact, 1200, false, false,
     kNone, kWhite, false, false},
    {"TxtWebsite", Kind::TextBox, "", {4440, 1290, 2775, 360}, Face::ArialNarrow, 975, false,
     true, kGreen, kWhite, false, true},
    {"TxtMessage", Kind::TextBox, "", {4440, 2160, 4575, 360}, Face::ArialNarrow, 975, false,
     true, kGreen, kWhite, false, true},
};

} // namespace vr::layout
