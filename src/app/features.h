#pragma once

#include "platform/appcontext.h"

#include <QPointer>

#include <memory>

class BackgroundCommands;
class CaptionCommands;
class CaptionController;
class FinaliseCommand;
class FrmCouleur;
class FrmPrincipal;
class HelpCommands;
class LifeCycleCommands;
class OutputCommands;
class ScreenCapture;
class SlideCommands;
class SlideDisplay;
class SlideSorter;
class TemplateCommands;
class WebPicturesCommand;

// The one place that knows both the main window and the features: it creates
// each feature controller and hands it only what it uses (its controls, the
// project, the context and the controllers it talks to). Create it after the
// window and destroy it before: the controllers watch the window's controls.
class Features
{
public:
    Features(FrmPrincipal &window, const AppContext &context);
    ~Features();

    CaptionController &captions() { return *m_captions; }
    CaptionCommands &captionCommands() { return *m_captionCommands; }
    // Shows the current slide; features that change the slides call its
    // ShowCurrentSlide(), the capture reads its display limits.
    SlideDisplay &slideDisplay() { return *m_slideDisplay; }

    LifeCycleCommands &lifeCycle() { return *m_lifeCycle; }
    SlideSorter &slideSorter() { return *m_slideSorter; }

    // The colour picker, created on first use and only hidden between uses.
    FrmCouleur &colourPicker();

    // A project file named at start, or handed over by a later start.
    void openAtStart(const QString &filePath);
    void fileHandedOver(const QString &filePath);

private:
    // Gives the caption editor the colours of the current page design.
    void showDesign();

    FrmPrincipal &m_window;
    AppContext m_context;
    QPointer<FrmCouleur> m_colourPicker;
    std::unique_ptr<CaptionController> m_captions;
    std::unique_ptr<CaptionCommands> m_captionCommands;
    std::unique_ptr<SlideDisplay> m_slideDisplay;
    std::unique_ptr<HelpCommands> m_helpCommands;
    std::unique_ptr<OutputCommands> m_outputCommands;
    std::unique_ptr<TemplateCommands> m_templateCommands;
    std::unique_ptr<LifeCycleCommands> m_lifeCycle;
    std::unique_ptr<ScreenCapture> m_screenCapture;
    std::unique_ptr<SlideCommands> m_slideCommands;
    std::unique_ptr<BackgroundCommands> m_backgroundCommands;
    std::unique_ptr<FinaliseCommand> m_finaliseCommand;
    std::unique_ptr<WebPicturesCommand> m_webPictures;
    std::unique_ptr<SlideSorter> m_slideSorter;
};
