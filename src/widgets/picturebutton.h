#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A toolbar button drawn as a picture. It shows its pressed picture while a
// mouse button is down on it and its normal picture otherwise; the release of
// the mouse button, wherever the pointer then is, puts the normal picture
// back and then emits released(), which is the button's action. Space, Enter
// and Return do the same from the keyboard. Clicking does not take the focus,
// so the caption editor keeps its selection.
class PictureButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit PictureButton(QWidget *parent = nullptr);

    // The pair shown from now on; the picture on screen changes at the next
    // press or release, or with showNormalPicture().
    void setPictures(const QPixmap &normal, const QPixmap &pressed);
    void showNormalPicture();
    // Shows any picture until the next press (a picture set at design time).
    void showPicture(const QPixmap &picture);

    // The tooltip, which is also the name screen readers announce.
    void setCaption(const QString &caption);

    const QPixmap &normalPicture() const { return m_normal; }
    const QPixmap &pressedPicture() const { return m_pressed; }
    const QPixmap &shownPicture() const { return m_shown; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    static bool isActivationKey(int key);
    void press();
    void release();

    QPixmap m_normal;
    QPixmap m_pressed;
    QPixmap m_shown;
    int m_keyDown = 0; // the activation key held down, 0 when none
    bool m_hovered = false;
    bool m_focusRing = false; // focus came from the keyboard
};
