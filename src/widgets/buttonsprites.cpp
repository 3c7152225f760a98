#include "widgets/buttonsprites.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

// Glyphs are drawn in a 24 x 24 box with the ink colour; `cut` is the key's
// own colour, used to carve details out of filled shapes.
struct Ink
{
    QColor ink;
    QColor cut;
};
using Glyph = std::function<void(QPainter &, const Ink &)>;

QPen inkPen(const QColor &colour, qreal width = 2.0)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void stroke(QPainter &p, const Ink &c, qreal width = 2.0)
{
    p.setPen(inkPen(c.ink, width));
    p.setBrush(Qt::NoBrush);
}

void fill(QPainter &p, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
}

// A small round badge in the lower right corner, ringed in the key colour so
// that it stands apart from the shape behind it.
void badge(QPainter &p, const Ink &c, QPointF centre, qreal radius)
{
    p.setPen(QPen(c.cut, 1.6));
    p.setBrush(c.ink);
    p.drawEllipse(centre, radius, radius);
}

void badgePlus(QPainter &p, const Ink &c, QPointF centre)
{
    badge(p, c, centre, 5.2);
    p.setPen(inkPen(c.cut, 1.8));
    p.drawLine(centre + QPointF(-2.6, 0), centre + QPointF(2.6, 0));
    p.drawLine(centre + QPointF(0, -2.6), centre + QPointF(0, 2.6));
}

// A circular arrow turning back on itself, inside a badge.
void badgeTurn(QPainter &p, const Ink &c, QPointF centre)
{
    badge(p, c, centre, 5.6);
    const QRectF ring(centre - QPointF(2.8, 2.8), QSizeF(5.6, 5.6));
    p.setPen(inkPen(c.cut, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(ring, 60 * 16, 270 * 16);
    const QPointF tip = centre + QPointF(1.4, -2.45);
    fill(p, c.cut);
    p.drawPolygon(
        QPolygonF{tip + QPointF(-1.8, -1.6), tip + QPointF(1.4, 0.2), tip + QPointF(-1.3, 1.8)});
}

void folder(QPainter &p, const Ink &c)
{
    stroke(p, c);
    QPainterPath back;
    back.moveTo(3, 18.5);
    back.lineTo(3, 5.5);
    back.lineTo(8.5, 5.5);
    back.lineTo(10.5, 8);
    back.lineTo(18.5, 8);
    back.lineTo(18.5, 10.5);
    p.drawPath(back);
    fill(p, c.ink);
    p.drawPolygon(QPolygonF{{3, 19.5}, {6.8, 11}, {22, 11}, {18.2, 19.5}});
}

void page(QPainter &p, const Ink &c)
{
    stroke(p, c);
    QPainterPath sheet;
    sheet.moveTo(5.5, 3);
    sheet.lineTo(13.5, 3);
    sheet.lineTo(18.5, 8);
    sheet.lineTo(18.5, 21);
    sheet.lineTo(5.5, 21);
    sheet.closeSubpath();
    p.drawPath(sheet);
    p.drawPolyline(QPolygonF{{13.5, 3}, {13.5, 8}, {18.5, 8}});
    badgePlus(p, c, {17.5, 17.5});
}

void disk(QPainter &p, const Ink &c)
{
    fill(p, c.ink);
    QPainterPath body;
    body.moveTo(4, 4);
    body.lineTo(16.5, 4);
    body.lineTo(20, 7.5);
    body.lineTo(20, 20);
    body.lineTo(4, 20);
    body.closeSubpath();
    p.drawPath(body);
    fill(p, c.cut);
    p.drawRect(QRectF(7.5, 4, 8, 5));
    p.drawRoundedRect(QRectF(7, 12, 10, 8), 1, 1);
    fill(p, c.ink);
    p.drawRect(QRectF(12.5, 5, 2, 3));
}

void browserFrame(QPainter &p, const Ink &c)
{
    stroke(p, c, 1.8);
    p.drawRoundedRect(QRectF(2.5, 4, 19, 16), 2, 2);
    fill(p, c.ink);
    p.drawRect(QRectF(2.5, 4, 19, 4));
    fill(p, c.cut);
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(5 + 2.4 * i, 6), 0.8, 0.8);
}

void play(QPainter &p, const Ink &c)
{
    browserFrame(p, c);
    fill(p, c.ink);
    p.drawPolygon(QPolygonF{{9.8, 10.5}, {9.8, 17.5}, {16, 14}});
}

void htmlCode(QPainter &p, const Ink &c)
{
    browserFrame(p, c);
    stroke(p, c, 1.8);
    p.drawPolyline(QPolygonF{{9, 11}, {6.5, 13.8}, {9, 16.6}});
    p.drawPolyline(QPolygonF{{15, 11}, {17.5, 13.8}, {15, 16.6}});
    p.drawLine(QPointF(13.2, 10.5), QPointF(10.8, 17));
}

void ring(QPainter &p, const Ink &c)
{
    stroke(p, c);
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
}

void question(QPainter &p, const Ink &c)
{
    ring(p, c);
    stroke(p, c, 2.3);
    QPainterPath mark;
    mark.moveTo(8.9, 9.4);
    mark.cubicTo(8.9, 7.2, 10.4, 6, 12, 6);
    mark.cubicTo(13.8, 6, 15.2, 7.3, 15.2, 9);
    mark.cubicTo(15.2, 11.2, 12, 11.6, 12, 14);
    p.drawPath(mark);
    fill(p, c.ink);
    p.drawEllipse(QPointF(12, 17.6), 1.4, 1.4);
}

void info(QPainter &p, const Ink &c)
{
    ring(p, c);
    fill(p, c.ink);
    p.drawEllipse(QPointF(12, 7.4), 1.5, 1.5);
    stroke(p, c, 2.6);
    p.drawLine(QPointF(12, 11), QPointF(12, 17.2));
}

void power(QPainter &p, const Ink &c)
{
    stroke(p, c, 2.4);
    p.drawArc(QRectF(4.5, 5, 15, 15), 125 * 16, 290 * 16);
    p.drawLine(QPointF(12, 3), QPointF(12, 11.5));
}

void trash(QPainter &p, const Ink &c)
{
    stroke(p, c);
    p.drawLine(QPointF(4.5, 6.8), QPointF(19.5, 6.8));
    p.drawPolyline(QPolygonF{{9.5, 6.8}, {9.5, 4}, {14.5, 4}, {14.5, 6.8}});
    p.drawPolyline(QPolygonF{{6.5, 6.8}, {7.5, 20.5}, {16.5, 20.5}, {17.5, 6.8}});
    p.drawLine(QPointF(10, 10), QPointF(10.3, 17));
    p.drawLine(QPointF(14, 10), QPointF(13.7, 17));
}

void slide(QPainter &p, const Ink &c)
{
    stroke(p, c, 1.8);
    p.drawRoundedRect(QRectF(2.5, 4.5, 16, 12.5), 1.5, 1.5);
    fill(p, c.ink);
    p.drawPolygon(QPolygonF{{4.5, 15}, {8.5, 9.8}, {11.2, 12.8}, {12.8, 11.2}, {16.5, 15}});
    p.drawEllipse(QPointF(14, 8.2), 1.3, 1.3);
}

void addSlide(QPainter &p, const Ink &c)
{
    slide(p, c);
    badgePlus(p, c, {18, 17.8});
}

void changeSlide(QPainter &p, const Ink &c)
{
    slide(p, c);
    badgeTurn(p, c, {18, 17.8});
}

void saveAs(QPainter &p, const Ink &c)
{
    p.save();
    p.translate(0.5, 0.5);
    p.scale(0.74, 0.74);
    disk(p, c);
    p.restore();
    // A pencil lying from lower left to upper right over the disk's corner.
    const QPointF tip(12.5, 22), end(22.5, 12);
    const QPointF along(0.7071, -0.7071), across(1.35, 1.35);
    const QPointF neck = tip + along * 3.0;
    QPolygonF pencil{tip, neck + across, end + across, end - across, neck - across};
    p.setPen(QPen(c.cut, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(c.ink);
    p.drawPolygon(pencil);
}

void layoutSheet(QPainter &p, const Ink &c, const QRectF &r)
{
    stroke(p, c, 1.8);
    p.drawRoundedRect(r, 1.5, 1.5);
    fill(p, c.ink);
    p.drawRect(QRectF(r.left(), r.top(), r.width(), r.height() * 0.28));
    const qreal top = r.top() + r.height() * 0.42;
    p.drawRect(QRectF(r.left() + 2, top, r.width() * 0.38, r.bottom() - top - 2));
    p.drawRect(QRectF(r.left() + r.width() * 0.52, top, r.width() * 0.48 - 2, 1.6));
    p.drawRect(QRectF(r.left() + r.width() * 0.52, top + 3.4, r.width() * 0.48 - 2, 1.6));
}

void restoreTemplate(QPainter &p, const Ink &c)
{
    layoutSheet(p, c, QRectF(2.5, 3, 16, 14));
    badgeTurn(p, c, {18, 17.8});
}

void templateSheet(QPainter &p, const Ink &c) { layoutSheet(p, c, QRectF(3, 3.5, 18, 17)); }

void roller(QPainter &p, const Ink &c)
{
    fill(p, c.ink);
    p.drawRoundedRect(QRectF(3.5, 3.5, 14.5, 5.8), 1.6, 1.6);
    stroke(p, c, 1.8);
    p.drawPolyline(QPolygonF{{18, 6.4}, {20.5, 6.4}, {20.5, 11.2}, {12, 11.2}, {12, 14}});
    fill(p, c.ink);
    p.drawRoundedRect(QRectF(10.4, 14, 3.2, 7.2), 1, 1);
}

void camera(QPainter &p, const Ink &c)
{
    fill(p, c.ink);
    p.drawRoundedRect(QRectF(2.5, 7, 19, 13.5), 2.5, 2.5);
    p.drawPolygon(QPolygonF{{7.8, 7.5}, {9.5, 4.5}, {14.5, 4.5}, {16.2, 7.5}});
    fill(p, c.cut);
    p.drawEllipse(QPointF(12, 13.8), 4.4, 4.4);
    p.drawEllipse(QPointF(18.3, 10), 1, 1);
    fill(p, c.ink);
    p.drawEllipse(QPointF(12, 13.8), 2.4, 2.4);
}

void viewfinder(QPainter &p, const Ink &c)
{
    stroke(p, c, 2.2);
    const qreal a = 3, b = 21, l = 5;
    p.drawPolyline(QPolygonF{{a, a + l}, {a, a}, {a + l, a}});
    p.drawPolyline(QPolygonF{{b - l, a}, {b, a}, {b, a + l}});
    p.drawPolyline(QPolygonF{{b, b - l}, {b, b}, {b - l, b}});
    p.drawPolyline(QPolygonF{{a + l, b}, {a, b}, {a, b - l}});
    stroke(p, c, 1.6);
    p.drawEllipse(QPointF(12, 12), 4, 4);
    p.drawLine(QPointF(12, 6.5), QPointF(12, 9.5));
    p.drawLine(QPointF(12, 14.5), QPointF(12, 17.5));
    p.drawLine(QPointF(6.5, 12), QPointF(9.5, 12));
    p.drawLine(QPointF(14.5, 12), QPointF(17.5, 12));
}

void graduationCap(QPainter &p, const Ink &c)
{
    fill(p, c.ink);
    QPainterPath base;
    base.moveTo(6.2, 11.5);
    base.lineTo(6.2, 16.2);
    base.quadTo(12, 20, 17.8, 16.2);
    base.lineTo(17.8, 11.5);
    base.closeSubpath();
    p.drawPath(base);
    p.setPen(QPen(c.cut, 1.2));
    p.drawPolygon(QPolygonF{{12, 4.5}, {22.5, 9.5}, {12, 14.5}, {1.5, 9.5}});
    stroke(p, c, 1.4);
    p.drawLine(QPointF(20.2, 10.6), QPointF(20.2, 16.5));
    fill(p, c.ink);
    p.drawEllipse(QPointF(20.2, 17.2), 1.3, 1.3);
}

void thumbnails(QPainter &p, const Ink &c)
{
    fill(p, c.ink);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRoundedRect(QRectF(3.2 + 6.2 * col, 3.2 + 6.2 * row, 5.2, 5.2), 1.1, 1.1);
}

void flag(QPainter &p, const Ink &c)
{
    stroke(p, c, 2.0);
    p.drawLine(QPointF(5, 3), QPointF(5, 21.5));
    stroke(p, c, 1.4);
    const QRectF cloth(5, 4, 15, 9);
    p.drawRect(cloth);
    fill(p, c.ink);
    const qreal w = cloth.width() / 4, h = cloth.height() / 2;
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 4; ++col)
            if ((row + col) % 2 == 0)
                p.drawRect(QRectF(cloth.left() + col * w, cloth.top() + row * h, w, h));
}

// A globe with a badge of two arrows pointing inwards: pictures made smaller
// for the web.
void webGlobe(QPainter &p, const Ink &c)
{
    stroke(p, c, 1.6);
    const QPointF centre(10.5, 10.5);
    p.drawEllipse(centre, 8, 8);
    p.drawEllipse(centre, 3.6, 8);
    p.drawLine(QPointF(2.5, 10.5), QPointF(18.5, 10.5));
    p.drawLine(QPointF(4, 6), QPointF(17, 6));
    p.drawLine(QPointF(4, 15), QPointF(17, 15));
    const QPointF b(18, 18);
    badge(p, c, b, 5.6);
    p.setPen(inkPen(c.cut, 1.4));
    p.drawLine(b + QPointF(-3.2, -3.2), b + QPointF(-0.6, -0.6));
    p.drawLine(b + QPointF(3.2, 3.2), b + QPointF(0.6, 0.6));
    p.drawLine(b + QPointF(-0.6, -0.6), b + QPointF(-2.4, -0.6));
    p.drawLine(b + QPointF(-0.6, -0.6), b + QPointF(-0.6, -2.4));
    p.drawLine(b + QPointF(0.6, 0.6), b + QPointF(2.4, 0.6));
    p.drawLine(b + QPointF(0.6, 0.6), b + QPointF(0.6, 2.4));
}

void nothing(QPainter &, const Ink &) {}

// Pictures are drawn on images, which any thread may paint, and become
// pixmaps in the window's thread.
QImage canvas(qreal pixelRatio, int size)
{
    QImage image(qRound(size * pixelRatio), qRound(size * pixelRatio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    return image;
}

// One key: a rounded, gradient-lit tile in the accent colour with its glyph.
QImage key(qreal pixelRatio, int size, const QColor &accent, bool pressed, const Glyph &glyph)
{
    QImage image = canvas(pixelRatio, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / qreal(ButtonSprites::TileSize), size / qreal(ButtonSprites::TileSize));

    const QRectF body(3, 2, 38, 38);
    const qreal radius = 9;
    if (!pressed) {
        fill(p, QColor(0, 0, 0, 80));
        p.drawRoundedRect(body.translated(0, 2), radius, radius);
    }
    QLinearGradient light(body.topLeft(), body.bottomLeft());
    if (pressed) {
        light.setColorAt(0, accent.darker(165));
        light.setColorAt(1, accent.darker(120));
    } else {
        light.setColorAt(0, accent.lighter(128));
        light.setColorAt(1, accent.darker(112));
    }
    const QRectF placed = pressed ? body.translated(0, 1.5) : body;
    p.setPen(QPen(accent.darker(pressed ? 200 : 150), 1));
    p.setBrush(light);
    p.drawRoundedRect(placed, radius, radius);
    // Sheen along the top edge of a raised key, shadow inside a pushed one.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pressed ? QColor(0, 0, 0, 90) : QColor(255, 255, 255, 90), 1.2));
    p.drawRoundedRect(placed.adjusted(1.2, 1.2, -1.2, -1.2), radius - 1.2, radius - 1.2);

    const Ink shadow{QColor(0, 0, 0, 70), QColor(0, 0, 0, 0)};
    const Ink face{pressed ? QColor(235, 235, 235) : Qt::white,
                   pressed ? accent.darker(142) : accent};
    constexpr qreal glyphScale = 1.04;
    p.translate(placed.center() - QPointF(12 * glyphScale, 12 * glyphScale));
    p.scale(glyphScale, glyphScale);
    p.save();
    p.translate(0, 0.9);
    glyph(p, shadow);
    p.restore();
    glyph(p, face);
    return image;
}

QColor fileColour() { return QColor(0x2f, 0x74, 0xd0); }
QColor showColour() { return QColor(0x17, 0x93, 0x86); }
QColor slideColour() { return QColor(0xe0, 0x7b, 0x24); }
QColor dangerColour() { return QColor(0xcf, 0x3f, 0x3b); }
QColor helpColour() { return QColor(0x6a, 0x5a, 0xc8); }
QColor blankColour() { return QColor(0x80, 0x88, 0x94); }

QPixmap keyPixmap(qreal pixelRatio, int size, const QColor &accent, bool pressed,
                  const Glyph &glyph)
{
    return QPixmap::fromImage(key(pixelRatio, size, accent, pressed, glyph));
}

} // namespace

QList<QImage> ButtonSprites::toolbarImages(qreal pixelRatio, int size)
{
    // In index order of the pairs: 0/1, 2/3, ... 34/35.
    const std::pair<QColor, Glyph> pairs[Count / 2] = {
        {fileColour(), folder},        {fileColour(), page},
        {fileColour(), disk},          {showColour(), play},
        {helpColour(), question},      {helpColour(), info},
        {dangerColour(), power},       {dangerColour(), trash},
        {slideColour(), addSlide},     {blankColour(), nothing},
        {slideColour(), changeSlide},  {fileColour(), saveAs},
        {showColour(), htmlCode},      {showColour(), restoreTemplate},
        {showColour(), roller},        {slideColour(), camera},
        {helpColour(), graduationCap}, {slideColour(), thumbnails},
    };
    QList<QImage> pictures;
    pictures.reserve(Count);
    for (const auto &[accent, glyph] : pairs) {
        pictures.append(key(pixelRatio, size, accent, false, glyph));
        pictures.append(key(pixelRatio, size, accent, true, glyph));
    }
    return pictures;
}

QList<QPixmap> ButtonSprites::toPixmaps(QList<QImage> images)
{
    QList<QPixmap> pictures;
    pictures.reserve(images.size());
    for (QImage &image : images)
        pictures.append(QPixmap::fromImage(std::move(image)));
    return pictures;
}

QList<QPixmap> ButtonSprites::toolbarPictures(qreal pixelRatio, int size)
{
    return toPixmaps(toolbarImages(pixelRatio, size));
}

std::pair<QPixmap, QPixmap> ButtonSprites::helpPictures(qreal pixelRatio, int size)
{
    return {keyPixmap(pixelRatio, size, helpColour(), false, question),
            keyPixmap(pixelRatio, size, helpColour(), true, question)};
}

std::pair<QPixmap, QPixmap> ButtonSprites::webPictures(qreal pixelRatio, int size)
{
    return {keyPixmap(pixelRatio, size, showColour(), false, webGlobe),
            keyPixmap(pixelRatio, size, showColour(), true, webGlobe)};
}

QPixmap ButtonSprites::captureDesignPicture(qreal pixelRatio, int size)
{
    return keyPixmap(pixelRatio, size, slideColour(), false, viewfinder);
}

QPixmap ButtonSprites::templateIcon(qreal pixelRatio, int size)
{
    return keyPixmap(pixelRatio, size, showColour(), false, templateSheet);
}

QPixmap ButtonSprites::finaliseIcon(qreal pixelRatio, int size)
{
    return keyPixmap(pixelRatio, size, showColour(), false, flag);
}

QPixmap ButtonSprites::textColourIcon(qreal pixelRatio, int size)
{
    QImage image = canvas(pixelRatio, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    p.setPen(inkPen(QColor(0x2b, 0x33, 0x40), 2.4));
    p.drawPolyline(QPolygonF{{6.5, 16}, {12, 3.5}, {17.5, 16}});
    p.drawLine(QPointF(8.6, 11.4), QPointF(15.4, 11.4));
    QLinearGradient rainbow(3, 0, 21, 0);
    const QColor stops[] = {Qt::red,           QColor(255, 160, 0), Qt::yellow,
                            QColor(0, 190, 0), QColor(0, 120, 255), QColor(150, 0, 220)};
    for (int i = 0; i < 6; ++i)
        rainbow.setColorAt(i / 5.0, stops[i]);
    p.setPen(Qt::NoPen);
    p.setBrush(rainbow);
    p.drawRoundedRect(QRectF(3, 18, 18, 3.6), 1, 1);
    p.end();
    return QPixmap::fromImage(std::move(image));
}

QPixmap ButtonSprites::clearCaptionIcon(qreal pixelRatio, int size)
{
    QImage image = canvas(pixelRatio, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    const QColor ink(0x2b, 0x33, 0x40);
    p.setPen(inkPen(ink, 2.4));
    QPainterPath back;
    back.moveTo(7, 9);
    back.lineTo(14.5, 9);
    back.cubicTo(18.5, 9, 20.5, 11.5, 20.5, 14.5);
    back.cubicTo(20.5, 17.5, 18.5, 20, 14.5, 20);
    back.lineTo(9, 20);
    p.drawPath(back);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF{{2.5, 9}, {8.5, 4}, {8.5, 14}});
    p.end();
    return QPixmap::fromImage(std::move(image));
}

QPixmap ButtonSprites::keyPicture(qreal pixelRatio, int size, const QColor &accent, bool pressed,
                                  const GlyphPainter &glyph)
{
    return keyPixmap(pixelRatio, size, accent, pressed,
               [&glyph](QPainter &p, const Ink &c) { glyph(p, c.ink, c.cut); });
}

QPixmap ButtonSprites::colourSwatch(qreal pixelRatio, int size, const QColor &colour)
{
    QImage image = canvas(pixelRatio, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0, 110), 1));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(1.5, 1.5, size - 3, size - 3), 3, 3);
    p.end();
    return QPixmap::fromImage(std::move(image));
}
