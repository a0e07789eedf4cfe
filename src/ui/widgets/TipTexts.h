#pragma once

#include <QStringList>

// The twenty hints the main window gives its tip dialog, in order. Some end
// with a blank; they are kept exactly as they have always been shown.
QStringList tipOfTheDayTexts();
