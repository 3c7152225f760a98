#include "captions/captioncontroller.h"

#include "app/frmprincipal.h"
#include "captions/captiontohtml.h"
#include "captions/htmltocaption.h"
#include "project/slideshowproject.h"

#include <QEvent>
#include <QLineEdit>
#include <QTextEdit>

#include <limits>

CaptionController::CaptionController(FrmPrincipal &window)
    : CaptionController(Parts{window.richtxtTexteInfo, window.txtTexteInfo, &window.showingCaption,
                              &window.formatControlsArmed, &window.project},
                        &window)
{
}

CaptionController::CaptionController(const Parts &parts, QObject *parent)
    : QObject(parent), m_parts(parts), m_editor(parts.editor)
{
    setObjectName(QStringLiteral("captionController"));
    // Captions are long single lines; a text field cuts at 32767 characters by default.
    m_parts.field->setMaxLength(std::numeric_limits<int>::max());
    connect(m_parts.field, &QLineEdit::textChanged, this, &CaptionController::captionFieldChanged);
    m_parts.field->installEventFilter(this);
}

CaptionController *CaptionController::of(const FrmPrincipal &window)
{
    return window.findChild<CaptionController *>(QString(), Qt::FindDirectChildrenOnly);
}

void CaptionController::storeCaption()
{
    if (*m_parts.showingCaption)
        return;
    m_parts.field->setText(CaptionToHtml(m_editor, QLocale()));
    m_editor.setSelection(m_editor.textLength(), 0);
}

void CaptionController::showCaption(const QString &line)
{
    *m_parts.showingCaption = true;
    m_parts.field->setText(line);
    *m_parts.showingCaption = false;
}

void CaptionController::captionFieldChanged(const QString &text)
{
    if (*m_parts.showingCaption) {
        *m_parts.formatControlsArmed = true;
        HtmlToCaption(m_editor, text);
    }
    SlideshowProject &project = *m_parts.project;
    if (project.currentSlide >= 0 && project.currentSlide < SlideshowProject::Capacity)
        project.slideLines[std::size_t(project.currentSlide)] = text;
    project.saved = false;
}

bool CaptionController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_parts.field && event->type() == QEvent::FocusOut)
        m_parts.project->saved = false;
    return QObject::eventFilter(watched, event);
}
