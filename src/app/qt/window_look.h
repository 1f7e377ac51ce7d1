// The Qt window's look: the shared layout facts (app/window_layout.h) in
// Qt's terms, the stand-in faces and the buttons' style. At 15 twips per
// logical pixel the layout maps onto whole pixels, and font sizes in points
// become pixel sizes (x 4/3) so text and geometry scale together.
#pragma once

#include "app/window_layout.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

namespace vr::look {

inline constexpr int kTwipsPerPixel = 15;

// A rectangle given in twips as left, top, width, height.
QRect twips(int left, int top, int width, int height);
QRect twips(const layout::Twips& box);

// Logical pixels of a font of `centipoints` hundredths of a point.
int fontPixels(int centipoints);

QColor colour(layout::Rgb rgb);

QColor background();  // RGB(0,40,86), the window
QColor green();       // RGB(0,133,59), title, text boxes, GO! at rest
QColor red();         // RGB(255,0,0), GO! while running, Exit
QColor white();
QColor listText();    // RGB(59,133,0), the score list's lines

// The faces the window asks for. When one is not installed a free face of
// like shape stands in; Qt's own fallback would pick a wider face and clip
// the labels.
// Impact: Liberation Sans Narrow Bold; Arial Rounded MT Bold: Comfortaa
// Bold; Courier New: Liberation Mono; Arial Narrow: Liberation Sans Narrow.
using layout::Face;

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
