#pragma once

#include <QPixmap>

// The pictures of the capture window's buttons, keys in the style of the main
// window's toolbar, drawn at the screen's pixel ratio.
namespace CaptureSprites {

enum class Picture {
    TakeCapture, // Command1(0)
    Leave,       // Command1(1)
    DeleteAll,   // Command1(2)
    ShowBmp,     // cmdBMP
    ShowJpeg,    // cmdVisu
    RemakeJpeg,  // cmdRefaire
};

QPixmap picture(Picture which, qreal pixelRatio, int size);

} // namespace CaptureSprites
