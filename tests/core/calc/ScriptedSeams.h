#pragma once
// Message boxes and the keypad dialog for tests, as the core tests name them.
#include "ScriptedKeypad.h"
#include "ScriptedPrompter.h"

namespace tintora::test {

using BoxKind = testing::ShownMessage::Kind;
using Message = testing::ShownMessage;
using testing::KeypadCall;
using testing::ScriptedKeypad;
using testing::ScriptedPrompter;

}  // namespace tintora::test
