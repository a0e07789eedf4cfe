// The main window's target recalculation and keypad commands.
#include "app/TfrmMain.h"

void TfrmMain::connectRecalcCommands()
{
}
