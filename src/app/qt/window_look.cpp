#include "app/qt/window_look.h"

#include <QFontDatabase>

namespace vr::look {

QRect twips(int left, int top, int width, int height) {
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                 height / kTwipsPerPixel);
}

QColor background() { return QColor(0, 40, 86); }
QColor green() { return QColor(0, 133, 59); }
QColor red() { return QColor(255, 0, 0); }
QColor white() { return QColor(255, 255, 255); }
QColor listText() { return QColor(59, 133, 0); }

FaceChoice chooseFace(Face face, const QStringList& installed) {
    struct Entry {
        const char* listed;
        const char* standIn;
        bool standInBold;
    };
    static const Entry kEntries[] = {
        {"Impact", "Liberation Sans Narrow", true},
        {"Arial Rounded MT Bold", "Comfortaa", true},
        {"Courier New", "Liberation Mono", false},
        {"Arial Narrow", "Liberation Sans Narrow", false},
    };
    const Entry& e = kEntries[static_cast<int>(face)];
    // The list of real families: asking the font database whether a family
    // "exists" would accept a configured alias of another face.
    if (installed.contains(QString::fromLatin1(e.listed), Qt::CaseInsensitive))
        return FaceChoice{QString::fromLatin1(e.listed), false};
    return FaceChoice{QString::fromLatin1(e.standIn), e.standInBold};
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
