#include "capture/capturesprites.h"

#include "widgets/buttonsprites.h"

#include <QPainter>
#include <QPainterPath>

namespace {

void pen(QPainter &p, const QColor &ink, qreal width = 2.0)
{
    p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

void solid(QPainter &p, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
}

// A framed area with a dot in the middle: the area the frame window takes.
void viewfinder(QPainter &p, const QColor &ink, const QColor &)
{
    pen(p, ink, 2.2);
    const qreal a = 3, b = 21, l = 5.5;
    p.drawPolyline(QPolygonF{{a, a + l}, {a, a}, {a + l, a}});
    p.drawPolyline(QPolygonF{{b - l, a}, {b, a}, {b, a + l}});
    p.drawPolyline(QPolygonF{{b, b - l}, {b, b}, {b - l, b}});
    p.drawPolyline(QPolygonF{{a + l, b}, {a, b}, {a, b - l}});
    solid(p, ink);
    p.drawEllipse(QPointF(12, 12), 4.2, 4.2);
}

// An open door with an arrow leaving through it.
void leave(QPainter &p, const QColor &ink, const QColor &)
{
    pen(p, ink, 2.0);
    p.drawPolyline(QPolygonF{{13, 7}, {13, 3.5}, {4, 3.5}, {4, 20.5}, {13, 20.5}, {13, 17}});
    p.drawLine(QPointF(9, 12), QPointF(21, 12));
    p.drawPolyline(QPolygonF{{17, 8}, {21, 12}, {17, 16}});
}

void trash(QPainter &p, const QColor &ink, const QColor &)
{
    pen(p, ink);
    p.drawLine(QPointF(4.5, 6.8), QPointF(19.5, 6.8));
    p.drawPolyline(QPolygonF{{9.5, 6.8}, {9.5, 4}, {14.5, 4}, {14.5, 6.8}});
    p.drawPolyline(QPolygonF{{6.5, 6.8}, {7.5, 20.5}, {16.5, 20.5}, {17.5, 6.8}});
    p.drawLine(QPointF(10, 10), QPointF(10.3, 17));
    p.drawLine(QPointF(14, 10), QPointF(13.7, 17));
}

// A picture made of pixels, as a bitmap is.
void pixels(QPainter &p, const QColor &ink, const QColor &)
{
    solid(p, ink);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            if ((row + col) % 2 == 0 || row == 3)
                p.drawRect(QRectF(3.5 + 4.5 * col, 3.5 + 4.5 * row, 3.7, 3.7));
}

// A landscape picture under a magnifying glass.
void magnified(QPainter &p, const QColor &ink, const QColor &cut)
{
    pen(p, ink, 1.8);
    p.drawRoundedRect(QRectF(2.5, 3.5, 16, 12.5), 1.5, 1.5);
    solid(p, ink);
    p.drawPolygon(QPolygonF{{4.5, 14}, {8.5, 8.8}, {11.2, 11.8}, {12.8, 10.2}, {16.5, 14}});
    p.setPen(QPen(cut, 1.6));
    p.setBrush(cut);
    p.drawEllipse(QPointF(16, 16), 5, 5);
    pen(p, ink, 2.0);
    p.drawEllipse(QPointF(16, 16), 3.6, 3.6);
    p.drawLine(QPointF(18.6, 18.6), QPointF(21.8, 21.8));
}

// Two arrows turning round: made again.
void remake(QPainter &p, const QColor &ink, const QColor &)
{
    pen(p, ink, 2.2);
    const QRectF ring(4.5, 4.5, 15, 15);
    p.drawArc(ring, 20 * 16, 140 * 16);
    p.drawArc(ring, 200 * 16, 140 * 16);
    solid(p, ink);
    p.drawPolygon(QPolygonF{{18.8, 5.2}, {21.4, 10.8}, {15.4, 10.2}});
    p.drawPolygon(QPolygonF{{5.2, 18.8}, {2.6, 13.2}, {8.6, 13.8}});
}

} // namespace

QPixmap CaptureSprites::picture(Picture which, qreal pixelRatio, int size)
{
    const QColor capture(0xe0, 0x7b, 0x24), show(0x17, 0x93, 0x86), danger(0xcf, 0x3f, 0x3b),
        file(0x2f, 0x74, 0xd0);
    switch (which) {
    case Picture::TakeCapture:
        return ButtonSprites::keyPicture(pixelRatio, size, capture, false, viewfinder);
    case Picture::Leave: return ButtonSprites::keyPicture(pixelRatio, size, file, false, leave);
    case Picture::DeleteAll:
        return ButtonSprites::keyPicture(pixelRatio, size, danger, false, trash);
    case Picture::ShowBmp: return ButtonSprites::keyPicture(pixelRatio, size, show, false, pixels);
    case Picture::ShowJpeg:
        return ButtonSprites::keyPicture(pixelRatio, size, show, false, magnified);
    case Picture::RemakeJpeg:
        return ButtonSprites::keyPicture(pixelRatio, size, capture, false, remake);
    }
    return {};
}
