// Shows arbitrary caption lines in an editor and stores them again. Any line
// must go through without a fault, give a stored line of one piece (a font
// start first, "</font>" last, no CR or LF), and, for short lines, leave the
// editor exactly as the step-by-step method does.
#include "captions/captiontohtml.h"
#include "captions/htmltocaption.h"
#include "captions/richtextadapter.h"
#include "captiontools.h"
#include "literalcaption.h"

#include <QGuiApplication>
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

static void fail(const char *what, const QString &line)
{
    std::fprintf(stderr, "%s\n%s\n", what, line.toUtf8().constData());
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString html = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument doc;
    RichTextAdapter editor(&doc);
    HtmlToCaption(editor, html);
    const QString line = CaptionToHtml(editor, QLocale::c());
    if (!line.startsWith(QLatin1String("<font face='")) || !line.endsWith(QLatin1String("</font>")))
        fail("stored line is not one piece", line);
    if (line.contains(u'\r') || line.contains(u'\n'))
        fail("stored line holds a line end", line);

    if (html.size() <= 100) {
        QTextDocument slowDoc;
        RichTextAdapter slow(&slowDoc);
        Literal::htmlToCaption(slow, html);
        if (describe(editor) != describe(slow))
            fail("editor differs from the step-by-step method for", html);
        if (Literal::captionToHtml(slow, QLocale::c()) != line)
            fail("stored line differs from the position walk for", html);
    }
    return 0;
}
