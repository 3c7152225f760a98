#include "widgets/picturepreview.h"

#include <QFileInfo>
#include <QImageReader>

PicturePreview::PicturePreview(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

bool PicturePreview::showPicture(const QString &path)
{
    const qreal ratio = devicePixelRatioF();
    const QImage image = decodeToFit(path, contentsRect().size() * ratio);
    if (image.isNull()) {
        clear();
        return false;
    }
    QPixmap picture = QPixmap::fromImage(image);
    picture.setDevicePixelRatio(ratio);
    setPixmap(picture);
    return true;
}

QImage PicturePreview::decodeToFit(const QString &path, QSize room)
{
    // Only a regular file is opened: a FIFO in a picture's place would wait forever.
    if (!QFileInfo(path).isFile())
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (stored.isValid() && !room.isEmpty()) {
        // The reader scales the picture as stored and turns it afterwards.
        const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
        QSize upright = turned ? stored.transposed() : stored;
        if (upright.width() > room.width() || upright.height() > room.height())
            upright.scale(room, Qt::KeepAspectRatio);
        reader.setScaledSize(turned ? upright.transposed() : upright);
    }
    QImage image = reader.read();
    // A reader that cannot scale while decoding gave the full picture.
    if (!image.isNull() && !room.isEmpty()
        && (image.width() > room.width() || image.height() > room.height()))
        image = image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}
