// Caption conversions on a long caption (5,000 characters, 50 font runs, some
// styles and line breaks), side by side with what QTextDocument does with its
// own HTML on the same document. Run by hand: bench_captions [rounds]
#include "captions/captiontohtml.h"
#include "captions/htmltocaption.h"
#include "captions/richtextadapter.h"
#include "literalcaption.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Median time of one call, in microseconds.
double medianMicros(int rounds, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int k = 0; k < rounds; ++k) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(double(t.nsecsElapsed()) / 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

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

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 200;

    QTextDocument doc;
    RichTextAdapter ed(&doc);
    buildCaption(ed);
    const QString caption = CaptionToHtml(ed);
    const QString qtHtml = doc.toHtml();
    std::printf("caption: %d characters of text, %lld characters of caption HTML, %lld font runs\n",
                ed.textLength(), qlonglong(caption.size()),
                qlonglong(caption.count(QStringLiteral("<font"))));

    QString sink;
    const double toCaption = medianMicros(rounds, [&] { sink = CaptionToHtml(ed); });
    const double toHtml = medianMicros(rounds, [&] { sink = doc.toHtml(); });

    QTextDocument target;
    RichTextAdapter shown(&target);
    const double fromCaption = medianMicros(rounds, [&] { HtmlToCaption(shown, caption); });
    QTextDocument qtTarget;
    const double setHtml = medianMicros(rounds, [&] { qtTarget.setHtml(qtHtml); });

    const int slowRounds = std::max(1, rounds / 50);
    QTextDocument slowDoc;
    RichTextAdapter slow(&slowDoc);
    const double walk = medianMicros(slowRounds,
                                     [&] { sink = Literal::captionToHtml(ed, QLocale()); });
    const double steps = medianMicros(slowRounds, [&] { Literal::htmlToCaption(slow, caption); });

    std::printf("%-44s %10.1f us\n", "CaptionToHtml", toCaption);
    std::printf("%-44s %10.1f us\n", "QTextDocument::toHtml", toHtml);
    std::printf("%-44s %10.2f (target <= 0.25)\n", "  ratio", toCaption / toHtml);
    std::printf("%-44s %10.1f us\n", "HtmlToCaption", fromCaption);
    std::printf("%-44s %10.1f us\n", "QTextDocument::setHtml", setHtml);
    std::printf("%-44s %10.2f (target <= 1.0)\n", "  ratio", fromCaption / setHtml);
    std::printf("%-44s %10.1f us\n", "one-selection-per-position walk (reference)", walk);
    std::printf("%-44s %10.1f us\n", "step-by-step tag editing (reference)", steps);
    std::printf("same results: %s\n",
                CaptionToHtml(shown) == caption && CaptionToHtml(slow) == caption ? "yes" : "NO");
    return 0;
}
