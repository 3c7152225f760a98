#pragma once

#include "platform/appcontext.h"

#include <QObject>
#include <QPointer>

class CaptionController;
class FrmVisionneuse;
class PictureButton;
class QWidget;
class SlideDisplay;
struct SlideshowProject;

// imgVisionneuse: reorders the slides of the open project in the sorter.
// The caption being typed is stored first, so that it moves with its slide;
// after "OK" the pictures, captions and types take their new places and the
// slide now at the current position is shown.
class SlideSorter : public QObject
{
    Q_OBJECT
public:
    // window: the owner of the sorter, which is created on first use and
    // only hidden between uses.
    SlideSorter(PictureButton *imgVisionneuse, SlideshowProject &project, const AppContext &context,
                CaptionController &captions, SlideDisplay &display, QWidget *window);
    ~SlideSorter() override;

    void OpenSlideSorter();
    FrmVisionneuse &sorter();

private:
    SlideshowProject &m_project;
    AppContext m_context;
    CaptionController &m_captions;
    SlideDisplay &m_display;
    QWidget *m_window;
    QPointer<FrmVisionneuse> m_sorter;
};
