#include "output/webpictures.h"

#include "project/fileops.h"
#include "project/slideshowproject.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QLocale>
#include <QtConcurrent/QtConcurrentMap>

namespace {

// The picture as it is meant to be seen. Turned here rather than by the
// reader, which would drop the colour profile on the way.
QImage turnedUpright(QImage picture, QImageIOHandler::Transformations turn)
{
    const QColorSpace profile = picture.colorSpace();
    picture = picture.mirrored(turn & QImageIOHandler::TransformationMirror,
                               turn & QImageIOHandler::TransformationFlip);
    if (turn & QImageIOHandler::TransformationRotate90)
        picture = picture.transformed(QTransform().rotate(90));
    picture.setColorSpace(profile);
    return picture;
}

} // namespace

namespace WebPictures {

QStringList jpegSlides(const SlideshowProject &project)
{
    QStringList paths;
    for (int n = 0; n < project.boundedSlideCount(); ++n)
        if (project.imageTypes[n].compare(QLatin1String(".jpg"), Qt::CaseInsensitive) == 0)
            paths << project.imagePath(n);
    return paths;
}

QSize fittedSize(const QSize &upright)
{
    if (upright.width() <= Limit.width() && upright.height() <= Limit.height())
        return upright;
    return upright.scaled(Limit, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

Outcome reduce(const QString &path)
{
    Outcome outcome;
    outcome.path = path;
    outcome.bytesBefore = outcome.bytesAfter = QFileInfo(path).size();
    const auto status = [&outcome](Outcome::Status status) {
        outcome.status = status;
        return outcome;
    };

    QFile file(path);
    if (!FileOps::openForReading(file))
        return status(Outcome::Status::Unreadable);
    QImageReader reader(&file);
    const QSize stored = reader.size();
    if (!reader.canRead() || !stored.isValid())
        return status(Outcome::Status::Unreadable);
    if (reader.format() != "jpeg")
        return status(Outcome::Status::Untouched);
    // The stored picture is turned a quarter when the camera was held upright.
    const bool quarterTurn = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize upright = quarterTurn ? stored.transposed() : stored;
    const QSize fitted = fittedSize(upright);
    if (fitted == upright)
        return status(Outcome::Status::Untouched);

    // Decoding straight at the smaller size lets the decoder skip most of the work.
    reader.setScaledSize(quarterTurn ? fitted.transposed() : fitted);
    const QImage picture = turnedUpright(reader.read(), reader.transformation());
    if (picture.isNull())
        return status(Outcome::Status::Unreadable);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(Quality);
    writer.setOptimizedWrite(true);
    // The pixels are upright now and no orientation is written with them.
    if (!writer.write(picture) || FileOps::write(path, bytes) != FileOps::Result::Done)
        return status(Outcome::Status::WriteFailed);
    outcome.bytesAfter = bytes.size();
    return status(Outcome::Status::Reduced);
}

QFuture<Outcome> reduceAll(const QStringList &paths)
{
    return QtConcurrent::mapped(paths, [](const QString &path) { return reduce(path); });
}

QString sizeText(qint64 bytes)
{
    return QLocale(QLocale::French).toString(double(bytes) / 1e6, 'f', 1) + QStringLiteral(" Mo");
}

} // namespace WebPictures
