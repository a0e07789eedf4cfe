#pragma once
// The application object: it shows the general error report, which a
// dialog asks for through its Prompter, and catches, as the last resort, an
// error that escapes an event handler anyway; the program goes on.
#include <QApplication>

#include <functional>

class TintoraApplication : public QApplication {
    Q_OBJECT
public:
    TintoraApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The report: title (the application title) and text; a message box unless
    // replaced (tests record it instead). An empty report restores the box.
    using ErrorReport = std::function<void(const QString& title, const QString& text)>;
    void setErrorReport(ErrorReport report);
    // Shows the report with this text, captioned with the application title.
    void reportError(const QString& text);

    // The text of the report: the error's message followed by a period.
    static QString errorReportText(const char* message);

    // The application's title, which the main window keeps equal to its
    // caption; the error report is captioned with it.
    const QString& applicationTitle() const { return title_; }
    void setApplicationTitle(const QString& title) { title_ = title; }

private:
    ErrorReport report_;
    QString title_;
};
