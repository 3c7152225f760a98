#pragma once

#include <QDialog>
#include <QPixmap>

#include <array>

class QLabel;
class QTextEdit;
class QTimer;

// The about window: the product and its version, its features and the
// version's novelties on the application's background tile, in an elliptical
// window. The credit line slowly cycles through colours while the window is
// open. A click on the background or on the close picture closes the window,
// which then deletes itself: each showing is a fresh window whose cycle
// starts again.
class FrmInfo : public QDialog
{
    Q_OBJECT
public:
    // appDir: the application folder, which holds the background tile.
    explicit FrmInfo(const QString &appDir, QWidget *parent = nullptr);

    // The credit line's colour at tick t: red, green and blue follow sines of
    // periods 500, 250 and 1000 ticks.
    static QColor cycleColour(int t);

    // cycleTimer's handler, every 50 ms: counts the tick and colours the credit line.
    void tick();
    int tickCount() const { return m_ticks; }

    // lblInfo 0..4, 6 and 8; places 5 and 7 hold no label.
    std::array<QLabel *, 9> lblInfo{};
    QTextEdit *novelties = nullptr; // Text1
    QLabel *closePicture = nullptr; // Image1
    QPixmap imgFond;                // the background tile
    QTimer *cycleTimer = nullptr;   // Timer1

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void buildControls();
    void buildLayout();

    int m_ticks = 0;
};
