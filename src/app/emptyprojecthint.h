#pragma once

#include <QFrame>
#include <QPixmap>

class QAbstractScrollArea;

// What the picture area says while no slideshow is open: how to start, with
// the pictures of the two toolbar buttons that do it. It lies over the
// area's viewport and follows its size.
class EmptyProjectHint : public QFrame
{
    Q_OBJECT
public:
    EmptyProjectHint(QAbstractScrollArea *area, const QPixmap &newPicture,
                     const QPixmap &openPicture);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAbstractScrollArea *m_area;
};
