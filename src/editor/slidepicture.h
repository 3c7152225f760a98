#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

// The current slide's picture in the main window's viewing area. Put in a
// resizable scroll area, it fills the area and draws the picture centred in
// a one-pixel frame: at its natural size, the area scrolling when the picture
// is larger, or, while fitting is on, a picture larger than the area scaled
// down into it with its proportions kept. With no picture it shows its
// empty text instead.
class SlidePicture : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Frame = 1;

    explicit SlidePicture(QWidget *parent = nullptr);

    void setPicture(const QImage &picture, const QString &emptyText = {});
    // Lets go of the picture until the next setPicture(), which must follow
    // before anything is drawn: the memory can then serve the next decode.
    void releasePicture();
    const QImage &picture() const { return m_picture; }

    // The picture with its frame at natural size, whatever the view shows.
    QSize naturalSize() const;

    void setFitToView(bool fit);
    bool fitsToView() const { return m_fit; }

    // Where the picture is drawn, frame excluded, in this widget's coordinates.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateMinimumSize();
    const QImage &shownImage();

    QImage m_picture;
    QString m_emptyText;
    bool m_fit = false;
    QImage m_fitted; // m_picture scaled into the view, made when first drawn
};
