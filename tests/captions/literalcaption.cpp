#include "literalcaption.h"

#include "captions/htmltocaption.h"
#include "captions/richtextadapter.h"

#include <QRegularExpression>

#include <cmath>

namespace {

// 1-based search from a 1-based start; 0 when absent.
qint64 inStr(qint64 start, const QString &text, const QString &target)
{
    if (start < 1 || start > text.size() + 1)
        return 0;
    return text.indexOf(target, start - 1) + 1;
}

// 1-based substring; false when the start or the length is invalid.
bool mid(const QString &text, qint64 start, qint64 length, QString *out)
{
    if (start < 1 || length < 0)
        return false;
    out->clear();
    for (qint64 k = start - 1; k < text.size() && k < start - 1 + length; ++k)
        *out += text.at(k);
    return true;
}

double val(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^([+-]?)([0-9]*)(?:\\.([0-9]*))?"));
    const auto m = number.match(text);
    if (m.captured(2).isEmpty() && m.captured(3).isEmpty())
        return 0;
    const double v = (m.captured(2) + u'.' + m.captured(3) + u'0').toDouble();
    return m.captured(1) == u"-" ? -v : v;
}

int hexPair(const QString &text)
{
    int v = 0;
    for (int k = 0; k < 2 && k < text.size(); ++k) {
        const int d = QStringLiteral("0123456789ABCDEF").indexOf(text.at(k).toUpper());
        if (d < 0 || text.at(k).unicode() > 127)
            break;
        v = v * 16 + d;
    }
    return v;
}

// Finds target in text (a copy of the editor's text) and deletes its first
// occurrence from the editor, keeping the formatting around it.
void DeleteFirstOccurrence(RichTextAdapter &editor, const QString &text, const QString &target)
{
    const qsizetype p = text.indexOf(target);
    if (p < 0)
        return;
    editor.setSelection(int(p), int(target.size()));
    editor.replaceSelection(QString());
}

QString colourText(std::uint32_t c)
{
    return QStringLiteral("#%1%2%3")
        .arg(c & 0xFF, 2, 16, QLatin1Char('0'))
        .arg(c >> 8 & 0xFF, 2, 16, QLatin1Char('0'))
        .arg(c >> 16 & 0xFF, 2, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace

namespace Literal {

QString captionToHtml(RichTextAdapter &ed, const QLocale &locale)
{
    const QString plain = ed.plainText();
    const int L = ed.textLength();
    QString out, face;
    std::uint32_t colour = 0;
    double size = 0;
    bool on[6] = {};
    static const char *tags[6] = {"b", "i", "u", "s", "sup", "sub"};
    for (int i = 0; i <= L; ++i) {
        ed.setSelection(i, 1);
        if (ed.fontName() != face || ed.colour() != colour || std::floor(ed.fontSize()) != size) {
            colour = ed.colour();
            face = ed.fontName();
            size = std::nearbyint(ed.fontSize());
            if (i != 0)
                out += QStringLiteral("</font>");
            const double html = size / 2 - 3;
            const QString sizeText = html == std::floor(html) ? QString::number(qint64(html))
                                                              : locale.toString(html, 'f', 1);
            out += QStringLiteral("<font face='%1' size='%2' color='%3'>")
                       .arg(face, sizeText, colourText(colour));
        }
        const bool has[6] = {ed.bold(),          ed.italic(),           ed.underline(),
                             ed.strikethrough(), ed.charOffset() == 40, ed.charOffset() == -40};
        for (int k = 0; k < 6; ++k) {
            if (!on[k] && has[k]) {
                out += QStringLiteral("<%1>").arg(QLatin1String(tags[k]));
                on[k] = true;
            } else if (on[k] && !has[k]) {
                out += QStringLiteral("</%1>").arg(QLatin1String(tags[k]));
                on[k] = false;
            }
        }
        if (i < L && plain.at(i) == u'\r' && i < L - 2)
            out += QStringLiteral("<br>");
        else if (i < L && plain.at(i) != u'\r' && plain.at(i) != u'\n')
            out += ed.selectedText();
    }
    for (int k = 0; k < 6; ++k) {
        if (on[k])
            out += QStringLiteral("</%1>").arg(QLatin1String(tags[k]));
    }
    return out + QStringLiteral("</font>");
}

void htmlToCaption(RichTextAdapter &ed, const QString &html)
{
    static const QString open[6] = {"<i>", "<u>", "<b>", "<s>", "<sup>", "<sub>"};
    static const QString close[6] = {"</i>", "</u>", "</b>", "</s>", "</sup>", "</sub>"};
    ed.clear();
    ed.setPlainText(html);
    ed.setSelection(0, ed.textLength());
    ed.setFontSize(10);

    for (int pass = 0; pass < 6; ++pass) {
        const QString text = ed.plainText();
        qint64 op[51] = {}, cl[51] = {};
        for (int j = 1; j <= 50; ++j) {
            op[j] = inStr(op[j - 1] + 1, text, open[pass]);
            if (op[j] == 0)
                break;
            cl[j] = inStr(cl[j - 1] + 1, text, close[pass]);
        }
        for (int j = 1; j <= 50; ++j) {
            if (op[j] == 0)
                continue;
            const qint64 start = op[j] + open[pass].size() - 1;
            ed.setSelection(int(start), int(cl[j] - 1 - start));
            switch (pass) {
            case 0: ed.setItalic(true); break;
            case 1: ed.setUnderline(true); break;
            case 2: ed.setBold(true); break;
            case 3: ed.setStrikethrough(true); break;
            case 4: ed.setCharOffset(40); break;
            case 5: ed.setCharOffset(-40); break;
            }
        }
        for (int j = 1; j <= 50; ++j) {
            DeleteFirstOccurrence(ed, ed.plainText(), open[pass]);
            DeleteFirstOccurrence(ed, ed.plainText(), close[pass]);
        }
    }

    {
        const QString text = ed.plainText();
        qint64 op[51] = {}, cl[51] = {};
        QString face[51];
        double size[51] = {};
        std::uint32_t colour[51] = {};
        for (int j = 1; j <= 50; ++j) {
            op[j] = inStr(op[j - 1] + 1, text, QStringLiteral("<font"));
            if (op[j] == 0)
                break;
            cl[j] = inStr(op[j] + 1, text, QStringLiteral("</font>"));
            qint64 p = inStr(op[j] + 1, text, QStringLiteral("face=")) + 6;
            qint64 q = inStr(p + 1, text, QStringLiteral("'"));
            QString part;
            if (mid(text, p, q - p, &part))
                face[j] = part;
            p = inStr(op[j] + 1, text, QStringLiteral("size=")) + 6;
            q = inStr(p + 1, text, QStringLiteral("'"));
            if (mid(text, p, q - p, &part))
                size[j] = std::nearbyint((val(part) + 3) * 2);
            p = inStr(op[j] + 1, text, QStringLiteral("color=")) + 8;
            QString h;
            mid(text, p, 6, &h);
            colour[j] = hexPair(h.mid(0, 2)) + 256 * hexPair(h.mid(2, 2))
                + 65536 * hexPair(h.mid(4, 2));
        }
        for (int j = 1; j <= 50; ++j) {
            if (op[j] == 0)
                continue;
            const qint64 e = inStr(op[j] + 1, text, QStringLiteral(">"));
            ed.setSelection(int(e), int(cl[j] - 1 - e));
            ed.setFontName(face[j]);
            ed.setFontSize(size[j]);
            ed.setColour(colour[j]);
        }
        for (int j = 1; j <= 50; ++j) {
            const QString now = ed.plainText();
            const qint64 p = inStr(1, now, QStringLiteral("<font"));
            const qint64 q = inStr(p, now, QStringLiteral(">"));
            QString start;
            if (p != 0 && mid(now, p, q + 1 - p, &start))
                DeleteFirstOccurrence(ed, now, start);
            DeleteFirstOccurrence(ed, ed.plainText(), QStringLiteral("</font>"));
        }
    }

    for (int j = 1; j <= 50; ++j) {
        const QString text = ed.plainText();
        const qint64 p = inStr(1, text, QStringLiteral("<br>"));
        if (p < 1)
            break;
        ed.setSelection(int(p - 1), 4);
        ed.replaceSelection(QStringLiteral("\r\n"));
    }
}

} // namespace Literal
