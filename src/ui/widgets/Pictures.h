#pragma once
// The small pictures of the bench window, drawn with QPainter in their own
// coordinates: crisp at any size, and nothing to parse or to load at start-up.

#include <QIcon>
#include <QRectF>
#include <QSize>
#include <QStringView>

class QPainter;

namespace eh {

enum class Picture {
    None,
    Info,                // white speech bubble with a blue letter i
    Minus,               // outline of a minus sign
    Plus,                // outline of a plus sign
    ResistivityContacts, // red "Vr" on grey
    HallContacts,        // red "Vh" on grey
    AppIcon,             // a sample bar between two red coils, on a peach tile
};

// The picture a layout row names ("info", "minus", "plus", "conmuta_ro",
// "conmuta_eh"); None for any other name.
Picture pictureNamed(QStringView name);

// The picture's own coordinate box, in which it is drawn.
QSize pictureBox(Picture picture);

// Draws `picture` scaled to fill `target`.
void paintPicture(QPainter& painter, Picture picture, const QRectF& target);

// An icon drawn on demand at the requested size; the disabled and other modes are
// made from it by the style, as for any icon.
QIcon pictureIcon(Picture picture);

} // namespace eh
