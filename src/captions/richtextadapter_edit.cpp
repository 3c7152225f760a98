#include "captions/richtextadapter.h"

#include <QTextEdit>

// The editor keeps its own cursor: the adapter reads the selection from it
// and hands every change back, so what the user sees is what the adapter uses.
RichTextAdapter::RichTextAdapter(QTextEdit *editor)
    : RichTextAdapter(editor->document())
{
    m_readCursor = [editor] { return editor->textCursor(); };
    m_writeCursor = [editor](const QTextCursor &c) { editor->setTextCursor(c); };
}
