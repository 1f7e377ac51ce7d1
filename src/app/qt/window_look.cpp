#include "app/qt/window_look.h"

#include <QFontDatabase>

namespace vr::look {

QRect twips(int left, int top, int width, int height) {
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                 height / kTwipsPerPixel);
}

QRect twips(const layout::Twips& box) { return twips(box.left, box.top, box.width, box.height); }

int fontPixels(int centipoints) {
    return layout::fontPixels(centipoints, layout::kTwipsPerInch / kTwipsPerPixel);
}

QColor colour(layout::Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

QColor background() { return colour(layout::kNavy); }
QColor green() { return colour(layout::kGreen); }
QColor red() { return colour(layout::kRed); }
QColor white() { return colour(layout::kWhite); }
QColor listText() { return colour(layout::kListText); }

FaceChoice chooseFace(Face face, const QStringList& installed) {
    struct StandIn {
        const char* family;
        bool bold;
    };
    static const StandIn kStandIns[] = {
        {"Liberation Sans Narrow", true},
        {"Comfortaa", true},
        {"Liberation Mono", false},
        {"Liberation Sans Narrow", false},
    };
    const QString listed = QString::fromLatin1(layout::faceName(face));
    // The list of real families: asking the font database whether a family
    // "exists" would accept a configured alias of another face.
    if (installed.contains(listed, Qt::CaseInsensitive)) return FaceChoice{listed, false};
    const StandIn& s = kStandIns[static_cast<int>(face)];
    return FaceChoice{QString::fromLatin1(s.family), s.bold};
}

QFont windowFont(Face face, int pixelSize, bool italic) {
    FaceChoice choice = chooseFace(face, QFontDatabase::families());
    QFont font(choice.family);
    font.setPixelSize(pixelSize);
    font.setBold(choice.bold);
    font.setItalic(italic);
    return font;
}

QString buttonStyle(const QColor& colour) {
    return QStringLiteral(
               "QPushButton { background-color: %1; color: #000000;"
               " border: 2px solid #000000; border-radius: 3px; padding: 0px; }"
               " QPushButton:focus { border: 2px solid #ffffff; }"
               " QPushButton:pressed { border-style: inset; }")
        .arg(colour.name());
}

} // namespace vr::look
