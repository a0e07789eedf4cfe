#include "ui/formulas/TfrmSpec.h"

#include "core/formulas/FormulaProperties.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfrmSpec::TfrmSpec(QWidget* frmProper)
    : QDialog(frmProper,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmSpec"));
    setWindowTitle(QStringLiteral("Spec"));
    setFixedSize(ClientWidth, ClientHeight);

    auto* specLabel = new QLabel(QStringLiteral("Spec:"), this);
    specLabel->setObjectName(QStringLiteral("Label1"));
    specLabel->setGeometry(8, 8, 241, 16);
    edtSpec_ = new QLineEdit(this);
    edtSpec_->setObjectName(QStringLiteral("edtSpec"));
    edtSpec_->setGeometry(8, 24, 241, 22);
    specLabel->setBuddy(edtSpec_);

    auto* valueLabel = new QLabel(QStringLiteral("Value:"), this);
    valueLabel->setObjectName(QStringLiteral("Label2"));
    valueLabel->setGeometry(8, 52, 241, 16);
    edtValue_ = new QLineEdit(this);
    edtValue_->setObjectName(QStringLiteral("edtValue"));
    edtValue_->setGeometry(8, 68, 241, 22);
    valueLabel->setBuddy(edtValue_);

    btnOk_ = new QPushButton(QStringLiteral("OK"), this);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->setGeometry(93, 100, 75, 25);
    btnOk_->setDefault(true);
    btnCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    btnCancel_->setGeometry(174, 100, 75, 25);
    connect(btnOk_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmSpec::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TfrmSpec::FormShow()
{
    if (const QWidget* frmProper = parentWidget()) {
        const QPoint corner = frmProper->frameGeometry().topLeft();
        const tintora::ScreenPoint at = tintora::placeTestSpecEntry({corner.x(), corner.y()});
        move(at.x, at.y);
    }
    edtSpec_->setFocus();
}
