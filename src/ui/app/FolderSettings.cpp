#include "ui/app/FolderSettings.h"

#include "ui/widgets/LocalPath.h"
#include "ui/widgets/TMRUFileList.h"

#include <QSettings>

#include <memory>

namespace {

QString settingsFile()
{
    return mru::userSettingsFile(QString::fromLatin1(tintora::SettingsOrganisation));
}

std::string keptFolder(const QSettings& settings, const char* key)
{
    return localFileName(settings.value(QString::fromLatin1(key)).toString());
}

}  // namespace

std::unique_ptr<QSettings> openProgramSettings()
{
    if (!mru::settingsFileProblem(settingsFile()).isEmpty())
        return nullptr;
    return std::make_unique<QSettings>(settingsFile(), QSettings::IniFormat);
}

tintora::KeptFolders readKeptFolders()
{
    const std::unique_ptr<QSettings> settings = openProgramSettings();
    if (!settings)
        return {};
    return {keptFolder(*settings, tintora::FormulasFolderKey), keptFolder(*settings, tintora::MaterialsFolderKey)};
}

QString keepFolders(const QString& formulas, const QString& materials)
{
    const std::unique_ptr<QSettings> settings = openProgramSettings();
    const QString notKept = QStringLiteral("The folders are used until Tintora closes, but they could not be kept "
                                           "in the settings file \"%1\"")
                                .arg(settingsFile());
    if (!settings)
        return notKept + QStringLiteral(": it is no regular file or larger than 1 MiB.");
    settings->setValue(QString::fromLatin1(tintora::FormulasFolderKey), formulas);
    settings->setValue(QString::fromLatin1(tintora::MaterialsFolderKey), materials);
    settings->sync();
    if (settings->status() != QSettings::NoError)
        return notKept + QStringLiteral(": it cannot be written.");
    return {};
}
