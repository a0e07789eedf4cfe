#include "ui/calc/KeypadGlyphs.h"

#include "ui/widgets/SvgIcon.h"

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
