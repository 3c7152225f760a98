#include "editor/rgbslider.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kHeight = 22;

// Halves go to the even neighbour, as the mixer's positions are specified.
double roundHalfEven(double x)
{
    const double down = std::floor(x);
    const double fraction = x - down;
    if (fraction > 0.5)
        return down + 1;
    if (fraction < 0.5)
        return down;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

} // namespace

RgbSlider::RgbSlider(Channel channel, int width, QWidget *parent)
    : QWidget(parent)
    , m_channel(channel)
{
    setFixedSize(width, kHeight);
    // Moves without a button held must reach pointerAt(), which ignores them.
    setMouseTracking(true);
    setCursor(Qt::SizeHorCursor);
}

QColor RgbSlider::background() const
{
    return QColor(m_channel == Red ? m_value : 0, m_channel == Green ? m_value : 0,
                  m_channel == Blue ? m_value : 0);
}

void RgbSlider::reset()
{
    const double w = width();
    m_marker = std::floor(roundHalfEven(w) / 2);
    m_value = int(std::floor(m_marker * 255 / w));
    update();
}

bool RgbSlider::pointerAt(double x, Qt::MouseButtons buttons)
{
    if (buttons != Qt::LeftButton)
        return false;
    const double w = width();
    x = std::clamp(x, 0.0, w);
    m_marker = x;
    m_value = int(roundHalfEven(x * 255 / w));
    update();
    emit moved();
    return true;
}

QSize RgbSlider::sizeHint() const { return size(); }

void RgbSlider::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor back = background();
    p.fillRect(rect(), back);
    const QColor complement(255 - back.red(), 255 - back.green(), 255 - back.blue());
    p.fillRect(QRectF(m_marker - 1, 0, 2, height()), complement);
}

void RgbSlider::mousePressEvent(QMouseEvent *event)
{
    pointerAt(event->position().x(), event->buttons());
}

void RgbSlider::mouseMoveEvent(QMouseEvent *event)
{
    pointerAt(event->position().x(), event->buttons());
}
