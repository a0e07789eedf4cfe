#include "ui/app/QtPrompter.h"

#include "ui/widgets/LocalPath.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

void showOk(QWidget* parent, QMessageBox::Icon icon, const char* title, std::string_view text)
{
    QMessageBox box(icon, QString::fromLatin1(title), fromUtf8(text), QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool askYesNo(QWidget* parent, QMessageBox::Icon icon, const char* title, std::string_view text)
{
    QMessageBox box(icon, QString::fromLatin1(title), fromUtf8(text), QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

}  // namespace

QtPrompter::QtPrompter(tintora::Sounds& sounds, QWidget* parent)
    : sounds_(sounds)
    , parent_(parent)
{
}

void QtPrompter::inform(std::string_view text)
{
    sounds_.play("SystemAsterisk");
    showOk(parent_, QMessageBox::Information, "Information", text);
}

void QtPrompter::error(std::string_view text)
{
    sounds_.play("SystemHand");
    showOk(parent_, QMessageBox::Critical, "Error", text);
}

bool QtPrompter::confirm(std::string_view text)
{
    sounds_.play("SystemQuestion");
    return askYesNo(parent_, QMessageBox::Question, "Confirm", text);
}

bool QtPrompter::askInformation(std::string_view text)
{
    sounds_.play("SystemAsterisk");
    return askYesNo(parent_, QMessageBox::Information, "Information", text);
}

tintora::Prompter::Answer QtPrompter::askYesNoCancel(std::string_view text)
{
    sounds_.play("SystemQuestion");
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), fromUtf8(text), QMessageBox::NoButton, parent_);
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    return box.clickedButton() == no ? Answer::No : Answer::Cancel;
}

tintora::Prompter::DiskChangeAnswer QtPrompter::askOverwriteOrReload(std::string_view text)
{
    sounds_.play("SystemQuestion");
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), fromUtf8(text), QMessageBox::NoButton, parent_);
    QPushButton* overwrite = box.addButton(QStringLiteral("&Overwrite"), QMessageBox::AcceptRole);
    QPushButton* reload = box.addButton(QStringLiteral("&Reload"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    // Nothing is lost by a stray Enter: Cancel is the default.
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == overwrite)
        return DiskChangeAnswer::Overwrite;
    return box.clickedButton() == reload ? DiskChangeAnswer::Reload : DiskChangeAnswer::Cancel;
}
