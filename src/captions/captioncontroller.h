#pragma once

#include "captions/richtextadapter.h"

#include <QObject>
#include <QString>

class QColor;
class QLineEdit;
class QTextEdit;
struct SlideshowProject;

// Keeps the current slide's caption line in step with the caption editor.
//
// The caption field txtTexteInfo holds the caption HTML of the current slide.
// Whenever its text changes (by program or by the user): while a caption is
// being shown the line is first put into the editor with its formatting (and
// the font and size lists are armed again); then the line becomes
// slideLines[currentSlide] and the project is marked unsaved. Leaving the
// field marks the project unsaved too. Like any text field, setting the text
// it already holds is no change and does nothing.
class CaptionController : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        QTextEdit *richtxtTexteInfo = nullptr; // the caption editor
        QLineEdit *txtTexteInfo = nullptr;     // the caption field
    };

    CaptionController(const Controls &controls, SlideshowProject &project);

    // The editor as the caption conversions and commands use it; its
    // selection is the editor widget's own.
    RichTextAdapter &editor() { return m_editor; }

    // Stores what the editor shows as the current slide's caption line: the
    // caption HTML goes into the caption field (which stores it, see above)
    // and the editor is left with nothing selected, the caret at the end of
    // the text. Does nothing while a caption is being shown. Run it before
    // anything leaves the current slide or saves, and after every formatting
    // command.
    void storeCaption();

    // Shows a caption line in the editor: puts the line into the caption
    // field, so that the editor gets it and the line is stored for the
    // current slide. The editor gets the line even when the field held it.
    void showCaption(const QString &line);

    // Shows captions on the colours of the page design they will be seen
    // in: the editor's background is the design's caption background, and
    // text without a colour of its own shows, and is stored, in the design's
    // text colour.
    void setDesignColours(const QColor &background, const QColor &text);

    // True while showCaption() runs.
    bool showingCaption() const { return m_showingCaption; }

    // Whether the font and size lists apply a choice; they do not while they
    // are being set to match the selection.
    bool formatControlsArmed() const { return m_formatControlsArmed; }
    void setFormatControlsArmed(bool armed) { m_formatControlsArmed = armed; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void captionFieldChanged(const QString &text);

    QTextEdit *m_editorWidget;
    QLineEdit *m_field;
    SlideshowProject &m_project;
    RichTextAdapter m_editor;
    bool m_showingCaption = false;
    bool m_formatControlsArmed = true;
};
