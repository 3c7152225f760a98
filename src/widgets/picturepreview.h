#pragma once

#include <QLabel>

// A picture shown whole in the room of a fixed frame, never enlarged: it is
// decoded straight at the size it is shown, so a photo of many megapixels is
// never held at full size, and turned upright as its camera recorded.
class PicturePreview : public QLabel
{
    Q_OBJECT
public:
    explicit PicturePreview(QWidget *parent = nullptr);

    // Shows the picture of that file; a file that cannot be read as a picture
    // leaves the preview empty and returns false.
    bool showPicture(const QString &path);

    // The picture of that file, upright and shrunk while it is decoded to fit
    // room (in device pixels) whole; a null image when it cannot be read.
    static QImage decodeToFit(const QString &path, QSize room);
};
