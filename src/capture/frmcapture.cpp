#include "capture/frmcapture.h"

#include "capture/screencopy.h"
#include "platform/platform.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QRegion>
#include <QScreen>

#include <cmath>

namespace {

QScreen *screenFor(QPoint logicalPosition)
{
    QScreen *screen = QGuiApplication::screenAt(logicalPosition);
    return screen ? screen : QGuiApplication::primaryScreen();
}

QPoint toTwips(QPoint pixels) { return pixels * FrmCapture::TwipsPerPixel; }

QPoint toPixels(QPoint twips)
{
    return {twips.x() / FrmCapture::TwipsPerPixel, twips.y() / FrmCapture::TwipsPerPixel};
}

} // namespace

FrmCapture::FrmCapture(Platform &platform, QSize captureSize, QPoint positionTwips, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_platform(platform)
    , m_captureSize(captureSize)
    , m_positionTwips(positionTwips)
{
    setObjectName(QStringLiteral("frmCapture"));
    setWindowTitle(QStringLiteral(" "));
    setModal(true);
    setFocusPolicy(Qt::StrongFocus);

    // The hole covers the capture in device pixels: on a scaled screen it is
    // rounded up to whole logical pixels and the copy is cut to size.
    const bool centred = positionTwips.y() == NotSet;
    QScreen *screen = screenFor(centred ? QPoint() : toPixels(positionTwips));
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    const QSize holeSize(int(std::ceil(captureSize.width() / ratio)),
                         int(std::ceil(captureSize.height() / ratio)));
    const QSize outer = holeSize + QSize(2 * Border, BandHeight + Border);
    setFixedSize(outer);

    if (centred && screen) {
        const QRect area = screen->geometry();
        m_positionTwips = toTwips(area.topLeft())
            + (toTwips({area.width(), area.height()}) - toTwips({outer.width(), outer.height()}))
                / 2;
    }
    placeAt(toPixels(m_positionTwips));

    const int w = outer.width(), h = outer.height();
    setMask(QRegion(0, 0, w, BandHeight) + QRegion(0, h - Border, w, Border)
            + QRegion(0, 0, Border, h) + QRegion(w - Border, 0, Border, h));

    m_flashTimer = new QTimer(this);
    m_flashTimer->setObjectName(QStringLiteral("Timer1"));
    m_flashTimer->setInterval(100);
    connect(m_flashTimer, &QTimer::timeout, this, &FrmCapture::flashTick);
}

QRect FrmCapture::hole() const
{
    return QRect(m_place + QPoint(Border, BandHeight),
                 size() - QSize(2 * Border, BandHeight + Border));
}

void FrmCapture::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    raise();
    activateWindow();
}

void FrmCapture::keyPressEvent(QKeyEvent *event)
{
    // Once the copy is taken the frame only flashes and closes.
    if (m_taken)
        return;
    const Qt::KeyboardModifiers held = event->modifiers() & ~Qt::KeypadModifier;
    const int step = held == Qt::ControlModifier ? 10 : 1;
    switch (event->key()) {
    case Qt::Key_Up: placeAt(m_place + QPoint(0, -step)); break;
    case Qt::Key_Down: placeAt(m_place + QPoint(0, step)); break;
    case Qt::Key_Left: placeAt(m_place + QPoint(-step, 0)); break;
    case Qt::Key_Right: placeAt(m_place + QPoint(step, 0)); break;
    case Qt::Key_Escape: finish(Rejected); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: takeCapture(); break;
    default: QDialog::keyPressEvent(event); return;
    }
    recordPosition();
}

void FrmCapture::takeCapture()
{
    m_taken = true;
    recordPosition();
    // A move asked a moment ago may still be on its way through the window
    // manager: the copy waits for the frame to stand where it is said to be.
    QTimer::singleShot(SettleMs, this, &FrmCapture::copyHole);
}

void FrmCapture::copyHole()
{
    m_picture = ExactScreenCopy(m_platform.grabScreen(hole()), m_captureSize);
    if (m_picture.isNull()) {
        finish(Accepted);
        return;
    }
    m_flashTicks = 0;
    m_flashTimer->start();
}

void FrmCapture::flashTick()
{
    ++m_flashTicks;
    m_inverted = m_flashTicks < 10 && !m_inverted;
    update();
    if (m_flashTicks >= 10) {
        m_flashTimer->stop();
        finish(Accepted);
    }
}

void FrmCapture::reject() { finish(Rejected); }

void FrmCapture::finish(int result)
{
    recordPosition();
    done(result);
}

void FrmCapture::recordPosition() { m_positionTwips = toTwips(m_place); }

void FrmCapture::placeAt(QPoint topLeft)
{
    m_place = topLeft;
    m_reassertions = 0;
    move(topLeft);
}

// The frame's place is the one asked for, not the one the toolkit last heard
// of: a window manager that reparents a new window may leave a stale
// position behind (or put the window elsewhere). Asking again settles it,
// a few times at most, so that a manager that insists is not fought forever.
void FrmCapture::moveEvent(QMoveEvent *event)
{
    QDialog::moveEvent(event);
    if (pos() != m_place && m_reassertions < 3) {
        ++m_reassertions;
        QTimer::singleShot(0, this, [this] { move(m_place); });
    }
}

void FrmCapture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor accent(0xe0, 0x7b, 0x24), ink = Qt::white;
    const QColor band = m_inverted ? ink : accent, text = m_inverted ? accent.darker(130) : ink;
    p.fillRect(rect(), band.darker(m_inverted ? 100 : 115));
    const QRect title(0, 0, width(), BandHeight);
    QLinearGradient light(title.topLeft(), title.bottomLeft());
    light.setColorAt(0, band.lighter(m_inverted ? 100 : 125));
    light.setColorAt(1, band);
    p.fillRect(title, light);

    p.setPen(text);
    QFont font = p.font();
    font.setBold(true);
    p.setFont(font);
    const QString hint = QStringLiteral("%1 × %2   Entrée : capturer   Échap : annuler   "
                                        "Flèches : déplacer (Ctrl : 10 pixels)")
                             .arg(m_captureSize.width())
                             .arg(m_captureSize.height());
    const QRect textArea = title.adjusted(8, 0, -8, 0);
    p.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft,
               p.fontMetrics().elidedText(hint, Qt::ElideRight, textArea.width()));
}

void FrmCapture::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && event->position().y() < BandHeight && !m_taken)
        m_dragOffset = event->globalPosition().toPoint() - m_place;
}

void FrmCapture::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragOffset) {
        placeAt(event->globalPosition().toPoint() - *m_dragOffset);
        recordPosition();
    }
}

void FrmCapture::mouseReleaseEvent(QMouseEvent *) { m_dragOffset.reset(); }
