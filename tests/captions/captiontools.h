#pragma once

#include "captions/richtextadapter.h"

#include <QRandomGenerator>
#include <QString>

class QTextDocument;

// What the caption tests and fuzzers share: one way to write down how a
// document looks, one way to format parts of an editor from a short recipe,
// one builder of random captions.

// A stretch of a document as one readable text: each run of one look as
// "[face size colour flags]text" (colour "#RRGGBB", or "auto" for none; flags
// b, i, u, s and ^offset) and each paragraph break as "¶{look}", the look of
// the paragraph it opens. to = -1: up to the end.
QString describe(const QTextDocument &doc, int from = 0, int to = -1);

// An editor: its document, then the look of the caret at the end, then its
// selection and the look it reports for it (for a caret, what typing would give).
QString describe(RichTextAdapter &editor);

// Formats parts of an editor, one part per "|": "start,length,setting;..."
// with settings face=NAME, size=POINTS, colour=HEX (0xBBGGRR), b, i, u, s,
// offset=TWIPS.
void applyFormatRecipe(RichTextAdapter &editor, const QString &recipe);

// Random captions from a seed, the same for the same seed.
class RandomCaption
{
public:
    explicit RandomCaption(quint32 seed)
        : m_rng(seed)
    {
    }

    // An editor with random text and formatting. storable: only what a
    // caption line gives back unchanged (no "<" in the text, no break at
    // either end, whole point sizes, even ones unless halfSizes); otherwise
    // anything, markup characters, line separators and half sizes included.
    void fillEditor(RichTextAdapter &editor, bool storable = false, bool halfSizes = false);

    // A caption line of random pieces of caption HTML, well or badly formed;
    // with manyOfTwo, long runs of two pieces that go past the limits.
    QString line(bool manyOfTwo = false);

    int bounded(int highest) { return int(m_rng.bounded(highest)); }

private:
    QRandomGenerator m_rng;
};
