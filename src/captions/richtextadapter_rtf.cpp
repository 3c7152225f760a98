#include "captions/richtextadapter.h"
#include "captions/rtf.h"

#include <QTextDocument>

// Kept apart so that the core links without the RTF code when nothing copies
// or pastes.

QString RichTextAdapter::selectedRtf() const { return Rtf::fromSelection(cursor()); }

void RichTextAdapter::replaceSelectionWithRtf(const QString &rtf)
{
    QTextCursor c = cursor();
    if (Rtf::insert(c, rtf))
        setCursor(c);
}

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
