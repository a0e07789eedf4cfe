#pragma once
// The keypad dialog as the main window's services carry it: the real TfrmCalc
// in the program, a scripted keypad in tests.
#include "calc/KeypadDialog.h"

class KeypadService : public tintora::KeypadDialog {};
