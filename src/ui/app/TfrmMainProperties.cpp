// The main window's formula properties command.
#include "app/TfrmMain.h"

void TfrmMain::connectPropertiesCommands()
{
}
