#pragma once

#include "editor/picturecache.h"

#include <QObject>

#include <array>
#include <cstdint>

class CaptionController;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;
class SlidePicture;
struct SlideshowProject;

// Puts the current slide on screen (picture, caption, number, size) and moves
// between slides with the four navigation buttons and the number box.
//
// Other features call ShowCurrentSlide() after they change the slides or open
// a project. Once a slide is on screen the neighbouring pictures are decoded in
// the background, so that the next step does not wait for a decode; at most the
// shown picture and its two neighbours are held.
class SlideDisplay : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        SlidePicture *imgDiapo = nullptr;
        QLineEdit *txtNumDiapo = nullptr;
        std::array<QPushButton *, 4> cmdDiapo{}; // "<<", "<", ">", ">>"
        QLabel *lblLongueur = nullptr;           // "L = " width
        QLabel *lblLargeur = nullptr;            // "H = " height
        QAbstractButton *chkAjuster = nullptr;   // fits a large picture to the view
    };

    SlideDisplay(const Controls &controls, SlideshowProject &project, CaptionController &captions);

    // Shows the slide at currentSlide: its picture at natural size (an empty
    // picture when the file is missing or unreadable), its caption in the
    // editor, its number in the box, and the picture's size in the labels and
    // as the proposed capture size.
    void ShowCurrentSlide();

    // cmdDiapo(index): first, previous, next, last slide.
    void navigate(int index);

    // The size of the picture last shown, proposed as the size of a screen
    // capture: 600 x 350 until a picture is shown.
    std::int32_t displayWidthLimit() const { return m_displayWidthLimit; }
    std::int32_t displayHeightLimit() const { return m_displayHeightLimit; }

    const PictureCache &pictures() const { return m_pictures; }

signals:
    // After every showing, with the slide's index.
    void slideShown(int index);

protected:
    void customEvent(QEvent *event) override;

private:
    void slideNumberChanged(const QString &text);
    QStringList neighbours(int index) const;

    Controls m_controls;
    SlideshowProject &m_project;
    CaptionController &m_captions;
    // The number box reacts to a change of its text; off while the display
    // writes into it itself.
    bool m_slideNumberArmed = true;
    bool m_prefetchPosted = false;
    std::int32_t m_displayWidthLimit = 600;
    std::int32_t m_displayHeightLimit = 350;
    PictureCache m_pictures;
};
