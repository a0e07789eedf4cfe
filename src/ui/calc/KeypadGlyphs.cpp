#include "calc/KeypadGlyphs.h"

#include "widgets/SvgIcon.h"

namespace KeypadGlyphs {

QIcon acceptIcon()
{
    return svgicon::icon(QStringLiteral("keypad-accept"));
}

QIcon cancelIcon()
{
    return svgicon::icon(QStringLiteral("keypad-cancel"));
}

}  // namespace KeypadGlyphs
