#include "ui/app/QtPrompter.h"

#include "ui/app/TintoraApplication.h"
#include "ui/widgets/LocalPath.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

using tintora::MessageKind;

QMessageBox::Icon iconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
    case MessageKind::Question:
        return QMessageBox::Information;
    case MessageKind::Error:
    case MessageKind::ErrorReport:
        return QMessageBox::Critical;
    case MessageKind::Confirm:
    case MessageKind::YesNoCancel:
    case MessageKind::OverwriteReloadCancel:
    case MessageKind::KeptCopy:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

bool hasOkAlone(MessageKind kind)
{
    return kind == MessageKind::Information || kind == MessageKind::Error || kind == MessageKind::ErrorReport;
}

// A box of three named buttons answering Yes, No and Cancel (Overwrite,
// Reload, Cancel; Open Kept Version, Delete Copy, Keep File). Nothing is lost
// by a stray Enter: the third, which changes nothing, is the default.
tintora::Prompter::Answer showThreeButtons(
    QMessageBox& box, const QString& yes, const QString& no, const QString& cancel)
{
    using Answer = tintora::Prompter::Answer;
    QPushButton* yesButton = box.addButton(yes, QMessageBox::AcceptRole);
    QPushButton* noButton = box.addButton(no, QMessageBox::DestructiveRole);
    QPushButton* cancelButton = box.addButton(cancel, QMessageBox::RejectRole);
    box.setDefaultButton(cancelButton);
    box.setEscapeButton(cancelButton);
    box.exec();
    if (box.clickedButton() == yesButton)
        return Answer::Yes;
    return box.clickedButton() == noButton ? Answer::No : Answer::Cancel;
}

}  // namespace

QtPrompter::QtPrompter(tintora::Sounds& sounds, QWidget* parent)
    : SoundingPrompter(&sounds)
    , parent_(parent)
{
}

tintora::Prompter::Answer QtPrompter::show(MessageKind kind, std::string_view text)
{
    // The error report is the application's one box, also shown for what
    // escapes a handler; without that application, a box captioned alike.
    auto* application = qobject_cast<TintoraApplication*>(QCoreApplication::instance());
    if (kind == MessageKind::ErrorReport && application) {
        application->reportError(fromUtf8(text));
        return Answer::Yes;
    }
    const QString title = kind == MessageKind::ErrorReport ? QGuiApplication::applicationDisplayName()
                                                           : QString::fromLatin1(tintora::messageTitle(kind));
    QMessageBox box(iconOf(kind), title, fromUtf8(text), QMessageBox::NoButton, parent_);
    if (hasOkAlone(kind)) {
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return Answer::Yes;
    }
    if (kind == MessageKind::OverwriteReloadCancel)
        return showThreeButtons(box, QStringLiteral("&Overwrite"), QStringLiteral("&Reload"), QStringLiteral("Cancel"));
    if (kind == MessageKind::KeptCopy)
        return showThreeButtons(
            box, QStringLiteral("&Open Kept Version"), QStringLiteral("&Delete Copy"), QStringLiteral("&Keep File"));
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    // Escape (and the frame's close button) answers No, never Yes.
    box.setEscapeButton(no);
    if (kind == MessageKind::YesNoCancel)
        box.setEscapeButton(box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole));
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    return box.clickedButton() == no ? Answer::No : Answer::Cancel;
}
