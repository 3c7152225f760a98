#include "widgets/picturepreview.h"

#include <QImageReader>

PicturePreview::PicturePreview(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

bool PicturePreview::showPicture(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const qreal ratio = devicePixelRatioF();
    const QSize room = contentsRect().size() * ratio;
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
    if (image.isNull()) {
        clear();
        return false;
    }
    // A reader that cannot scale while decoding gave the full picture.
    if (!room.isEmpty() && (image.width() > room.width() || image.height() > room.height()))
        image = image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPixmap picture = QPixmap::fromImage(image);
    picture.setDevicePixelRatio(ratio);
    setPixmap(picture);
    return true;
}
