#pragma once

#include "captions/richtextadapter.h"

#include <QObject>
#include <QString>

class FrmPrincipal;
class QLineEdit;
class QTextEdit;
struct SlideshowProject;

// Keeps the current slide's caption line in step with the caption editor.
//
// The caption field txtTexteInfo holds the caption HTML of the current slide.
// Whenever its text changes (by program or by the user): while showingCaption
// is set the line is first put into the editor with its formatting (and the
// font and size lists are armed again); then the line becomes
// slideLines[currentSlide] and the project is marked unsaved. Leaving the
// field marks the project unsaved too. Like any text field, setting the text
// it already holds is no change and does nothing.
//
// Created once by the main window, which owns it; other features reach it
// with CaptionController::of(window).
class CaptionController : public QObject
{
    Q_OBJECT
public:
    // The parts of the main window it works on.
    struct Parts
    {
        QTextEdit *editor = nullptr;        // richtxtTexteInfo
        QLineEdit *field = nullptr;         // txtTexteInfo
        bool *showingCaption = nullptr;
        bool *formatControlsArmed = nullptr;
        SlideshowProject *project = nullptr;
    };

    explicit CaptionController(FrmPrincipal &window);
    CaptionController(const Parts &parts, QObject *parent);

    static CaptionController *of(const FrmPrincipal &window);

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

    // Shows a caption line in the editor: sets showingCaption, puts the line
    // into the caption field (so the editor gets it, and the line is stored
    // for the current slide) and clears showingCaption again.
    void showCaption(const QString &line);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void captionFieldChanged(const QString &text);

    Parts m_parts;
    RichTextAdapter m_editor;
};
