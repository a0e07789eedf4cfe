#pragma once
// Pictures drawn once and kept between runs, so that a start-up does not parse
// and paint the same SVG files again: one file in the user's cache folder,
// read whole when first needed and written back at exit when it gained
// pictures. Its pixels are exactly those drawn; a file from another Qt version,
// or one that does not read, is ignored.
#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>

#include <functional>

class PictureCache {
public:
    // A cache kept in file; an empty name keeps it in memory only.
    explicit PictureCache(QString file);
    ~PictureCache();
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // The picture stored under key, or the one draw makes, then stored. The
    // key must name everything the drawing depends on (the content of the
    // files drawn, the size); the picture is kept without its pixel ratio.
    QImage picture(const QByteArray& key, const std::function<QImage()>& draw);
    // Writes the file when pictures were added since it was read.
    void save();

    // The program's cache, in its cache folder.
    static PictureCache& shared();
    // A key part naming the content of a file (a resource) by its digest.
    static QByteArray fingerprint(const QString& file);

private:
    void load();

    QString file_;
    QHash<QByteArray, QImage> pictures_;
    bool changed_ = false;
};
