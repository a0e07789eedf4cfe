#pragma once
// The help window: the user guide Korvel.html beside the program, opened at
// its contents or at a topic number (an anchor of the file).
#include <QDialog>

class QTextBrowser;

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    HelpWindow(QString helpFile, QWidget* parent = nullptr);

    // Shows the file at the anchor ("contents", "1010", a context number).
    // Returns false, showing nothing, when the help file cannot be read.
    bool showTopic(const QString& anchor);

    QTextBrowser* browser() const { return browser_; }
    const QString& helpFile() const { return helpFile_; }

private:
    bool loadOnce();

    QString helpFile_;
    QTextBrowser* browser_;
    bool loaded_ = false;
};
