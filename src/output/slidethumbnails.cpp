#include "output/slidethumbnails.h"

#include "project/fileops.h"
#include "project/slideshowproject.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QtConcurrent/QtConcurrentMap>

#include <numeric>
#include <vector>

namespace SlideThumbnails {

namespace {

// Text entry of a thumbnail naming the picture it was made from.
const QString kSourceKey = QStringLiteral("Lumivue-source");
constexpr int kQuality = 82;

QString stampOf(const QFileInfo &picture)
{
    return QString::number(picture.size()) + QLatin1Char(' ')
           + QString::number(picture.lastModified().toMSecsSinceEpoch());
}

bool upToDate(const QString &thumbnail, const QString &stamp)
{
    QFile file(thumbnail);
    if (!FileOps::openForReading(file))
        return false;
    QImageReader reader(&file, "jpeg");
    return reader.text(kSourceKey) == stamp;
}

// The picture, upright and no longer than LongSide on either side; a
// transparent one on white, which JPEG cannot hold.
QImage smallCopy(const QString &picture)
{
    QFile file(picture);
    if (!FileOps::openForReading(file))
        return {};
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    // Asked for here, a JPEG is decoded straight at about the wanted size.
    const QSize stored = reader.size();
    if (stored.isValid() && (stored.width() > LongSide || stored.height() > LongSide))
        reader.setScaledSize(stored.scaled(LongSide, LongSide, Qt::KeepAspectRatio)
                                 .expandedTo(QSize(1, 1)));
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (image.width() > LongSide || image.height() > LongSide)
        image = image.scaled(LongSide, LongSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (image.hasAlphaChannel()) {
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, image);
        return flat;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

bool write(const QImage &image, const QString &path, const QString &stamp)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(kQuality);
    writer.setOptimizedWrite(true);
    writer.setText(kSourceKey, stamp);
    return writer.write(image) && file.commit();
}

// Thumbnails of slides that are no longer there.
void removeLeftovers(const SlideshowProject &project, const QString &folder)
{
    static const QString pattern = QStringLiteral("^%1(\\d+)\\.jpg$");
    const QRegularExpression own(pattern.arg(QRegularExpression::escape(project.name)));
    const QStringList files = QDir(folder).entryList(QDir::Files);
    for (const QString &file : files) {
        const auto match = own.match(file);
        if (match.hasMatch() && match.captured(1).toInt() >= project.slideCount)
            QFile::remove(folder + QLatin1Char('/') + file);
    }
}

} // namespace

QString folderOf(const SlideshowProject &project)
{
    return project.basePath + QLatin1String(FolderSuffix);
}

QString thumbnailPath(const SlideshowProject &project, int slide)
{
    return folderOf(project) + QLatin1Char('/') + project.name + QString::number(slide)
           + QStringLiteral(".jpg");
}

namespace {

// The thumbnail of one slide brought up to date; its path when it was
// written anew, else nothing.
QString refresh(const SlideshowProject &project, int slide)
{
    const QFileInfo picture(project.imagePath(slide));
    const QString thumbnail = thumbnailPath(project, slide);
    const QString stamp = stampOf(picture);
    if (picture.isFile() && upToDate(thumbnail, stamp))
        return {};
    const QImage image = picture.isFile() ? smallCopy(picture.filePath()) : QImage();
    // The folder is made with the first thumbnail, so that a show without
    // pictures gets none.
    if (!image.isNull() && QDir().mkpath(folderOf(project)) && write(image, thumbnail, stamp))
        return thumbnail;
    QFile::remove(thumbnail);  // never the thumbnail of another picture
    return {};
}

} // namespace

QStringList update(const SlideshowProject &project)
{
    // Decoding camera pictures is the slow part: each slide on its own core.
    std::vector<int> slides(project.slideCount);
    std::iota(slides.begin(), slides.end(), 0);
    std::vector<QString> made(slides.size());
    QtConcurrent::blockingMap(slides, [&](int slide) { made[slide] = refresh(project, slide); });
    removeLeftovers(project, folderOf(project));
    QStringList written;
    for (const QString &thumbnail : made)
        if (!thumbnail.isEmpty())
            written << thumbnail;
    return written;
}

} // namespace SlideThumbnails
