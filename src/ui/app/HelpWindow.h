#pragma once
// The help window: the user guide Korvel.html beside the program, opened at
// its contents or at a topic number (an anchor of the file); and F1, which
// opens it at the topic of whatever has the keyboard focus.
#include <QDialog>

#include <functional>

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
    // The anchor of the last showTopic that showed the file.
    const QString& topic() const { return topic_; }

private:
    bool loadOnce();

    QString helpFile_;
    QTextBrowser* browser_;
    bool loaded_ = false;
    QString topic_;
};

// F1 in every window: the help at the context topic of the focus widget. A
// widget's topic is its "HelpContext" property (a topic number, or an anchor
// name where the help file has no number for it), else its nearest parent's,
// else the contents. The main window's own F1 is its Help > Contents shortcut,
// which takes the key before it gets here.
class ContextHelp : public QObject {
    Q_OBJECT
public:
    using OpenTopic = std::function<void(const QString& anchor)>;
    // Watches the application's key presses while it lives.
    explicit ContextHelp(OpenTopic open, QObject* parent = nullptr);

    static QString topicOf(const QObject* object);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    OpenTopic open_;
};
