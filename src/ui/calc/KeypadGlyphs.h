#pragma once
// The accept and cancel pictures of the keypad buttons (resources/icons).
#include <QIcon>

namespace KeypadGlyphs {

QIcon acceptIcon();
QIcon cancelIcon();

}  // namespace KeypadGlyphs
