#include "capture/screencopy.h"

#include <QBuffer>
#include <QPainter>

QImage ExactScreenCopy(const QImage &grabbed, QSize size)
{
    if (grabbed.isNull())
        return {};
    QImage exact(size, QImage::Format_RGB32);
    exact.fill(Qt::black);
    QImage source = grabbed;
    source.setDevicePixelRatio(1.0); // drawn pixel for pixel, never scaled
    QPainter(&exact).drawImage(0, 0, source);
    return exact;
}

QByteArray BitmapBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP"))
        return {};
    return bytes;
}
