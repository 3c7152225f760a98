#pragma once

#include "editor/picturecache.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <functional>

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
// a project. After each showing the neighbouring pictures are decoded in the
// background, so that the next step does not wait for a decode; at most the
// shown picture and its two neighbours are held.
class SlideDisplay : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        SlidePicture *imgDiapo = nullptr;
        QLineEdit *txtNumDiapo = nullptr;
        std::array<QPushButton *, 4> cmdDiapo{};   // "<<", "<", ">", ">>"
        QLabel *lblLongueur = nullptr;             // "L = " width
        QLabel *lblLargeur = nullptr;              // "H = " height
        QAbstractButton *chkAjuster = nullptr;     // fit a large picture to the view
        QLineEdit *txtTexteInfo = nullptr;         // the caption field
    };
    // Values of the main window read and written here.
    struct State
    {
        SlideshowProject *project = nullptr;
        bool *showingCaption = nullptr;
        bool *slideNumberArmed = nullptr;
        std::int32_t *displayWidthLimit = nullptr;   // proposed capture size
        std::int32_t *displayHeightLimit = nullptr;
    };

    // storeCaption stores the caption being edited into the current slide.
    SlideDisplay(const Controls &controls, const State &state,
                 std::function<void()> storeCaption, QObject *parent);

    // Shows the slide at currentSlide: its picture at natural size (an empty
    // picture when the file is missing or unreadable), its caption in the
    // editor, its number in the box, and the picture's size in the labels and
    // as the proposed capture size.
    void ShowCurrentSlide();

    // cmdDiapo(index): first, previous, next, last slide.
    void navigate(int index);

    const PictureCache &pictures() const { return m_pictures; }

signals:
    // After every showing, with the slide's index.
    void slideShown(int index);

private:
    void slideNumberChanged(const QString &text);
    QStringList neighbours(int index) const;

    Controls m_controls;
    State m_state;
    std::function<void()> m_storeCaption;
    PictureCache m_pictures;
};
