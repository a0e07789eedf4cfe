#pragma once
// The entry dialog for one test spec: its name and its determined value.
// The properties dialog sets the caption and the two texts before each use.
#include <QDialog>

class QLineEdit;
class QPushButton;

class TfrmSpec : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 257;
    static constexpr int ClientHeight = 133;

    // frmProper is the parent; the dialog appears relative to its corner.
    explicit TfrmSpec(QWidget* frmProper);

    QLineEdit* edtSpec() const { return edtSpec_; }
    QLineEdit* edtValue() const { return edtValue_; }
    QPushButton* btnOk() const { return btnOk_; }
    QPushButton* btnCancel() const { return btnCancel_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    QLineEdit* edtSpec_ = nullptr;
    QLineEdit* edtValue_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};
