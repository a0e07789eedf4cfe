#pragma once

// The window of one run of the tip dialog: a coloured panel with a picture,
// a question and the current tip, the Next and Close buttons and the
// show-next-time check box.

#include <QDialog>
#include <QPixmap>
#include <QStringList>

#include <functional>

class QCheckBox;
class QFont;
class QFrame;
class QLabel;
class QPushButton;

enum class TBorderStyle { None = 0, Single = 1, Sizeable = 2, Dialog = 3 };

// Picks an index from 0 to count - 1.
using TRandomIndex = std::function<int(int count)>;

namespace tipwindow {

// The factor by which the window's pixel layout (made for a font 13 pixels
// high) must grow so that, in font and bold, the longest tip, the question,
// the check-box caption and the button captions fit their places.
double layoutScale(const QFont& font, const QFont& boldFont, const QStringList& tips, const QString& question,
    const QString& checkCaption, const QStringList& buttonCaptions);

// The 32 x 32 picture of the panel, drawn at side logical pixels for the
// given device pixel ratio.
QPixmap bulbPicture(int side, qreal devicePixelRatio = 1.0);

}  // namespace tipwindow

class TTipWindow : public QDialog {
    Q_OBJECT
public:
    explicit TTipWindow(QWidget* parent = nullptr);

    void setBorderStyle(TBorderStyle style);
    void setPanelColor(const QColor& color);
    void setQuestionCaption(const QString& text);
    void setNextCaption(const QString& text);
    void setCloseCaption(const QString& text);
    void setOnAtStartCaption(const QString& text);
    void setOnAtStart(bool checked);
    bool OnAtStart() const;

    void setTips(const QStringList& tips);
    QStringList Tips() const { return m_tips; }
    // Index of the tip shown, -1 before the window is shown.
    int TipIndex() const { return m_tipIndex; }
    void setRandomIndex(TRandomIndex randomIndex);

    QFrame* pnlTip() const { return m_pnlTip; }
    QLabel* Image1() const { return m_image; }
    QLabel* lblQuestion() const { return m_lblQuestion; }
    QLabel* lblTip() const { return m_lblTip; }
    QPushButton* btnNext() const { return m_btnNext; }
    QPushButton* btnClose() const { return m_btnClose; }
    QCheckBox* chkOnOff() const { return m_chkOnOff; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void NextClick();
    void showTip(int index);
    int randomIndex() const;
    void layOut();
    double scale();
    void showBulb(int side);
    void centreOnScreen();

    QStringList m_tips;
    int m_tipIndex = -1;
    TRandomIndex m_randomIndex;
    TBorderStyle m_borderStyle = TBorderStyle::Dialog;
    QStringList m_scaleInputs;
    double m_scale = 1.0;

    QFrame* m_pnlTip;
    QLabel* m_image;
    QLabel* m_lblQuestion;
    QLabel* m_lblTip;
    QPushButton* m_btnNext;
    QFrame* m_line;
    QPushButton* m_btnClose;
    QCheckBox* m_chkOnOff;
};
