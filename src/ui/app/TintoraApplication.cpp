#include "ui/app/TintoraApplication.h"

#include <QMessageBox>

#include <exception>

namespace {

void showErrorBox(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::NoButton, QApplication::activeWindow());
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

}  // namespace

TintoraApplication::TintoraApplication(int& argc, char** argv)
    : QApplication(argc, argv)
    , report_(showErrorBox)
{
}

void TintoraApplication::setErrorReport(ErrorReport report)
{
    report_ = report ? std::move(report) : ErrorReport(showErrorBox);
}

QString TintoraApplication::errorReportText(const char* message)
{
    return QString::fromUtf8(message) + QLatin1Char('.');
}

void TintoraApplication::reportError(const QString& text)
{
    report_(title_, text);
}

// The last resort: no handler of this program throws (a dialog reports
// through its Prompter), and Qt calls an exception through its event
// dispatch undefined. What escapes anyway, from a library, is shown rather
// than ending the program with the user's work.
bool TintoraApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportError(errorReportText(e.what()));
    } catch (...) {
        reportError(errorReportText("Unknown error"));
    }
    return false;
}
