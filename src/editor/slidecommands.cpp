#include "editor/slidecommands.h"

#include "editor/imagechooser.h"
#include "editor/slideedits.h"
#include "editor/slidefiles.h"
#include "project/slideshowproject.h"
#include "widgets/picturebutton.h"

#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>

SlideCommands::SlideCommands(const Controls &controls, SlideshowProject &project,
                             const AppContext &context, SlideView slides)
    : m_controls(controls)
    , m_project(project)
    , m_context(context)
    , m_slides(std::move(slides))
{
    connect(m_controls.imgAjouter, &PictureButton::released, this, &SlideCommands::AddSlide);
    connect(m_controls.imgChangeDiapo, &PictureButton::released, this,
            &SlideCommands::ChangeSlideImage);
    connect(m_controls.imgDelete, &PictureButton::released, this,
            &SlideCommands::DeleteCurrentSlide);
    m_controls.window->setAcceptDrops(true);
    m_controls.window->installEventFilter(this);
}

SlideCommands::~SlideCommands()
{
    delete m_addChooser;
    delete m_changeChooser;
}

ImageChooser &SlideCommands::addChooser()
{
    if (!m_addChooser)
        m_addChooser = new ImageChooser(ImageChooser::Kind::Add, m_context, m_controls.window);
    return *m_addChooser;
}

ImageChooser &SlideCommands::changeChooser()
{
    if (!m_changeChooser)
        m_changeChooser = new ImageChooser(ImageChooser::Kind::Change, m_context,
                                           m_controls.window);
    return *m_changeChooser;
}

void SlideCommands::slidesChanged()
{
    m_controls.lblNbDiapo->setText(QString::number(m_project.slideCount));
    m_slides.showCurrentSlide();
}

void SlideCommands::AddSlide()
{
    if (!m_project.loaded || m_project.slideCount >= SlideshowProject::MaxSlides)
        return;
    ImageChooser &chooser = addChooser();
    chooser.setWindowTitle(QStringLiteral("Ajouter une diapo"));
    chooser.txtInfo->setPlainText(ImageChooser::CaptionPrompt);
    const auto pick = chooser.choose();
    if (!pick)
        return;
    // The change chooser opens where this one was left.
    changeChooser().setFolder(chooser.folder());
    m_slides.storeCaption();
    const SlideFiles::Outcome outcome = SlideFiles::appendSlide(m_project, pick->file,
                                                                pick->caption);
    SlideEdits::report(m_context.platform, outcome, pick->file, m_project.currentSlide, true);
    if (outcome == SlideFiles::Outcome::Done || outcome == SlideFiles::Outcome::CopyFailed)
        slidesChanged();
}

void SlideCommands::ChangeSlideImage()
{
    if (!m_project.loaded)
        return;
    ImageChooser &chooser = changeChooser();
    const auto pick = chooser.choose();
    if (!pick)
        return;
    addChooser().setFolder(chooser.folder());
    m_slides.storeCaption();
    const SlideFiles::Outcome outcome = SlideFiles::changeImage(m_project, pick->file);
    SlideEdits::report(m_context.platform, outcome, pick->file, m_project.currentSlide, false);
    if (outcome == SlideFiles::Outcome::Done)
        m_slides.showCurrentSlide();
}

void SlideCommands::DeleteCurrentSlide()
{
    if (!m_project.loaded)
        return;
    m_slides.storeCaption();
    if (SlideEdits::DeleteCurrentSlide(m_context.platform, m_project))
        slidesChanged();
}

void SlideCommands::dropFiles(const QStringList &files)
{
    m_slides.storeCaption();
    if (SlideEdits::dropPictures(m_context.platform, m_project, files) > 0)
        slidesChanged();
}

bool SlideCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_controls.window)
        return false;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto *drag = static_cast<QDropEvent *>(event);
        if (drag->mimeData()->hasUrls())
            drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        QStringList files;
        for (const QUrl &url : drop->mimeData()->urls())
            if (url.isLocalFile())
                files << url.toLocalFile();
        drop->acceptProposedAction();
        // The file manager waits for the drop to end: the messages come after.
        QMetaObject::invokeMethod(
            this, [this, files] { dropFiles(files); }, Qt::QueuedConnection);
        return true;
    }
    return false;
}
