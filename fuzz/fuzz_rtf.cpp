// Pastes arbitrary bytes as RTF. Any input must go through without a fault,
// and what was pasted, copied again as RTF and pasted into a fresh document,
// must come back with the same text and the same formatting.
#include "captions/richtextadapter.h"
#include "captions/rtf.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

// Text and formatting of a whole document, run by run.
static QString describe(const QTextDocument &doc)
{
    QString out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QStringList families = f.fontFamilies().toStringList();
            out += u'[' + (families.isEmpty() ? doc.defaultFont().family() : families.first());
            out += u' ' + QString::number(f.fontPointSize());
            out += f.foreground().style() == Qt::NoBrush ? u"auto"_qs
                                                         : f.foreground().color().name();
            out += QString::number(f.fontWeight()) + QString::number(f.fontItalic())
                + QString::number(f.fontUnderline()) + QString::number(f.fontStrikeOut());
            out += u' ' + QString::number(f.intProperty(RichTextAdapter::CharOffsetProperty))
                + u']';
            out += it.fragment().text();
        }
        out += u'|';
    }
    return out;
}

static void fail(const char *what, const QString &a, const QString &b)
{
    std::fprintf(stderr, "%s\n%s\n%s\n", what, a.toUtf8().constData(), b.toUtf8().constData());
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Clipboard RTF arrives as bytes; the prefix makes most inputs RTF.
    const QString rtf = u"{\\rtf1"_qs
        + QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument pasted;
    QTextCursor cursor(&pasted);
    if (!Rtf::insert(cursor, rtf))
        fail("RTF refused", rtf, QString());

    QTextCursor all(&pasted);
    all.select(QTextCursor::Document);
    const QString copied = Rtf::fromSelection(all);
    for (const QChar c : copied) {
        if (c.unicode() >= 0x80)
            fail("copied RTF is not ASCII", copied, QString());
    }
    QTextDocument again;
    QTextCursor second(&again);
    if (!Rtf::insert(second, copied))
        fail("copied RTF refused", copied, QString());
    if (describe(pasted) != describe(again))
        fail("copy of a paste differs", describe(pasted), describe(again));
    return 0;
}
