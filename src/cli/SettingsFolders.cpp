#include "SettingsFolders.h"

#include "ReportFormula.h"
#include "core/formulas/ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace tintora::report {

namespace {

// The window's settings file: that of the organisation in the XDG config home,
// where its settings keep the recent files too.
QString settingsFile()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/.config");
    return folder + QLatin1Char('/') + QString::fromLatin1(SettingsOrganisation) + QStringLiteral(".conf");
}

// The window reads no larger settings file either.
constexpr std::uintmax_t MaxSettingsFileBytes = std::uintmax_t{1024} * 1024;

// Only a regular file of a sensible size is opened: a pipe would block the report for good.
bool mayRead(const fs::path& file)
{
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (!fs::exists(status))
        return false;
    if (fs::is_regular_file(status) && fs::file_size(file, ec) <= MaxSettingsFileBytes && !ec)
        return true;
    reportWarning("the settings file " + file.string()
        + " is not read: it is no regular file or larger than 1 MiB; the default folders serve");
    return false;
}

std::string keptFolder(const QSettings& settings, const char* key)
{
    return QFile::encodeName(settings.value(QString::fromLatin1(key)).toString()).toStdString();
}

KeptFolders readKeptFolders()
{
    const QString file = settingsFile();
    if (!mayRead(fs::path(QFile::encodeName(file).toStdString())))
        return {};
    const QSettings settings(file, QSettings::IniFormat);
    return {keptFolder(settings, FormulasFolderKey), keptFolder(settings, MaterialsFolderKey)};
}

}  // namespace

const fs::path& defaultFolder(FolderKind kind)
{
    static const KeptFolders kept = readKeptFolders();
    // The program's rule; the report makes no folder.
    static const fs::path programFolder = locateProgramFiles(runningProgramPlaces(), SeedUserFolder::No).formulaFolder;
    const auto decide = [](FolderKind k, const std::string& keptFolder) {
        FolderInUse used = folderInUse(k, keptFolder, programFolder);
        if (!used.problem.empty())
            reportWarning(used.problem);
        return used.folder;
    };
    if (kind == FolderKind::Formulas) {
        static const fs::path formulas = decide(kind, kept.formulas);
        return formulas;
    }
    static const fs::path materials = decide(kind, kept.materials);
    return materials;
}

}  // namespace tintora::report
