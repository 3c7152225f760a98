#pragma once

#include "captions/richtextadapter.h"

#include <QColor>
#include <QObject>
#include <QPoint>

#include <array>
#include <functional>
#include <optional>
#include <utility>

class CaptionController;
class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QTextEdit;
class QToolButton;
class Platform;
struct SlideshowProject;

// The caption editor's commands: the format column cmdRich (0 .. 8), the font
// and size lists, the right-button menu with copy and paste, and the mouse
// release that shows the format controls while text is selected and hides
// them otherwise. Every formatting command ends by storing the caption as
// HTML (CaptionController::storeCaption).
//
// The keyboard does what the mouse does: a key release that moves the
// selection runs the show/hide rule of the mouse release; Ctrl+B, Ctrl+I and
// Ctrl+U are the bold, italic and underline buttons; copy, cut and paste keys
// go through Copier and Coller; undo and redo store the caption they bring
// back. Clearing the caption ("UNDO") is one step of the editor's undo.
//
// Toggles on a selection of mixed style set the style for all of it unless
// every character has it already, and then clear it; the offset buttons
// likewise give a mixed selection the offset of their own kind.
class CaptionCommands : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        QTextEdit *richtxtTexteInfo = nullptr;
        QLineEdit *txtTexteInfo = nullptr;
        std::array<QToolButton *, 9> cmdRich{};
        QComboBox *comboPolice = nullptr;
        QComboBox *comboTaille = nullptr;
        QMenu *CopierColler = nullptr;
        QAction *Copier = nullptr;
        QAction *Coller = nullptr;
    };
    // Asks the user for a colour (the colour picker); nothing when cancelled.
    using ColourChooser = std::function<std::optional<QColor>()>;

    CaptionCommands(const Controls &controls, const SlideshowProject &project,
                    CaptionController &captions, Platform &platform, ColourChooser chooseColour);

    // "#RRGGBB" of the colour last chosen, "" before any and after a cancel.
    const QString &lastColour() const { return m_lastColour; }

    // ---- the handlers, as the controls run them ----
    void editorPressed(Qt::MouseButton button, const QPoint &globalPosition);
    void editorReleased();
    void formatClicked(int index);
    void fontChosen(const QString &face);
    void sizeChosen(const QString &size);
    void copy();
    void paste();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The editor's keys; true when the key was a command of ours.
    bool editorKey(QEvent *event);
    void undoOrRedo(bool undo);
    // Restores the remembered selection when nothing is selected.
    void restoreEmptySelection();
    void toggle(bool RichTextAdapter::Style::*member, void (RichTextAdapter::*set)(bool));
    void flipOffset(int own);
    void chooseColour();
    void clearCaption();
    void setFormatControlsVisible(bool visible);
    QList<RichTextAdapter::Style> selectionStyles() const;

    Controls m_controls;
    QWidget *m_viewport;
    const SlideshowProject &m_project;
    CaptionController &m_captions;
    Platform &m_platform;
    ColourChooser m_chooseColour;
    RichTextAdapter m_editor;
    std::pair<int, int> m_keySelection{0, 0}; // anchor and caret when a key went down
    int m_savedSelStart = 0;                  // the selection of the last format button pressed
    int m_savedSelLength = 0;                 // while text was selected
    QString m_lastColour;
};
