#include "core/prompt/Prompter.h"

namespace tintora {

const char* messageTitle(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
    case MessageKind::Question:
        return "Information";
    case MessageKind::Error:
        return "Error";
    case MessageKind::Confirm:
    case MessageKind::YesNoCancel:
    case MessageKind::OverwriteReloadCancel:
    case MessageKind::KeptCopy:
        return "Confirm";
    case MessageKind::ErrorReport:
        break;
    }
    return "";
}

const char* messageSound(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
    case MessageKind::Question:
        return "SystemAsterisk";
    case MessageKind::Error:
        return "SystemHand";
    case MessageKind::Confirm:
    case MessageKind::YesNoCancel:
    case MessageKind::OverwriteReloadCancel:
    case MessageKind::KeptCopy:
        return "SystemQuestion";
    case MessageKind::ErrorReport:
        break;
    }
    return "";
}

}  // namespace tintora
