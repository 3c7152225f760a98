#pragma once

#include "platform/appcontext.h"

#include <QObject>
#include <QPointer>

#include <functional>

class ImageChooser;
class PictureButton;
class QLabel;
class QWidget;
struct SlideshowProject;

// The main window's slide commands: add a slide at the end (imgAjouter),
// change the current slide's picture (imgChangeDiapo), delete it (imgDelete),
// and pictures dropped onto the window, appended as the add does. The
// choosers pick; the file steps and the project are dealt with here, and the
// slide shown afterwards.
class SlideCommands : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        PictureButton *imgAjouter = nullptr;
        PictureButton *imgChangeDiapo = nullptr;
        PictureButton *imgDelete = nullptr;
        QLabel *lblNbDiapo = nullptr; // the slide count
        QWidget *window = nullptr;    // parent of the choosers; takes the drops
    };
    struct SlideView
    {
        std::function<void()> storeCaption;     // keeps the caption being edited
        std::function<void()> showCurrentSlide; // ShowCurrentSlide
    };

    SlideCommands(const Controls &controls, SlideshowProject &project, const AppContext &context,
                  SlideView slides);
    ~SlideCommands() override;

    void AddSlide();
    void ChangeSlideImage();
    void DeleteCurrentSlide();
    // Files dropped onto the window, in their order.
    void dropFiles(const QStringList &files);

    // Created on first use, then only hidden between uses.
    ImageChooser &addChooser();
    ImageChooser &changeChooser();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void slidesChanged();

    Controls m_controls;
    SlideshowProject &m_project;
    AppContext m_context;
    SlideView m_slides;
    QPointer<ImageChooser> m_addChooser;
    QPointer<ImageChooser> m_changeChooser;
};
