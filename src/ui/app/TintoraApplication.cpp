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

bool TintoraApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        report_(title_, errorReportText(e.what()));
    } catch (...) {
        report_(title_, errorReportText("Unknown error"));
    }
    return false;
}
