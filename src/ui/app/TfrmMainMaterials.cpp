// The main window's material editor command.
#include "app/TfrmMain.h"

void TfrmMain::connectMaterialEditorCommands()
{
}
