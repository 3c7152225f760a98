#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPixmap>

#include <functional>
#include <utility>

class QPainter;

// The pictures of the main window's buttons, drawn with vector code at the
// screen's pixel ratio so that they stay sharp on any display. Each toolbar
// picture is a rounded key with a white glyph; its pressed twin is darker,
// lit from below and its glyph sits one pixel lower, as a key pushed in.
class ButtonSprites
{
public:
    static constexpr int Count = 36;         // pairs: normal at even, pressed at odd index
    static constexpr int TileSize = 44;      // logical pixels, square
    static constexpr int SmallTileSize = 34; // for screens too narrow for the full toolbar

    // All toolbar pictures in index order; pair 18/19 is a blank key.
    static QList<QPixmap> toolbarPictures(qreal pixelRatio, int size = TileSize);
    // The same as images, which any thread may draw (the main window has them
    // drawn while it builds its controls), and their pixmaps, made in the
    // window's thread.
    static QList<QImage> toolbarImages(qreal pixelRatio, int size = TileSize);
    static QList<QPixmap> toPixmaps(QList<QImage> images);

    // The help key (pictures 8 and 9), for the help buttons of the dialogs.
    static std::pair<QPixmap, QPixmap> helpPictures(qreal pixelRatio, int size = TileSize);

    // The key of the command that makes the slides' photos lighter for the
    // web, normal and pressed; it came after the numbered pictures.
    static std::pair<QPixmap, QPixmap> webPictures(qreal pixelRatio, int size = TileSize);

    // The capture button's picture before it is first used: a viewfinder
    // rather than the camera it shows afterwards.
    static QPixmap captureDesignPicture(qreal pixelRatio, int size = TileSize);

    // Icons for the window's ordinary push buttons (template chooser,
    // finalisation) and the picture faces of the caption's format column.
    static QPixmap templateIcon(qreal pixelRatio, int size);
    static QPixmap finaliseIcon(qreal pixelRatio, int size);
    static QPixmap textColourIcon(qreal pixelRatio, int size);
    static QPixmap clearCaptionIcon(qreal pixelRatio, int size);
    // A key of this set for another window's buttons: the glyph is drawn in
    // a 24 x 24 box with `ink`; `cut` is the key's own colour, for carving
    // details out of filled shapes.
    using GlyphPainter = std::function<void(QPainter &, const QColor &ink, const QColor &cut)>;
    static QPixmap keyPicture(qreal pixelRatio, int size, const QColor &accent, bool pressed,
                              const GlyphPainter &glyph);

    // A swatch of the given colour, for the "apply last colour" button.
    static QPixmap colourSwatch(qreal pixelRatio, int size, const QColor &colour);
};
