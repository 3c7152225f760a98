#include "app/features.h"

#include "app/frmprincipal.h"
#include "captions/captioncommands.h"
#include "captions/captioncontroller.h"
#include "capture/screencapture.h"
#include "editor/frmcouleur.h"
#include "editor/helpcommands.h"
#include "editor/slidecommands.h"
#include "editor/slidedisplay.h"
#include "editor/slidesorter.h"
#include "output/backgroundcommands.h"
#include "output/captioncolours.h"
#include "output/defaulttemplate.h"
#include "output/finalisecommand.h"
#include "output/outputcommands.h"
#include "output/slideshowgeneration.h"
#include "output/templatecommands.h"
#include "output/webpicturescommand.h"
#include "platform/platform.h"
#include "project/lifecyclecommands.h"
#include "widgets/picturebutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>

Features::Features(FrmPrincipal &window, const AppContext &context)
    : m_window(window)
    , m_context(context)
{
    FrmPrincipal &w = window;
    m_captions = std::make_unique<CaptionController>(
        CaptionController::Controls{w.richtxtTexteInfo, w.txtTexteInfo}, w.project);
    showDesign();
    m_captionCommands = std::make_unique<CaptionCommands>(
        CaptionCommands::Controls{w.richtxtTexteInfo, w.txtTexteInfo, w.cmdRich, w.comboPolice,
                                  w.comboTaille, w.CopierColler, w.Copier, w.Coller},
        w.project, *m_captions, m_context.platform, [this] { return colourPicker().choose(); });
    m_slideDisplay = std::make_unique<SlideDisplay>(
        SlideDisplay::Controls{w.imgDiapo, w.txtNumDiapo, w.cmdDiapo, w.lblLongueur, w.lblLargeur,
                               w.chkAjuster},
        w.project, *m_captions);
    m_helpCommands = std::make_unique<HelpCommands>(
        HelpCommands::Controls{w.imgHelp, w.imgDidact, w.imgInfo}, m_context, &w);
    m_outputCommands = std::make_unique<OutputCommands>(
        OutputCommands::Controls{w.imgVisual, w.imgVisuHTML}, w.project, m_context);
    m_templateCommands = std::make_unique<TemplateCommands>(
        TemplateCommands::Controls{w.imgModele, w.cmdChangerModele}, w.project, m_context, &w);
    QObject::connect(m_templateCommands.get(), &TemplateCommands::templateChanged,
                     m_templateCommands.get(), [this] { showDesign(); });
    m_lifeCycle = std::make_unique<LifeCycleCommands>(
        LifeCycleCommands::Controls{w.imgNew, w.imgFichier, w.imgSave, w.imgSaveSous, w.imgQuitter,
                                    w.txtEntete, w.lblNomDiapo, w.lblNbDiapo, &w},
        w.project, m_context,
        LifeCycleCommands::Hooks{
            [this] { m_captions->storeCaption(); }, [this] { m_slideDisplay->ShowCurrentSlide(); },
            [this] {
                DefaultTemplate::RestoreDefaultTemplate(m_context.platform, m_context.appDir);
                showDesign();
            },
            [this] {
                m_window.closeWithoutRevert();
                QCoreApplication::quit();
            },
            [this] {
                m_window.showProjectState();
                showDesign();
            }});
    m_screenCapture = std::make_unique<ScreenCapture>(
        ScreenCapture::Controls{w.imgCapturer, w.lblNbDiapo}, w.project, m_context, w,
        ScreenCapture::SlideView{[this] { m_slideDisplay->ShowCurrentSlide(); },
                                 [this] {
                                     return QSize(m_slideDisplay->displayWidthLimit(),
                                                  m_slideDisplay->displayHeightLimit());
                                 }});
    m_slideCommands = std::make_unique<SlideCommands>(
        SlideCommands::Controls{w.imgAjouter, w.imgChangeDiapo, w.imgDelete, w.lblNbDiapo, &w},
        w.project, m_context,
        SlideCommands::SlideView{[this] { m_captions->storeCaption(); },
                                 [this] { m_slideDisplay->ShowCurrentSlide(); }});
    m_backgroundCommands = std::make_unique<BackgroundCommands>(
        BackgroundCommands::Controls{w.imgChangerFond}, w.project, m_context, &w);
    m_finaliseCommand = std::make_unique<FinaliseCommand>(
        FinaliseCommand::Controls{w.cmdFinaliser, w.richtxtTexteInfo}, w.project, m_context,
        [this] { m_window.showProjectState(); });
    m_webPictures = std::make_unique<WebPicturesCommand>(
        WebPicturesCommand::Controls{w.imgOptimiser}, w.project, m_context, &w,
        [this] { m_slideDisplay->ShowCurrentSlide(); });
    m_slideSorter = std::make_unique<SlideSorter>(w.imgVisionneuse, w.project, m_context,
                                                  *m_captions, *m_slideDisplay, &w);
}

void Features::openAtStart(const QString &filePath)
{
    if (!filePath.isEmpty())
        m_lifeCycle->lifeCycle().openFile(filePath);
}

void Features::fileHandedOver(const QString &filePath)
{
    m_window.setWindowState((m_window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    m_window.raise();
    m_window.activateWindow();
    // With nothing open and no dialog up, the file opens as if chosen in the
    // open dialog; otherwise the slideshow being edited is left alone.
    if (!m_window.project.loaded && !QApplication::activeModalWidget()) {
        m_lifeCycle->lifeCycle().openFile(filePath);
        return;
    }
    m_context.platform.message(
        QStringLiteral("Un diaporama est déjà en cours de modification dans Lumivue.\r\n"
                       "« %1 » n'a pas été ouvert.")
            .arg(QDir::toNativeSeparators(filePath)),
        Platform::Buttons::Ok, Platform::Icon::Exclamation, QStringLiteral("ATTENTION"));
}

Features::~Features() { delete m_colourPicker; }

// The caption editor shows captions in the colours of the page design that
// the next generation uses.
void Features::showDesign()
{
    const auto colours = CaptionColours::fromPageFile(m_context.appDir + QLatin1Char('/')
                                                      + SlideshowFiles::TemplatePage);
    m_captions->setDesignColours(colours.background, colours.text);
}

FrmCouleur &Features::colourPicker()
{
    if (!m_colourPicker)
        m_colourPicker = new FrmCouleur(m_context, &m_window);
    return *m_colourPicker;
}
