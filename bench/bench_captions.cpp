// Caption conversions on a long caption (5,000 characters, 50 font runs, some
// styles and line breaks), side by side with what QTextDocument does on the
// same document and the same caption string. Run by hand: bench_captions [pairs]
//
// Each comparison runs in alternating pairs (pairs.h), one call per side, in
// the window thread's processor time. Between calls other work runs (a
// document edited and a few megabytes of memory walked through), as in the
// program, where a conversion never runs twice in a row with hot caches.
#include "captions/captiontohtml.h"
#include "captions/htmltocaption.h"
#include "captions/richtextadapter.h"
#include "literalcaption.h"
#include "pairs.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

void buildCaption(RichTextAdapter &ed)
{
    QString text;
    const QString words = QStringLiteral("Le diaporama montre une image par diapo, légendée ");
    while (text.size() < 5000) {
        text += words;
        if (text.size() % 7 == 0)
            text += QStringLiteral("\r\n");
    }
    ed.setPlainText(text.left(5000));
    const QStringList faces{"Arial", "Times New Roman", "Verdana", "Courier New"};
    const int length = ed.textLength();
    for (int run = 0; run < 50; ++run) {
        ed.setSelection(run * length / 50, length / 50);
        ed.setFontName(faces.at(run % faces.size()));
        ed.setFontSize(8 + 2 * (run % 7));
        ed.setColour(std::uint32_t(run * 0x051F3B) & 0xFFFFFF);
        ed.setSelection(run * length / 50 + 10, 25);
        switch (run % 4) {
        case 0: ed.setBold(true); break;
        case 1: ed.setItalic(true); break;
        case 2: ed.setUnderline(true); break;
        case 3: ed.setCharOffset(40); break;
        }
    }
}

// What the program does between two conversions: edits elsewhere and other
// data passing through the caches.
class OtherWork
{
public:
    void operator()()
    {
        m_cursor.insertText(QStringLiteral("autre travail "));
        for (std::size_t i = 0; i < m_memory.size(); i += 64)
            m_memory[i] = char(m_memory[i] + 1);
    }

private:
    QTextDocument m_document;
    QTextCursor m_cursor{&m_document};
    std::vector<char> m_memory = std::vector<char>(8 << 20);
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int pairs = argc > 1 ? std::max(3, atoi(argv[1])) : 300;

    QTextDocument doc;
    RichTextAdapter ed(&doc);
    buildCaption(ed);
    const QString caption = CaptionToHtml(ed);
    std::printf("caption: %d characters of text, %lld characters of caption HTML, %lld font runs\n",
                ed.textLength(), qlonglong(caption.size()),
                qlonglong(caption.count(QStringLiteral("<font"))));

    OtherWork other;
    QString sink;
    const auto timed = [](const std::function<void()> &work) {
        return Pairs::threadCpuMs(work) * 1000.0;
    };
    Pairs::report("CaptionToHtml / QTextDocument::toHtml",
                  Pairs::run(
                      pairs, [&] { return timed([&] { sink = CaptionToHtml(ed); }); },
                      [&] { return timed([&] { sink = doc.toHtml(); }); }, [&] { other(); }),
                  "us", 0.25);

    QTextDocument target;
    RichTextAdapter shown(&target);
    QTextDocument qtTarget;
    Pairs::report("HtmlToCaption / setHtml, same string",
                  Pairs::run(
                      pairs, [&] { return timed([&] { HtmlToCaption(shown, caption); }); },
                      [&] { return timed([&] { qtTarget.setHtml(caption); }); }, [&] { other(); }),
                  "us", 1.0);

    // The plain ways, for reference: one selection per position, and tags
    // applied step by step.
    const int slowPairs = std::max(3, pairs / 50);
    QTextDocument slowDoc;
    RichTextAdapter slow(&slowDoc);
    Pairs::report("reference walk / CaptionToHtml",
                  Pairs::run(
                      slowPairs,
                      [&] { return timed([&] { sink = Literal::captionToHtml(ed, QLocale()); }); },
                      [&] { return timed([&] { sink = CaptionToHtml(ed); }); }, [&] { other(); }),
                  "us");
    Pairs::report("reference steps / HtmlToCaption",
                  Pairs::run(
                      slowPairs, [&] { return timed([&] { Literal::htmlToCaption(slow, caption); }); },
                      [&] { return timed([&] { HtmlToCaption(shown, caption); }); }, [&] { other(); }),
                  "us");
    std::printf("same results: %s\n",
                CaptionToHtml(shown) == caption && CaptionToHtml(slow) == caption ? "yes" : "NO");
    return 0;
}
