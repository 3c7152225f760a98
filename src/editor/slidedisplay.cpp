#include "editor/slidedisplay.h"

#include "captions/captioncontroller.h"
#include "editor/slidepicture.h"
#include "project/slideshowproject.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace {

const auto PrefetchEvent = QEvent::Type(QEvent::User);

// The box's text as a slide number; anything but a whole number within the
// 16-bit range is no number.
std::optional<int> slideNumber(const QString &text)
{
    bool ok = false;
    const short value = text.toShort(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

SlideDisplay::SlideDisplay(const Controls &controls, SlideshowProject &project,
                           CaptionController &captions)
    : m_controls(controls)
    , m_project(project)
    , m_captions(captions)
{
    for (int i = 0; i < int(m_controls.cmdDiapo.size()); ++i)
        connect(m_controls.cmdDiapo[i], &QPushButton::clicked, this, [this, i] { navigate(i); });
    connect(m_controls.txtNumDiapo, &QLineEdit::textChanged, this,
            &SlideDisplay::slideNumberChanged);
    connect(m_controls.chkAjuster, &QAbstractButton::toggled, m_controls.imgDiapo,
            &SlidePicture::setFitToView);
}

QStringList SlideDisplay::neighbours(int index) const
{
    const SlideshowProject &project = m_project;
    QStringList paths;
    if (!project.loaded)
        return paths;
    // The next slide first: walking forwards is the usual way.
    if (index + 1 < project.slideCount)
        paths.append(project.imagePath(index + 1));
    if (index >= 1 && index - 1 < project.slideCount)
        paths.append(project.imagePath(index - 1));
    return paths;
}

void SlideDisplay::ShowCurrentSlide()
{
    SlideshowProject &project = m_project;
    const int index = project.currentSlide;
    if (index < 0 || index >= SlideshowProject::Capacity)
        return;

    // Pictures of other slides, the one on screen included, are let go
    // before this one is decoded, so that a jump neither holds nor waits for
    // pictures it does not show, and the decode can reuse their memory. The
    // view lets go first, leaving the cache the last to hold them.
    const QString path = project.imagePath(index);
    const QStringList ahead = neighbours(index);
    if (!m_pictures.holds(path))
        m_controls.imgDiapo->releasePicture();
    m_pictures.keepOnly(QStringList(path) + ahead);
    const QImage picture = m_pictures.picture(path);
    const QString missing =
        tr("Image introuvable ou illisible :\n%1").arg(QFileInfo(path).fileName());
    m_controls.imgDiapo->setPicture(picture, picture.isNull() ? missing : QString());

    // The caption goes through the caption field, which stores it back.
    const QString caption = project.slideLines[std::size_t(index)];
    m_captions.showCaption(caption);

    // Runs slideNumberChanged at once when the text changes.
    m_controls.txtNumDiapo->setText(QString::number(index));

    // Pixel sizes are whole numbers, which print without a decimal part.
    const QSize measured = m_controls.imgDiapo->naturalSize() - QSize(2, 2);
    m_controls.lblLongueur->setText(QStringLiteral("L = ") + QString::number(measured.width()));
    m_controls.lblLargeur->setText(QStringLiteral("H = ") + QString::number(measured.height()));

    // An empty picture is no measure: the proposed capture size stays.
    if (!m_controls.imgDiapo->picture().isNull()) {
        m_displayWidthLimit = measured.width();
        m_displayHeightLimit = measured.height();
    }

    // The neighbours are decoded once this slide is painted: the request goes
    // behind the repaint the picture has just asked for, so that their decodes
    // do not take the processor from it.
    if (!m_prefetchPosted) {
        m_prefetchPosted = true;
        QCoreApplication::postEvent(this, new QEvent(PrefetchEvent), Qt::LowEventPriority);
    }
    emit slideShown(index);
}

void SlideDisplay::customEvent(QEvent *event)
{
    if (event->type() != PrefetchEvent)
        return QObject::customEvent(event);
    m_prefetchPosted = false;
    m_pictures.prefetch(neighbours(m_project.currentSlide));
}

void SlideDisplay::navigate(int index)
{
    SlideshowProject &project = m_project;
    if (!project.loaded || project.slideCount == 0)
        return;
    m_slideNumberArmed = false;
    m_captions.storeCaption();
    switch (index) {
    case 0: project.currentSlide = 0; break;
    case 1:
        if (--project.currentSlide == -1) {
            project.currentSlide = 0;
            m_slideNumberArmed = true;
            return;
        }
        break;
    case 2:
        if (++project.currentSlide == project.slideCount) {
            project.currentSlide = std::int16_t(project.slideCount - 1);
            m_slideNumberArmed = true;
            return;
        }
        break;
    default: project.currentSlide = std::int16_t(project.slideCount - 1); break;
    }
    ShowCurrentSlide();
    m_slideNumberArmed = true;
}

void SlideDisplay::slideNumberChanged(const QString &text)
{
    SlideshowProject &project = m_project;
    if (!m_slideNumberArmed || !project.loaded || project.slideCount == 0)
        return;
    m_slideNumberArmed = false;
    m_captions.storeCaption();
    const std::optional<int> number = slideNumber(text);
    if (!number || *number < 0 || *number >= project.slideCount) {
        m_controls.txtNumDiapo->setText(QString::number(project.currentSlide));
        m_slideNumberArmed = true;
        return;
    }
    project.currentSlide = std::int16_t(*number);
    m_controls.txtNumDiapo->setText(QString::number(*number));
    ShowCurrentSlide();
    m_slideNumberArmed = true;
}
