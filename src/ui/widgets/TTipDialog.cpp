#include "ui/widgets/TTipDialog.h"

TTipDialog::TTipDialog(QObject* parent)
    : QObject(parent)
{
}

TTipDialog::~TTipDialog() = default;

bool TTipDialog::Execute()
{
    // A second run from inside the first (say from an OnExecute handler)
    // would replace the window the first one is still showing.
    if (m_tips.isEmpty() || !m_onAtStart || m_window)
        return false;

    m_window = createWindow();
    emit OnExecute(this);
    const bool closed = m_window->exec() == QDialog::Accepted;
    emit OnExecuted(this, m_window->OnAtStart());
    m_window.reset();
    return closed;
}

std::unique_ptr<TTipWindow> TTipDialog::createWindow() const
{
    auto window = std::make_unique<TTipWindow>();
    window->setBorderStyle(m_borderStyle);
    window->setWindowTitle(m_tipDialogCaption);
    window->setNextCaption(m_buttonNextCaption);
    window->setCloseCaption(m_buttonCloseCaption);
    window->setPanelColor(m_color);
    window->setQuestionCaption(m_questionCaption);
    window->setOnAtStart(m_onAtStart);
    window->setOnAtStartCaption(m_onAtStartCaption);
    window->setTips(m_tips);
    if (m_randomIndex)
        window->setRandomIndex(m_randomIndex);
    return window;
}
