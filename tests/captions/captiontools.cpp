#include "captiontools.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

QString lookOf(const QTextDocument &doc, const QTextCharFormat &format)
{
    const RichTextAdapter reader(const_cast<QTextDocument *>(&doc));
    const RichTextAdapter::Style s = reader.styleOf(format);
    QString look = s.face + u' ' + QString::number(s.size);
    look += format.foreground().style() == Qt::NoBrush
        ? QStringLiteral(" auto")
        : u' ' + format.foreground().color().name().toUpper();
    if (s.bold)
        look += QStringLiteral(" b");
    if (s.italic)
        look += QStringLiteral(" i");
    if (s.underline)
        look += QStringLiteral(" u");
    if (s.strikethrough)
        look += QStringLiteral(" s");
    if (s.offset != 0)
        look += QStringLiteral(" ^") + QString::number(s.offset);
    return look;
}

} // namespace

QString describe(const QTextDocument &doc, int from, int to)
{
    if (to < 0)
        to = doc.characterCount() - 1;
    QString out;
    QString previous;
    for (QTextBlock block = doc.findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int a = std::max(fragment.position(), from);
            const int b = std::min(fragment.position() + fragment.length(), to);
            if (a >= b)
                continue;
            const QString look = lookOf(doc, fragment.charFormat());
            if (look != previous)
                out += u'[' + look + u']';
            previous = look;
            out += fragment.text().mid(a - fragment.position(), b - a);
        }
        // A break looks as the paragraph it opens.
        const int end = block.position() + block.length() - 1;
        if (end >= from && end < to && block.next().isValid()) {
            out += QStringLiteral("¶{") + lookOf(doc, block.next().charFormat()) + u'}';
            previous.clear();
        }
    }
    return out;
}

QString describe(RichTextAdapter &editor)
{
    const auto look = [](const RichTextAdapter::Style &s) {
        return QStringLiteral("%1/%2/%3/%4%5%6%7/%8")
            .arg(s.face)
            .arg(s.size)
            .arg(s.colour, 6, 16, QLatin1Char('0'))
            .arg(s.bold ? u'b' : u'-')
            .arg(s.italic ? u'i' : u'-')
            .arg(s.underline ? u'u' : u'-')
            .arg(s.strikethrough ? u's' : u'-')
            .arg(s.offset);
    };
    return describe(*editor.document()) + QStringLiteral(" | end ") + look(editor.styleAtEnd())
        + QStringLiteral(" | selection %1+%2 ")
              .arg(editor.selectionStart())
              .arg(editor.selectionLength())
        + look(editor.style());
}

void applyFormatRecipe(RichTextAdapter &ed, const QString &recipe)
{
    const QStringList parts = recipe.split(u'|', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QStringList fields = part.split(u',');
        ed.setSelection(fields.value(0).toInt(), fields.value(1).toInt());
        const QStringList settings = fields.value(2).split(u';', Qt::SkipEmptyParts);
        for (const QString &setting : settings) {
            const QString key = setting.section(u'=', 0, 0);
            const QString value = setting.section(u'=', 1);
            if (key == u"face")
                ed.setFontName(value);
            else if (key == u"size")
                ed.setFontSize(value.toDouble());
            else if (key == u"colour")
                ed.setColour(value.toUInt(nullptr, 16));
            else if (key == u"offset")
                ed.setCharOffset(value.toInt());
            else
                (ed
                 .*(key == u"b"       ? &RichTextAdapter::setBold
                        : key == u"i" ? &RichTextAdapter::setItalic
                        : key == u"u" ? &RichTextAdapter::setUnderline
                                      : &RichTextAdapter::setStrikethrough))(true);
        }
    }
}

void RandomCaption::fillEditor(RichTextAdapter &ed, bool storable, bool halfSizes)
{
    static const QStringList faces{"Arial", "Times New Roman", "Comic Sans MS", "Courier"};
    const QString alphabet = storable ? QStringLiteral("abcXYZ 012>&'\"|\u00e9\u00e8\u00a0;.")
                                      : QStringLiteral("ab <>&'\"x\u00e9");
    QString text;
    const int n = (storable ? 1 : 0) + bounded(storable ? 60 : 30);
    for (int k = 0; k < n; ++k) {
        const bool lineBreak = (!storable || (k > 0 && k < n - 1)) && bounded(8) == 0;
        text += lineBreak ? QStringLiteral("\r\n") : QString(alphabet.at(bounded(alphabet.size())));
    }
    ed.setPlainText(text);
    if (!storable && bounded(4) == 0) { // Shift+Enter: a line separator inside a paragraph
        QTextCursor c(ed.document());
        c.setPosition(bounded(ed.document()->characterCount()));
        c.insertText(QString(QChar(QChar::LineSeparator)));
    }
    if (storable) {
        ed.setSelection(0, ed.textLength());
        ed.setFontName(faces.at(0));
        ed.setFontSize(10);
    }
    const int ops = bounded(12);
    for (int k = 0; k < ops; ++k) {
        const int length = ed.textLength();
        const int start = bounded(storable ? length : length + 1);
        ed.setSelection(start, storable ? 1 + bounded(length - start) : bounded(length + 1));
        switch (bounded(8)) {
        case 0: ed.setFontName(faces.at(bounded(faces.size()))); break;
        case 1:
            if (storable)
                ed.setFontSize(halfSizes ? 1 + bounded(30) : 2 * (1 + bounded(12)));
            else
                ed.setFontSize(QList<double>{8, 10, 10.5, 11, 11.5, 12, 20, 4, 1}.at(bounded(9)));
            break;
        case 2: ed.setColour(m_rng.bounded(0x1000000)); break;
        case 3: ed.setBold(bounded(2)); break;
        case 4: ed.setItalic(bounded(2)); break;
        case 5: ed.setUnderline(bounded(2)); break;
        case 6: ed.setStrikethrough(bounded(2)); break;
        case 7: ed.setCharOffset(QList<int>{40, -40, 0, 80}.at(bounded(4))); break;
        }
    }
}

QString RandomCaption::line(bool manyOfTwo)
{
    // Pieces of caption HTML, well and badly formed, separated by "¦".
    static const QStringList pieces =
        QStringLiteral(
            "<i>¦</i>¦<u>¦</u>¦<b>¦</b>¦<s>¦</s>¦<sup>¦</sup>¦<sub>¦</sub>¦<font¦</font>¦"
            "<font face='Arial' size='2' color='#FF0000'>¦<font face='Times' size='2.5' "
            "color='#00ff00'>¦"
            "<font face='' size='' "
            "color=''>¦face=¦size=¦color=¦'¦#¦>¦<¦<br>¦<BR>¦\r\n¦\n¦\r¦a¦b¦Z¦ ¦"
            "2¦2.5¦2,5¦-¦FF¦0a¦\u00e9¦&nbsp;¦|¦\u2028¦\u2029¦1e3¦99999999999999999999¦\uFDD0")
            .split(u'¦');
    QString html;
    if (!manyOfTwo) {
        const int n = bounded(40);
        for (int k = 0; k < n; ++k)
            html += pieces.at(bounded(pieces.size()));
        return html;
    }
    const QString a = pieces.at(bounded(pieces.size()));
    const QString b = pieces.at(bounded(pieces.size()));
    const int n = 40 + bounded(25);
    for (int k = 0; k < n; ++k)
        html += (bounded(3) ? a : b) + (bounded(4) ? QString() : QStringLiteral("x"));
    return html;
}
