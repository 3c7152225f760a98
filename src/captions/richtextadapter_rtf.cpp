#include "captions/richtextadapter.h"
#include "captions/rtf.h"

// Kept apart so that the core links without the RTF code when nothing copies
// or pastes.

QString RichTextAdapter::selectedRtf() const { return Rtf::fromSelection(cursor()); }

void RichTextAdapter::replaceSelectionWithRtf(const QString &rtf)
{
    QTextCursor c = cursor();
    if (Rtf::insert(c, rtf))
        setCursor(c);
}
