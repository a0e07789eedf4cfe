#pragma once
// The About window, which is also the splash during start-up: logo, a small
// three-picture animation, version, links, the start-up progress bar and Ok.
#include <QDialog>
#include <QRect>

class QLabel;
class QProgressBar;
class QTimer;
class TExplorerButton;

// Where the About box goes: 90 px below and 80 px right of the main window's
// top-left corner, then moved wholly onto the screen.
QPoint aboutBoxPosition(QPoint mainTopLeft, QSize boxSize, QRect screen);

// The animation frame after `frame` (0 before the first tick): 1, 2, 3, 1 ...
int nextSplashFrame(int frame);

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* parent = nullptr);

    // Splash mode: progress bar shown, Ok hidden.
    void showAsSplash();
    void setProgress(int percent);
    // About mode: progress bar hidden, Ok shown; runs modally.
    int showAbout(QPoint mainTopLeft);

    int SplashFrame() const { return splashFrame_; }
    QProgressBar* AboutBar() const { return aboutBar_; }
    TExplorerButton* OkButton1() const { return okButton_; }
    QTimer* Timer1() const { return timer_; }
    QLabel* image(int frame) const { return images_[frame - 1]; }

    void OkButton1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createOkButton();
    void drawSplashPicture(int frame);
    void Timer1Timer();

    QLabel* images_[3] = {};
    QProgressBar* aboutBar_;
    TExplorerButton* okButton_;
    QTimer* timer_;
    int splashFrame_ = 0;
};
