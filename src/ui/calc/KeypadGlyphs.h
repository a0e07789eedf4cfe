#pragma once
// The accept and cancel pictures of the keypad buttons, drawn in code.
#include <QIcon>

namespace KeypadGlyphs {

QIcon acceptIcon();
QIcon cancelIcon();

}  // namespace KeypadGlyphs
