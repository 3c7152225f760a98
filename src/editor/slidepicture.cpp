#include "editor/slidepicture.h"

#include <QPaintEvent>
#include <QPainter>

SlidePicture::SlidePicture(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    updateMinimumSize();
}

void SlidePicture::setPicture(const QImage &picture, const QString &emptyText)
{
    m_picture = picture;
    m_emptyText = emptyText;
    m_fitted = QImage();
    updateMinimumSize();
    update();
}

void SlidePicture::releasePicture()
{
    m_picture = QImage();
    m_fitted = QImage();
}

QSize SlidePicture::naturalSize() const { return m_picture.size() + QSize(2 * Frame, 2 * Frame); }

void SlidePicture::setFitToView(bool fit)
{
    if (fit == m_fit)
        return;
    m_fit = fit;
    updateMinimumSize();
    update();
}

void SlidePicture::updateMinimumSize()
{
    // The scroll area never makes the widget smaller than this, so it scrolls
    // a picture at natural size and shows all of a fitted one.
    setMinimumSize(m_fit ? QSize(0, 0) : naturalSize());
    // Growing resizes the widget; shrinking needs the area to lay it out again.
    resize(minimumSize());
}

QRect SlidePicture::pictureRect() const
{
    if (m_picture.isNull())
        return {};
    QSize shown = m_picture.size();
    // A fitted picture keeps a little of the dark area around it.
    const int margin = Frame + (m_fit ? 8 : 0);
    const QSize room = size() - QSize(2 * margin, 2 * margin);
    if (m_fit && (shown.width() > room.width() || shown.height() > room.height()))
        shown = shown.scaled(room.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
}

const QImage &SlidePicture::shownImage()
{
    const QRect target = pictureRect();
    if (target.size() == m_picture.size())
        return m_picture;
    // Scaled once per view size, sharp on high-density screens.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(target.size()) * ratio).toSize();
    if (m_fitted.size() != pixels) {
        m_fitted = m_picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_fitted.setDevicePixelRatio(ratio);
    }
    return m_fitted;
}

void SlidePicture::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    if (m_picture.isNull()) {
        if (!m_emptyText.isEmpty()) {
            p.setPen(QColor(0xb9, 0xc4, 0xd2));
            p.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                       m_emptyText);
        }
        return;
    }
    const QRect target = pictureRect();
    p.setPen(QColor(0x11, 0x16, 0x1c));
    p.drawRect(target.adjusted(-Frame, -Frame, Frame - 1, Frame - 1));
    // Only the exposed part of a large picture is drawn.
    const QImage &image = shownImage();
    const QRect exposed = event->rect() & target;
    if (exposed.isEmpty())
        return;
    const QRectF source(QPointF(exposed.topLeft() - target.topLeft()) * image.devicePixelRatio(),
                        QSizeF(exposed.size()) * image.devicePixelRatio());
    p.drawImage(exposed, image, source);
}
