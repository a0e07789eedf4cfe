#include "ui/widgets/PictureCache.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

constexpr quint32 Magic = 0x54504331;  // "TPC1"
// Far above any picture the program draws; a larger size means a damaged file.
constexpr int LargestSide = 4096;
constexpr qsizetype MostPictures = 1000;
constexpr QImage::Format StoredFormat = QImage::Format_ARGB32_Premultiplied;

// Pictures drawn by another Qt version may differ in their pixels.
QByteArray fileHeader()
{
    return QByteArray("tintora pictures ") + qVersion();
}

bool readPicture(QDataStream& in, QByteArray& key, QImage& image)
{
    qint32 width = 0, height = 0;
    QByteArray pixels;
    in >> key >> width >> height >> pixels;
    if (in.status() != QDataStream::Ok || width < 1 || height < 1 || width > LargestSide || height > LargestSide
        || pixels.size() != qsizetype(width) * height * 4)
        return false;
    image = QImage(width, height, StoredFormat);
    for (int y = 0; y < height; ++y)
        memcpy(image.scanLine(y), pixels.constData() + qsizetype(y) * width * 4, size_t(width) * 4);
    return true;
}

void writePicture(QDataStream& out, const QByteArray& key, const QImage& image)
{
    QByteArray pixels;
    pixels.reserve(qsizetype(image.width()) * image.height() * 4);
    for (int y = 0; y < image.height(); ++y)
        pixels.append(reinterpret_cast<const char*>(image.constScanLine(y)), qsizetype(image.width()) * 4);
    out << key << qint32(image.width()) << qint32(image.height()) << pixels;
}

}  // namespace

PictureCache::PictureCache(QString file)
    : file_(std::move(file))
{
    load();
}

PictureCache::~PictureCache()
{
    save();
}

PictureCache& PictureCache::shared()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    static PictureCache cache(folder.isEmpty() ? QString() : folder + QStringLiteral("/pictures.cache"));
    // Written while the application still exists, before the statics go.
    static const bool saveAtExit = [] {
        qAddPostRoutine([] { PictureCache::shared().save(); });
        return true;
    }();
    Q_UNUSED(saveAtExit);
    return cache;
}

QByteArray PictureCache::fingerprint(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex();
}

QImage PictureCache::picture(const QByteArray& key, const std::function<QImage()>& draw)
{
    const auto found = pictures_.constFind(key);
    if (found != pictures_.constEnd())
        return *found;
    QImage drawn = draw().convertToFormat(StoredFormat);
    drawn.setDevicePixelRatio(1.0);
    if (!drawn.isNull() && drawn.width() <= LargestSide && drawn.height() <= LargestSide) {
        // Pictures of sizes no longer asked for would pile up: past the limit
        // the file starts again.
        if (pictures_.size() >= MostPictures)
            pictures_.clear();
        pictures_.insert(key, drawn);
        changed_ = true;
    }
    return drawn;
}

void PictureCache::load()
{
    if (file_.isEmpty())
        return;
    QFile f(file_);
    if (!f.open(QIODevice::ReadOnly))
        return;
    QDataStream in(&f);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    QByteArray header;
    qint32 count = 0;
    in >> magic >> header >> count;
    if (in.status() != QDataStream::Ok || magic != Magic || header != fileHeader() || count < 0)
        return;
    QHash<QByteArray, QImage> read;
    for (qint32 i = 0; i < count; ++i) {
        QByteArray key;
        QImage image;
        if (!readPicture(in, key, image))
            return;
        read.insert(key, image);
    }
    pictures_ = std::move(read);
}

void PictureCache::save()
{
    if (file_.isEmpty() || !changed_)
        return;
    changed_ = false;
    QDir().mkpath(QFileInfo(file_).absolutePath());
    QSaveFile f(file_);
    if (!f.open(QIODevice::WriteOnly))
        return;
    QDataStream out(&f);
    out.setVersion(QDataStream::Qt_6_4);
    out << Magic << fileHeader() << qint32(pictures_.size());
    for (auto it = pictures_.constBegin(); it != pictures_.constEnd(); ++it)
        writePicture(out, it.key(), it.value());
    f.commit();
}
