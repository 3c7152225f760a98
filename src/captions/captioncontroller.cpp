#include "captions/captioncontroller.h"

#include "captions/captiontohtml.h"
#include "captions/colourtext.h"
#include "captions/htmltocaption.h"
#include "project/slideshowproject.h"

#include <QColor>
#include <QEvent>
#include <QLineEdit>
#include <QTextDocument>
#include <QTextEdit>

#include <limits>

CaptionController::CaptionController(const Controls &controls, SlideshowProject &project)
    : m_editorWidget(controls.richtxtTexteInfo)
    , m_field(controls.txtTexteInfo)
    , m_project(project)
    , m_editor(controls.richtxtTexteInfo)
{
    // Captions are long single lines; a text field cuts at 32767 characters by default.
    m_field->setMaxLength(std::numeric_limits<int>::max());
    connect(m_field, &QLineEdit::textChanged, this, &CaptionController::captionFieldChanged);
    m_field->installEventFilter(this);
}

void CaptionController::storeCaption()
{
    if (m_showingCaption)
        return;
    m_field->setText(CaptionToHtml(m_editor, QLocale()));
    m_editor.setSelection(m_editor.textLength(), 0);
}

void CaptionController::setDesignColours(const QColor &background, const QColor &text)
{
    // The editor's own sheet wins over the panel's for these two properties
    // and keeps the panel's border, padding and selection colours.
    m_editorWidget->setStyleSheet(
        QStringLiteral("QTextEdit#%1 { background: %2; color: %3; }")
            .arg(m_editorWidget->objectName(), background.name(), text.name()));
    m_editor.setDefaultColour(colourValue(text));
}

void CaptionController::showCaption(const QString &line)
{
    m_showingCaption = true;
    // Setting the text the field already holds is no change: the editor
    // would keep what it showed, so the line is put into it all the same.
    if (m_field->text() == line)
        captionFieldChanged(line);
    else
        m_field->setText(line);
    m_showingCaption = false;
}

void CaptionController::captionFieldChanged(const QString &text)
{
    if (m_showingCaption) {
        m_formatControlsArmed = true;
        HtmlToCaption(m_editor, text);
        // Undo goes back within this caption, never to the one shown before.
        m_editor.document()->clearUndoRedoStacks();
    }
    if (m_project.currentSlide >= 0 && m_project.currentSlide < SlideshowProject::Capacity)
        m_project.slideLines[std::size_t(m_project.currentSlide)] = text;
    m_project.saved = false;
}

bool CaptionController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::FocusOut)
        m_project.saved = false;
    return QObject::eventFilter(watched, event);
}
