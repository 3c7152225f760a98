#pragma once

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QTimer>

#include <optional>

class Platform;

// The capture frame: a hollow window kept above all others, a title band of
// 29 pixels and borders of 3, around a hole through which the screen stays
// visible. The user moves it with the arrow keys (Ctrl alone: 10 pixels at a
// time) or by dragging the band, Enter copies what the hole shows, Escape
// gives up. It collects the copy and the frame's last position; the caller
// saves the copy.
//
// Sizes of the capture are in device pixels, so that on a scaled screen the
// copy is sharp and exactly the size asked; positions are in twips of the
// desktop's logical pixels (15 per pixel), as the hand-over file keeps them.
class FrmCapture : public QDialog
{
    Q_OBJECT
public:
    static constexpr int TwipsPerPixel = 15;
    static constexpr int BandHeight = 29;
    static constexpr int Border = 3;
    static constexpr int NotSet = -999; // a top of -999 centres the frame
    static constexpr int SettleMs = 60;

    FrmCapture(Platform &platform, QSize captureSize, QPoint positionTwips,
               QWidget *parent = nullptr);

    // True once Enter has copied the hole (even if the desktop refused it).
    bool captureTaken() const { return m_taken; }
    // The copy, captureSize device pixels; null when the desktop refused it.
    const QImage &picture() const { return m_picture; }
    // Where the frame is (after it closed: where it was left), in twips.
    QPoint positionTwips() const { return m_positionTwips; }
    // The hole, in logical pixels of the desktop.
    QRect hole() const;

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void takeCapture();
    void copyHole();
    void flashTick();
    void finish(int result);
    void recordPosition();
    void placeAt(QPoint topLeft);

    Platform &m_platform;
    QSize m_captureSize; // device pixels
    QPoint m_positionTwips;
    QTimer *m_flashTimer = nullptr; // Timer1, 100 ms: the flash after a capture
    int m_flashTicks = 0;
    bool m_inverted = false;
    bool m_taken = false;
    QImage m_picture;
    std::optional<QPoint> m_dragOffset;
    QPoint m_place; // top-left corner, logical pixels of the desktop
    int m_reassertions = 0;
};
