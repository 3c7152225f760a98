#pragma once

#include <QColor>
#include <QWidget>

// One channel of the colour mixer: the widget shows its value as the pure
// colour of its channel, with a marker where the pointer last set it. Only a
// drag with the left button alone moves it.
class RgbSlider : public QWidget
{
    Q_OBJECT
public:
    enum Channel {
        Red = 0,
        Green = 1,
        Blue = 2
    };

    RgbSlider(Channel channel, int width, QWidget *parent = nullptr);

    Channel channel() const { return m_channel; }
    int value() const { return m_value; }
    double marker() const { return m_marker; }
    // The pure colour of the channel at the current value.
    QColor background() const;

    // The starting position: the middle of the slider.
    void reset();
    // The pointer at x with these buttons held; returns whether it moved the slider.
    bool pointerAt(double x, Qt::MouseButtons buttons);

    QSize sizeHint() const override;

signals:
    // The user moved the slider (not emitted by reset()).
    void moved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    Channel m_channel;
    int m_value = 0;
    double m_marker = 0;
};
