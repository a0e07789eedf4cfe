#include "ui/app/SaveName.h"

#include <QFileInfo>

QString askSaveName(const FileChooser& chooser, tintora::Prompter& prompter, const SaveNameQuestion& question)
{
    if (!chooser)
        return {};
    QString chosen = chooser(question.parent, question.folder, question.filter, question.initialFile);
    if (chosen.isEmpty() || chosen.endsWith(question.extension, Qt::CaseInsensitive))
        return chosen;
    chosen += question.extension;
    if (QFileInfo::exists(chosen)
        && !prompter.confirm(
            QFileInfo(chosen).fileName().toStdString() + " already exists. Do you want to replace it?"))
        return {};
    return chosen;
}
