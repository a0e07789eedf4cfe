#pragma once
// The program's own pictures, SVG files among the resources (resources/icons),
// drawn at the size they are shown so that they stay sharp at any device pixel
// ratio: the menu and button-bar icons, the application icon, the logo and the
// three pictures of the About window's animation.
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>

namespace Artwork {

// The pictures of the commands, in the menus and on the button bar.
enum class Icon {
    None,
    New,
    Open,
    Save,
    Properties,
    Delete,
    Cut,
    Copy,
    Paste,
    ExcelOut,
    InsertRow,
    DeleteRow,
    Reload,
    MarkAll,
    UnmarkAll,
    FlipPercents,
    Weight,
    Volume,
    Percent,
    Binder,
    Cost,
    Pigment,
    Solids,
    Volatile,
    Folders,
    TipOfTheDay,
    HelpContents,
    Print,
    Find,
    EditMaterials,
};
// Every picture but None, for those that go through them all.
inline constexpr int IconCount = static_cast<int>(Icon::EditMaterials);

// The command picture; a null icon for None.
QIcon icon(Icon which);

// The icon of the program's windows (and of its desktop entry).
QIcon applicationIcon();

// The glyph of the About window's "Ok": drawn at 16 x 16 logical pixels for
// the given device pixel ratio, transparent around the drawing.
QImage okGlyph(qreal devicePixelRatio);

// The application icon with the product name beside it.
QPixmap logo(QSize size);
// frame 1, 2 or 3
QPixmap splashPicture(int frame, QSize size);

}  // namespace Artwork
