#include "captions/captiontohtml.h"

#include "captions/colourtext.h"
#include "captions/richtextadapter.h"

#include <QHash>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The run state of one conversion and the text it writes.
class CaptionWriter
{
public:
    explicit CaptionWriter(const QLocale &locale)
        : m_decimal(locale.decimalPoint())
    {
    }

    // Font and style switches for the character at position i.
    void enter(const RichTextAdapter::Style &s, qint64 i)
    {
        if (s.colour != m_colour || std::floor(s.size) != m_size || s.face != m_face) {
            m_colour = s.colour;
            m_face = s.face;
            m_size = roundHalfEven(s.size);
            if (i != 0)
                out.append(QLatin1String("</font>"));
            out.append(QLatin1String("<font face='"));
            out.append(m_face);
            out.append(QLatin1String("' size='"));
            appendSize(m_size);
            out.append(QLatin1String("' color='"));
            out.append(ColourToHtml(m_colour));
            out.append(QLatin1String("'>"));
        }
        const bool has[6] = {s.bold,
                             s.italic,
                             s.underline,
                             s.strikethrough,
                             s.offset == RichTextAdapter::SuperscriptOffset,
                             s.offset == -RichTextAdapter::SuperscriptOffset};
        for (std::size_t k = 0; k < 6; ++k) {
            if (has[k] == m_on[k])
                continue;
            out.append(has[k] ? QLatin1String("<") : QLatin1String("</"));
            out.append(tagName(k));
            out.append(QLatin1Char('>'));
            m_on[k] = has[k];
        }
    }

    void finish()
    {
        for (std::size_t k = 0; k < m_on.size(); ++k) {
            if (m_on[k]) {
                out.append(QLatin1String("</"));
                out.append(tagName(k));
                out.append(QLatin1Char('>'));
            }
        }
        out.append(QLatin1String("</font>"));
    }

    // A style whose size rounds to another whole number than its whole part
    // (11.5 is compared as 11, kept as 12) starts a new run at every position.
    static bool restartsEveryPosition(const RichTextAdapter::Style &s)
    {
        return std::floor(s.size) != roundHalfEven(s.size);
    }

    QString out;

private:
    static double roundHalfEven(double v)
    {
        if (!std::isfinite(v))
            return 0;
        return std::nearbyint(v); // the default rounding mode sends halves to even
    }

    static QLatin1String tagName(std::size_t k)
    {
        static constexpr std::array<const char *, 6> names{"b", "i", "u", "s", "sup", "sub"};
        return QLatin1String(names[k]);
    }

    // point size / 2 - 3, with a half written as the locale writes decimals.
    void appendSize(double points)
    {
        const qint64 k = qint64(std::clamp(points, -1e15, 1e15)) - 6;
        if (k % 2 == 0) {
            out.append(QString::number(k / 2));
            return;
        }
        if (k < 0)
            out.append(QLatin1Char('-'));
        out.append(QString::number((k < 0 ? -k : k) / 2));
        out.append(m_decimal);
        out.append(QLatin1Char('5'));
    }

    QString m_decimal;
    QString m_face;
    std::uint32_t m_colour = 0;
    double m_size = 0;
    std::array<bool, 6> m_on{};
};

} // namespace

QString CaptionToHtml(const RichTextAdapter &editor, const QLocale &locale)
{
    const QTextDocument *doc = editor.document();
    // Document position of a break that ends the text: it writes nothing.
    const int lastBreak = doc->characterCount() - 2;
    const QString raw = doc->toRawText();
    CaptionWriter w(locale);
    w.out.reserve(doc->characterCount() + 256);
    qint64 i = 0; // plain position, only to tell the first one

    // A break is two positions (CR, LF) of one format.
    auto lineBreak = [&](const RichTextAdapter::Style &s, int documentPosition) {
        w.enter(s, i);
        if (documentPosition != lastBreak)
            w.out += QLatin1String("<br>");
        w.enter(s, i + 1);
        i += 2;
    };

    // Fragments and breaks of one char format share their style, which is
    // costly to read from the format.
    QHash<int, RichTextAdapter::Style> styles;
    auto styleOf = [&](const auto &part) -> const RichTextAdapter::Style & {
        auto it = styles.find(part.charFormatIndex());
        if (it == styles.end())
            it = styles.insert(part.charFormatIndex(), editor.styleOf(part.charFormat()));
        return *it;
    };

    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const RichTextAdapter::Style &s = styleOf(fragment);
            const QStringView text = QStringView(raw).mid(fragment.position(), fragment.length());
            if (!CaptionWriter::restartsEveryPosition(s) && !text.contains(QChar::LineSeparator)) {
                w.enter(s, i);
                w.out += text;
                i += text.size();
                continue;
            }
            for (qsizetype k = 0; k < text.size(); ++k) {
                if (text.at(k) == QChar::LineSeparator) {
                    lineBreak(s, fragment.position() + int(k));
                    continue;
                }
                w.enter(s, i);
                w.out += text.at(k);
                ++i;
            }
        }
        const QTextBlock next = block.next();
        if (next.isValid())
            lineBreak(styleOf(next), block.position() + block.length() - 1);
    }
    // The last round: nothing selected at the end of the text.
    w.enter(editor.styleAtEnd(), i);
    w.finish();
    return w.out;
}
