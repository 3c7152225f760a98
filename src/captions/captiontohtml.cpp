#include "captions/captiontohtml.h"

#include "captions/colourtext.h"
#include "captions/richtextadapter.h"

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
    explicit CaptionWriter(const QLocale &locale) : m_decimal(locale.decimalPoint()) {}

    // Font and style switches for the character at position i.
    void enter(const RichTextAdapter::Style &s, qint64 i)
    {
        if (s.face != m_face || s.colour != m_colour || std::floor(s.size) != m_size) {
            m_colour = s.colour;
            m_face = s.face;
            m_size = roundHalfEven(s.size);
            if (i != 0)
                out += QLatin1String("</font>");
            out += QLatin1String("<font face='") + m_face + QLatin1String("' size='")
                   + sizeText(m_size) + QLatin1String("' color='") + ColourToHtml(m_colour)
                   + QLatin1String("'>");
        }
        const std::array<bool, 6> has{s.bold, s.italic, s.underline, s.strikethrough,
                                      s.offset == 40, s.offset == -40};
        for (std::size_t k = 0; k < has.size(); ++k) {
            if (!m_on[k] && has[k]) {
                out += QLatin1Char('<') + tagName(k) + QLatin1Char('>');
                m_on[k] = true;
            } else if (m_on[k] && !has[k]) {
                out += QLatin1String("</") + tagName(k) + QLatin1Char('>');
                m_on[k] = false;
            }
        }
    }

    void finish()
    {
        for (std::size_t k = 0; k < m_on.size(); ++k) {
            if (m_on[k])
                out += QLatin1String("</") + tagName(k) + QLatin1Char('>');
        }
        out += QLatin1String("</font>");
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
        return std::nearbyint(v);   // the default rounding mode sends halves to even
    }

    static QLatin1String tagName(std::size_t k)
    {
        static constexpr std::array<const char *, 6> names{"b", "i", "u", "s", "sup", "sub"};
        return QLatin1String(names[k]);
    }

    // point size / 2 - 3, with a half written as the locale writes decimals.
    QString sizeText(double points) const
    {
        const qint64 k = qint64(std::clamp(points, -1e15, 1e15)) - 6;
        if (k % 2 == 0)
            return QString::number(k / 2);
        const qint64 whole = (k < 0 ? -k : k) / 2;
        return (k < 0 ? QStringLiteral("-") : QString()) + QString::number(whole) + m_decimal
               + QLatin1Char('5');
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
    const qint64 length = editor.textLength();
    CaptionWriter w(locale);
    w.out.reserve(doc->characterCount() + 256);
    qint64 i = 0;

    // A break is two positions (CR, LF) of one format; only a CR before the
    // last two positions writes anything.
    auto lineBreak = [&](const RichTextAdapter::Style &s) {
        w.enter(s, i);
        if (i < length - 2)
            w.out += QLatin1String("<br>");
        w.enter(s, i + 1);
        i += 2;
    };

    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const RichTextAdapter::Style s = editor.styleOf(fragment.charFormat());
            const bool everyPosition = CaptionWriter::restartsEveryPosition(s);
            const QString text = fragment.text();
            bool first = true;
            for (const QChar c : text) {
                if (c == QChar::LineSeparator) {
                    lineBreak(s);
                    continue;
                }
                if (first || everyPosition)
                    w.enter(s, i);
                first = false;
                w.out += c;
                ++i;
            }
        }
        const QTextBlock next = block.next();
        if (next.isValid())
            lineBreak(editor.styleOf(next.charFormat()));
    }
    // The last round: nothing selected at the end of the text.
    w.enter(editor.styleAtEnd(), i);
    w.finish();
    return w.out;
}
