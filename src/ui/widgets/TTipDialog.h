#pragma once

// Tip of the day: a non-visual component that, when run, shows one random
// hint from its list in a modal window of its own and reports whether the
// user still wants tips at start.

#include "ui/widgets/TTipWindow.h"

#include <QColor>
#include <QObject>
#include <QStringList>

#include <memory>

class TTipDialog : public QObject {
    Q_OBJECT
public:
    explicit TTipDialog(QObject* parent = nullptr);
    ~TTipDialog() override;

    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(TBorderStyle value) { m_borderStyle = value; }
    QString TipDialogCaption() const { return m_tipDialogCaption; }
    void setTipDialogCaption(const QString& value) { m_tipDialogCaption = value; }
    QString ButtonNextCaption() const { return m_buttonNextCaption; }
    void setButtonNextCaption(const QString& value) { m_buttonNextCaption = value; }
    QString ButtonCloseCaption() const { return m_buttonCloseCaption; }
    void setButtonCloseCaption(const QString& value) { m_buttonCloseCaption = value; }
    QColor Color() const { return m_color; }
    void setColor(const QColor& value) { m_color = value; }
    QString QuestionCaption() const { return m_questionCaption; }
    void setQuestionCaption(const QString& value) { m_questionCaption = value; }
    QString OnAtStartCaption() const { return m_onAtStartCaption; }
    void setOnAtStartCaption(const QString& value) { m_onAtStartCaption = value; }
    bool OnAtStart() const { return m_onAtStart; }
    void setOnAtStart(bool value) { m_onAtStart = value; }
    QStringList Tips() const { return m_tips; }
    void setTips(const QStringList& value) { m_tips = value; }

    // How each tip is chosen; by default uniformly at random. Tests script it.
    void setRandomIndex(TRandomIndex randomIndex) { m_randomIndex = std::move(randomIndex); }

    // Shows the tip window modally when there are tips and OnAtStart is set;
    // true when the window was closed with its Close button.
    bool Execute();
    // The window of the running Execute, null at any other time.
    TTipWindow* TipWindow() const { return m_window.get(); }

signals:
    // The window is set up and about to be shown.
    void OnExecute(TTipDialog* sender);
    // The window has closed; showNextTime is the check box's final state.
    void OnExecuted(TTipDialog* sender, bool showNextTime);

private:
    std::unique_ptr<TTipWindow> createWindow() const;

    TBorderStyle m_borderStyle = TBorderStyle::Dialog;
    QString m_tipDialogCaption = QStringLiteral("Tips ...");
    QString m_buttonNextCaption = QStringLiteral("&Next");
    QString m_buttonCloseCaption = QStringLiteral("&Close");
    QColor m_color = Qt::yellow;
    QString m_questionCaption = QStringLiteral("Did you know this?");
    QString m_onAtStartCaption = QStringLiteral("Show tips next time?");
    bool m_onAtStart = true;
    QStringList m_tips;
    TRandomIndex m_randomIndex;
    std::unique_ptr<TTipWindow> m_window;
};
