#include "widgets/picturebutton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

PictureButton::PictureButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void PictureButton::setPictures(const QPixmap &normal, const QPixmap &pressed)
{
    m_normal = normal;
    m_pressed = pressed;
}

void PictureButton::showNormalPicture() { showPicture(m_normal); }

void PictureButton::showPicture(const QPixmap &picture)
{
    m_shown = picture;
    updateGeometry();
    update();
}

void PictureButton::setCaption(const QString &caption)
{
    setToolTip(caption);
    setAccessibleName(caption);
}

QSize PictureButton::sizeHint() const
{
    const QPixmap &reference = m_normal.isNull() ? m_shown : m_normal;
    return reference.isNull() ? QSize(32, 32) : reference.deviceIndependentSize().toSize();
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!m_shown.isNull()) {
        const QSizeF size = m_shown.deviceIndependentSize();
        const QPointF origin((width() - size.width()) / 2, (height() - size.height()) / 2);
        p.drawPixmap(origin, m_shown);
    }
    // Hover and keyboard focus are rings around the key, never a new picture,
    // so the two pictures keep their meaning.
    const QRectF ring = QRectF(rect()).adjusted(1.5, 0.5, -1.5, -1.5);
    if (hasFocus() && m_focusRing) {
        p.setPen(QPen(palette().color(QPalette::Highlight).lighter(130), 2));
        p.drawRoundedRect(ring, 10, 10);
    } else if (m_hovered && m_keyDown == 0) {
        p.setPen(QPen(QColor(255, 255, 255, 110), 1.5));
        p.drawRoundedRect(ring, 10, 10);
    }
}

void PictureButton::press()
{
    showPicture(m_pressed);
    emit pressed();
}

void PictureButton::release()
{
    showPicture(m_normal);
    emit released();
}

void PictureButton::mousePressEvent(QMouseEvent *event)
{
    press();
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    // No hit test: the action runs wherever the pointer is let go.
    release();
    event->accept();
}

void PictureButton::mouseMoveEvent(QMouseEvent *event) { event->accept(); }

bool PictureButton::isActivationKey(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Select || key == Qt::Key_Return
        || key == Qt::Key_Enter;
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    if (!isActivationKey(event->key())) {
        QAbstractButton::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat() && m_keyDown == 0) {
        m_keyDown = event->key();
        press();
    }
    event->accept();
}

void PictureButton::keyReleaseEvent(QKeyEvent *event)
{
    if (!isActivationKey(event->key())) {
        QAbstractButton::keyReleaseEvent(event);
        return;
    }
    if (!event->isAutoRepeat() && event->key() == m_keyDown) {
        m_keyDown = 0;
        release();
    }
    event->accept();
}

void PictureButton::focusInEvent(QFocusEvent *event)
{
    // The ring shows where the keyboard is, not where the window put the
    // focus when it opened.
    m_focusRing = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason
        || event->reason() == Qt::ShortcutFocusReason;
    QAbstractButton::focusInEvent(event);
}

void PictureButton::focusOutEvent(QFocusEvent *event)
{
    m_focusRing = false;
    // A key held while the focus leaves is a press given up: no action.
    if (m_keyDown != 0) {
        m_keyDown = 0;
        showNormalPicture();
    }
    QAbstractButton::focusOutEvent(event);
}

void PictureButton::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}
