#pragma once
// The file a save goes to, asked through the save dialog.
#include "core/prompt/Prompter.h"

#include <QString>

#include <functional>

class QWidget;

// A file dialog: the chosen file's full path, or an empty text when cancelled.
using FileChooser
    = std::function<QString(QWidget* parent, const QString& folder, const QString& filter, const QString& initialFile)>;

struct SaveNameQuestion {
    QWidget* parent = nullptr;
    QString folder;
    QString filter;  // "Excel Workbook (*.xlsx)"
    QString initialFile;
    QString extension;  // ".xlsx"
};

// The chosen path, ending in the extension (any letter case); empty when the
// dialog was cancelled. The dialog asks before replacing the name it returns;
// a name typed without the extension gets it here, and when that file exists
// the user is asked again, for it, and no means no name.
QString askSaveName(const FileChooser& chooser, tintora::Prompter& prompter, const SaveNameQuestion& question);
