#include "captions/captioncommands.h"

#include "captions/captioncontroller.h"
#include "project/slideshowproject.h"

#include <QKeyEvent>
#include <QTextEdit>

// The caption editor's keys. The text control would copy, cut and paste in
// its own HTML and undo without the caption line knowing; these keys go
// through the commands instead.

namespace {

// The format button a key stands for (cmdRich index), or -1.
int formatButtonOf(const QKeyEvent &key)
{
    if (key.matches(QKeySequence::Bold))
        return 2;
    if (key.matches(QKeySequence::Italic))
        return 0;
    if (key.matches(QKeySequence::Underline))
        return 1;
    return -1;
}

bool isCommandKey(const QKeyEvent &key)
{
    for (const auto command : {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste,
                               QKeySequence::Undo, QKeySequence::Redo}) {
        if (key.matches(command))
            return true;
    }
    return formatButtonOf(key) >= 0;
}

} // namespace

bool CaptionCommands::editorKey(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    const auto &key = *static_cast<QKeyEvent *>(event);
    const auto selection = [this] {
        const QTextCursor c = m_editor.cursor();
        return std::pair(c.anchor(), c.position());
    };

    if (type == QEvent::ShortcutOverride) {
        // While the editor has the focus these keys are its own.
        if (!isCommandKey(key))
            return false;
        event->accept();
        return true;
    }
    if (type == QEvent::KeyRelease) {
        // The rule of the mouse release, once a key has moved the selection.
        if (m_project.loaded && selection() != m_keySelection)
            editorReleased();
        m_keySelection = selection();
        return false;
    }

    const bool editable = !m_controls.richtxtTexteInfo->isReadOnly();
    if (const int button = formatButtonOf(key); button >= 0) {
        if (m_project.loaded && editable)
            formatClicked(button);
    } else if (key.matches(QKeySequence::Copy)) {
        copy();
    } else if (key.matches(QKeySequence::Cut)) {
        copy();
        if (editable)
            m_editor.replaceSelection(QString());
    } else if (key.matches(QKeySequence::Paste)) {
        if (editable)
            paste();
    } else if (key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo)) {
        if (editable)
            undoOrRedo(key.matches(QKeySequence::Undo));
    } else {
        m_keySelection = selection(); // as it was before the key
        return false;
    }
    // The command placed the selection; its key release is no move.
    m_keySelection = selection();
    return true;
}

void CaptionCommands::undoOrRedo(bool undo)
{
    QTextEdit *edit = m_controls.richtxtTexteInfo;
    if (undo)
        edit->undo();
    else
        edit->redo();
    // The caption line follows what the editor shows again.
    if (m_project.loaded)
        m_captions.storeCaption();
}
