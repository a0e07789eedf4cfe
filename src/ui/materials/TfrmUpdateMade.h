#pragma once
// Table ▸ Materials ▸ Update Made Materials...: every made material of the
// Materials folder made again from its formula, listed before anything is
// written (code, formula, cost per pound and Spec before and after, whether
// it changed, or why it cannot be made again). Apply writes the changed ones.
#include "core/materials/PriceChanges.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

class TfrmUpdateMade : public QDialog {
    Q_OBJECT
public:
    // Reads and makes everything again at once; nothing is written before Apply.
    TfrmUpdateMade(const std::filesystem::path& formulaFolder, const std::filesystem::path& materialFolder,
        QWidget* parent = nullptr);

    const std::vector<tintora::RemadeMaterial>& remade() const { return remade_; }
    // How many would be written.
    int changedCount() const;

private:
    void fillTable();

    std::vector<tintora::MadeMaterialFile> made_;
    std::vector<tintora::RemadeMaterial> remade_;
    QTableWidget* table_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* applyButton_ = nullptr;
};
