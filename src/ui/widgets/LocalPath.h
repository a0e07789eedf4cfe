#pragma once
// The one crossing between Qt's texts and the core's file names and texts.
// File names on Linux are bytes: QFile's encoding turns them into a QString
// and back without loss, also where they are not valid UTF-8. Texts of the
// core are UTF-8.
#include <QFile>
#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

inline std::filesystem::path localPath(const QString& fileName)
{
    return std::filesystem::path(QFile::encodeName(fileName).toStdString());
}

// The same bytes as a text, for the core's functions that take a file name as text.
inline std::string localFileName(const QString& fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

inline QString fromLocalPath(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
