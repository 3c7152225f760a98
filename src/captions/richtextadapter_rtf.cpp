#include "captions/richtextadapter.h"
#include "captions/rtf.h"

#include <QTextDocument>

// Kept apart so that the core links without the RTF code when nothing pastes.

void RichTextAdapter::replaceSelectionWithRuns(const QList<RtfReader::Run> &runs)
{
    QTextCursor c = cursor();
    const bool deleting = c.hasSelection();
    const QTextCharFormat format = insertionFormat();
    c.beginEditBlock();
    Rtf::insertRuns(c, runs);
    if (deleting && m_document->characterCount() <= 1)
        c.setBlockCharFormat(format);
    c.endEditBlock();
    setCursor(c);
}
