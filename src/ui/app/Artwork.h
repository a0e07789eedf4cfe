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

// The menu image list, by number (1 ... 28); an unknown number gives a null icon.
//  1 New, 2 Open, 3 Save, 4 Properties, 5 Delete, 6 Cut, 7 Copy, 8 Paste,
//  9 Excel Out, 10 Insert Row, 11 Delete Row, 12 Reload, 13 Mark All,
//  14 Unmark All, 15 Flip Percents, 16 Weight, 17 Volume, 18 Percent,
//  19 Binder, 20 Cost, 21 Pigment, 22 Solids, 23 Volatile, 24 Folders,
//  25 Tip of the Day, 26 Help Contents, 27 Print, 28 Find
QIcon menuIcon(int number);

// Icons of the button bar that have no menu entry of their own.
QIcon editMaterialsIcon();

// The icon of the program's windows (and of its desktop entry).
QIcon applicationIcon();

// A button-bar glyph: menu image `number` (0: Edit Materials) drawn at 16 x 16
// logical pixels for the given device pixel ratio, transparent around the
// drawing; null for an unknown number.
QImage buttonGlyph(int number, qreal devicePixelRatio);
// The glyph of the About window's "Ok", drawn the same way.
QImage okGlyph(qreal devicePixelRatio);

// The application icon with the product name beside it.
QPixmap logo(QSize size);
// frame 1, 2 or 3
QPixmap splashPicture(int frame, QSize size);

}  // namespace Artwork
