// The window's look: colours, fonts and the buttons' style. The layout is
// given in twips (1/1440 inch); at 15 twips per logical pixel it maps onto
// whole pixels, and font sizes in points become pixel sizes (x 4/3) so text
// and geometry scale together.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

namespace vr::look {

inline constexpr int kTwipsPerPixel = 15;

// A rectangle given in twips as left, top, width, height.
QRect twips(int left, int top, int width, int height);

QColor background();  // RGB(0,40,86), the window
QColor green();       // RGB(0,133,59), title, text boxes, GO! at rest
QColor red();         // RGB(255,0,0), GO! while running, Exit
QColor white();
QColor listText();    // RGB(59,133,0), the score list's lines

// The faces the window asks for. When one is not installed a free face of
// like shape stands in; Qt's own fallback would pick a wider face and clip
// the labels.
enum class Face {
    Impact,          // stand-in: Liberation Sans Narrow Bold
    RoundedBold,     // Arial Rounded MT Bold; stand-in: Comfortaa Bold
    CourierNew,      // stand-in: Liberation Mono
    ArialNarrow,     // stand-in: Liberation Sans Narrow
};

struct FaceChoice {
    QString family;
    bool bold = false;
};

// The listed family when `installed` holds it (case aside), else the stand-in.
FaceChoice chooseFace(Face face, const QStringList& installed);

// A font of the face at `pixelSize`, chosen among the installed families.
QFont windowFont(Face face, int pixelSize, bool italic = false);

// The style sheet of a button drawn in `colour`: black caption, a visible
// border, a white border while it has the focus.
QString buttonStyle(const QColor& colour);

} // namespace vr::look
