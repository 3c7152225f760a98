#include "captions/htmltocaption.h"

#include "captions/colourtext.h"
#include "captions/richtextadapter.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

// The conversion searches the editor's text and edits it tag by tag. Doing
// that on the document itself costs a plain-text rebuild per search; here the
// same searches and edits run on a copy of the text with one format record
// per position, and the document is written once at the end. The copy
// follows the editor's rules exactly: selections never split a CR LF, a
// replacement takes the format of the first replaced character, formatting an
// empty selection only affects the caret (and an empty paragraph), an editor
// emptied by a deletion keeps the deleted text's format.

namespace {

struct Attr
{
    std::uint8_t styles = 0; // Style bits below
    bool hasOffset = false;
    std::int16_t offset = 0;
    std::int16_t face = -1; // index into the face table, -1: none
    std::int16_t size = 0;  // points, 0: none
    bool hasColour = false;
    std::uint32_t colour = 0;
    bool operator==(const Attr &) const = default;
};

enum StyleBit : std::uint8_t {
    Italic = 1,
    Underline = 2,
    Bold = 4,
    Strike = 8
};

struct Change
{
    enum Kind {
        Style,
        Offset,
        Face,
        Size,
        Colour
    } kind;
    std::int64_t value = 0; // style bit, twips, face index, points or colour
};

struct Pass
{
    QLatin1String open;
    QLatin1String close;
    Change change;
};

const std::array<Pass, 6> stylePasses{{
    {QLatin1String("<i>"), QLatin1String("</i>"), {Change::Style, Italic}},
    {QLatin1String("<u>"), QLatin1String("</u>"), {Change::Style, Underline}},
    {QLatin1String("<b>"), QLatin1String("</b>"), {Change::Style, Bold}},
    {QLatin1String("<s>"), QLatin1String("</s>"), {Change::Style, Strike}},
    {QLatin1String("<sup>"),
     QLatin1String("</sup>"),
     {Change::Offset, RichTextAdapter::SuperscriptOffset}},
    {QLatin1String("<sub>"),
     QLatin1String("</sub>"),
     {Change::Offset, -RichTextAdapter::SuperscriptOffset}},
}};

constexpr int Limit = CaptionTagLimit;

// A decimal number with "." at the start of text; 0 when there is none.
double leadingNumber(const QString &text)
{
    qsizetype i = 0;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        ++i;
    const qsizetype digitsFrom = i;
    while (i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9')
        ++i;
    qsizetype digits = i - digitsFrom;
    if (i < text.size() && text.at(i) == u'.') {
        const qsizetype fractionFrom = ++i;
        while (i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9')
            ++i;
        digits += i - fractionFrom;
    }
    if (digits == 0)
        return 0;
    bool ok = false;
    const double v = QStringView(text).left(i).toDouble(&ok);
    return ok ? v : 0;
}

// The text with a format index per character, kept with a gap at the last
// place edited or searched from. The passes delete tags one after the other
// close to each other: each deletion then moves the few characters between
// the two places instead of the whole rest of the text.
class GapText
{
public:
    explicit GapText(QString text)
        : m_text(std::move(text))
        , m_attrs(std::size_t(m_text.size()), 0)
    {
        m_gapStart = m_gapEnd = m_text.size();
    }

    qsizetype size() const { return m_text.size() - gapLength(); }
    bool isEmpty() const { return size() == 0; }
    QChar at(qsizetype i) const { return m_text.at(physical(i)); }
    std::uint32_t &attr(qsizetype i) { return m_attrs[std::size_t(physical(i))]; }
    std::uint32_t attr(qsizetype i) const { return m_attrs[std::size_t(physical(i))]; }

    // Position of target at or after from, -1 if none.
    qsizetype indexOf(QLatin1String target, qsizetype from)
    {
        from = std::clamp<qsizetype>(from, 0, size());
        if (m_gapStart > from)
            moveGap(from);
        // Everything from `from` on now lies after the gap, in one piece.
        const qsizetype found = find(QStringView(m_text).sliced(from + gapLength()), target);
        return found < 0 ? -1 : from + found;
    }

    // Up to length characters from start.
    QString mid(qsizetype start, qsizetype length)
    {
        length = std::min(length, size() - start);
        if (start < m_gapStart && start + length > m_gapStart)
            moveGap(start);
        return m_text.mid(physical(start), length);
    }

    void remove(qsizetype at, qsizetype length)
    {
        moveGap(at);
        m_gapEnd += length;
    }

    void insert(qsizetype at, QLatin1String text, std::uint32_t attr)
    {
        moveGap(at);
        if (gapLength() < text.size()) {
            const qsizetype more = text.size() + 64;
            m_text.insert(m_gapEnd, QString(more, u' '));
            m_attrs.insert(m_attrs.begin() + m_gapEnd, std::size_t(more), 0);
            m_gapEnd += more;
        }
        for (qsizetype k = 0; k < text.size(); ++k) {
            m_text[m_gapStart] = QLatin1Char(text.at(k));
            m_attrs[std::size_t(m_gapStart++)] = attr;
        }
    }

    // The text in one piece, gap closed.
    const QString &text()
    {
        moveGap(size());
        m_text.truncate(m_gapStart);
        m_attrs.resize(std::size_t(m_gapStart));
        m_gapEnd = m_gapStart;
        return m_text;
    }

private:
    // Tags are short and the text is full of "<": a search for the first
    // character, which Qt runs on whole vectors of characters, then a
    // comparison, beats a general substring search several times over.
    static qsizetype find(QStringView text, QLatin1String target)
    {
        if (target.isEmpty())
            return 0;
        const QChar first = QLatin1Char(target.front());
        for (qsizetype at = 0;; ++at) {
            at = text.indexOf(first, at);
            if (at < 0 || at + target.size() > text.size())
                return -1;
            if (text.sliced(at, target.size()) == target)
                return at;
        }
    }

    qsizetype gapLength() const { return m_gapEnd - m_gapStart; }
    qsizetype physical(qsizetype i) const { return i < m_gapStart ? i : i + gapLength(); }

    void moveGap(qsizetype to)
    {
        QChar *text = m_text.data();
        std::uint32_t *attrs = m_attrs.data();
        if (to < m_gapStart) {
            const qsizetype n = m_gapStart - to;
            std::memmove(text + m_gapEnd - n, text + to, std::size_t(n) * sizeof(QChar));
            std::memmove(attrs + m_gapEnd - n, attrs + to, std::size_t(n) * sizeof(std::uint32_t));
            m_gapStart -= n;
            m_gapEnd -= n;
        } else if (to > m_gapStart) {
            const qsizetype n = to - m_gapStart;
            std::memmove(text + m_gapStart, text + m_gapEnd, std::size_t(n) * sizeof(QChar));
            std::memmove(attrs + m_gapStart, attrs + m_gapEnd, std::size_t(n) * sizeof(std::uint32_t));
            m_gapStart += n;
            m_gapEnd += n;
        }
    }

    QString m_text;
    std::vector<std::uint32_t> m_attrs;
    qsizetype m_gapStart = 0, m_gapEnd = 0;
};

class Simulation
{
public:
    explicit Simulation(const QString &html)
        : s(RichTextAdapter::normalisedText(html))
    {
    }

    // 1-based position of target at or after from (1-based), 0 if none.
    qsizetype find(QLatin1String target, qsizetype from)
    {
        if (from < 1 || from > s.size() + 1)
            return 0;
        return s.indexOf(target, from - 1) + 1;
    }

    // 1-based Mid: fails (returns false) for a start before 1 or a negative length.
    bool mid(qint64 start, qint64 length, QString *out)
    {
        if (start < 1 || length < 0)
            return false;
        *out = start - 1 < s.size() ? s.mid(start - 1, length) : QString();
        return true;
    }

    bool midBreak(qsizetype i) const
    {
        return i > 0 && i < s.size() && s.at(i) == u'\n' && s.at(i - 1) == u'\r';
    }

    void select(qint64 start, qint64 length)
    {
        const qint64 total = s.size();
        qint64 st = std::clamp<qint64>(start, 0, total);
        qint64 e = length <= 0 ? st : std::min(st + length, total);
        const bool empty = e == st;
        if (midBreak(st))
            --st;
        if (empty)
            e = st;
        else if (midBreak(e))
            ++e;
        selStart = st;
        selLength = e - st;
        pending.clear();
    }

    void apply(Attr &a, const Change &c) const
    {
        switch (c.kind) {
        case Change::Style: a.styles |= std::uint8_t(c.value); break;
        case Change::Offset:
            a.hasOffset = true;
            a.offset = std::int16_t(c.value);
            break;
        case Change::Face: a.face = std::int16_t(c.value); break;
        case Change::Size: a.size = std::int16_t(c.value); break;
        case Change::Colour:
            a.hasColour = true;
            a.colour = std::uint32_t(c.value);
            break;
        }
    }

    const Attr &attrAt(qsizetype k) const { return palette[s.attr(k)]; }

    // Position k's format with c applied, as a new format of its own.
    void applyAt(qsizetype k, const Change &c)
    {
        Attr a = attrAt(k);
        apply(a, c);
        palette.push_back(a);
        s.attr(k) = std::uint32_t(palette.size() - 1);
    }

    void format(const Change &c)
    {
        if (selLength > 0) {
            // Each format met gets one changed copy. A selection holds few
            // formats, in runs: the last one met is checked first.
            std::vector<std::pair<std::uint32_t, std::uint32_t>> changed;
            std::uint32_t lastFrom = 0, lastTo = 0;
            bool any = false;
            for (qint64 k = selStart; k < selStart + selLength; ++k) {
                std::uint32_t &index = s.attr(k);
                if (!any || index != lastFrom) {
                    auto found = std::find_if(changed.begin(), changed.end(),
                                              [&](const auto &known) { return known.first == index; });
                    if (found == changed.end()) {
                        Attr a = palette[index];
                        apply(a, c);
                        palette.push_back(a);
                        found = changed.insert(changed.end(),
                                               {index, std::uint32_t(palette.size() - 1)});
                    }
                    lastFrom = index;
                    lastTo = found->second;
                    any = true;
                }
                index = lastTo;
            }
            return;
        }
        pending.push_back(c);
        const qint64 p = selStart;
        const bool emptyParagraph = (p == 0 || s.at(p - 1) == u'\n')
            && (p == s.size() || s.at(p) == u'\r');
        if (!emptyParagraph)
            return;
        if (p == 0) {
            apply(firstParagraph, c);
        } else { // an empty paragraph's format is that of the break before it
            applyAt(p - 2, c);
            applyAt(p - 1, c);
        }
    }

    void formatFace(const QString &face)
    {
        if (!RichTextAdapter::isUsableFontName(face))
            return;
        qsizetype index = faces.indexOf(face);
        if (index < 0) {
            faces.append(face);
            index = faces.size() - 1;
        }
        format({Change::Face, index});
    }
    void formatSize(double points)
    {
        if (points >= RichTextAdapter::MinFontSize && points <= RichTextAdapter::MaxFontSize)
            format({Change::Size, std::int64_t(points)});
    }

    // Replaces the selection with "" or a line break.
    void replace(bool lineBreak)
    {
        const bool deleting = selLength > 0;
        if (deleting || lineBreak)
            editedAt(selStart);
        const std::uint32_t a = deleting ? s.attr(selStart) : 0;
        if (deleting) {
            s.remove(selStart, selLength);
        }
        if (lineBreak) {
            s.insert(selStart, QLatin1String("\r\n"), a);
        }
        if (deleting && s.isEmpty())
            firstParagraph = palette[a];
        selStart += lineBreak ? 2 : 0;
        selLength = 0;
        pending.clear();
    }

    // Returns whether the text changed.
    // 0-based position of the first target in the text, -1 if none. The
    // passes ask for the first tag again after each edit: the search starts
    // where none can be before, which an edit moves back only to just before
    // the edited place.
    qsizetype first(QLatin1String target)
    {
        auto found = std::find_if(noneBefore.begin(), noneBefore.end(),
                                  [&](const auto &known) { return known.first == target; });
        if (found == noneBefore.end())
            found = noneBefore.insert(noneBefore.end(), {target, 0});
        const qsizetype p = s.indexOf(target, std::min(found->second, s.size()));
        found->second = p < 0 ? s.size() : p;
        return p;
    }

    // A deletion or an insertion at p can make a target only where one
    // would overlap p.
    void editedAt(qsizetype p)
    {
        for (auto &[target, from] : noneBefore)
            from = std::min(from, std::max<qsizetype>(0, p - target.size() + 1));
    }

    bool deleteFirst(QLatin1String target) { return deleteAt(first(target), target.size()); }

    // Deletes length characters at p, if p is a position; returns whether the
    // text changed.
    bool deleteAt(qsizetype p, qsizetype length)
    {
        if (p < 0)
            return false;
        select(p, length);
        replace(false);
        return length > 0;
    }

    // Per position an index into palette, so that a deletion moves a few
    // bytes per character rather than a whole format record.
    GapText s;
    std::vector<Attr> palette{Attr{}};
    QStringList faces;
    Attr firstParagraph; // format of the first paragraph while it is empty
    qint64 selStart = 0;
    qint64 selLength = 0;
    std::vector<Change> pending; // changes made to the caret since the last selection
    std::vector<std::pair<QLatin1String, qsizetype>> noneBefore;
};

void stylePass(Simulation &sim, const Pass &pass)
{
    std::array<qsizetype, Limit + 1> open{}, close{};
    for (int j = 1; j <= Limit; ++j) {
        open[j] = sim.find(pass.open, open[j - 1] + 1);
        if (open[j] == 0)
            break;
        close[j] = sim.find(pass.close, close[j - 1] + 1);
    }
    for (int j = 1; j <= Limit && open[j] != 0; ++j) {
        const qint64 start = open[j] - 1 + pass.open.size();
        sim.select(start, qint64(close[j]) - 1 - start);
        sim.format(pass.change);
    }
    for (int j = 1; j <= Limit; ++j) {
        const bool changed = sim.deleteFirst(pass.open) | sim.deleteFirst(pass.close);
        if (!changed)
            break; // the same state again: the remaining rounds do nothing
    }
}

void fontPass(Simulation &sim)
{
    static const QLatin1String fontStart("<font"), fontEnd("</font>");
    std::array<qsizetype, Limit + 1> open{}, close{};
    std::array<QString, Limit + 1> face;
    std::array<double, Limit + 1> size{};
    std::array<std::uint32_t, Limit + 1> colour{};
    for (int j = 1; j <= Limit; ++j) {
        open[j] = sim.find(fontStart, open[j - 1] + 1);
        if (open[j] == 0)
            break;
        close[j] = sim.find(fontEnd, open[j] + 1);

        qint64 p = sim.find(QLatin1String("face="), open[j] + 1) + 6;
        qint64 q = sim.find(QLatin1String("'"), p + 1);
        sim.mid(p, q - p, &face[j]);

        p = sim.find(QLatin1String("size="), open[j] + 1) + 6;
        q = sim.find(QLatin1String("'"), p + 1);
        QString number;
        if (sim.mid(p, q - p, &number)) {
            const double points = std::nearbyint((leadingNumber(number) + 3) * 2);
            size[j] = std::isfinite(points) ? points : 0;
        }

        p = sim.find(QLatin1String("color="), open[j] + 1) + 8;
        QString hex;
        sim.mid(p, 6, &hex);
        colour[j] = leadingHexValue(hex.mid(0, 2)) + 256 * leadingHexValue(hex.mid(2, 2))
            + 65536 * leadingHexValue(hex.mid(4, 2));
    }
    for (int j = 1; j <= Limit && open[j] != 0; ++j) {
        const qint64 e = sim.find(QLatin1String(">"), open[j] + 1);
        sim.select(e, qint64(close[j]) - 1 - e);
        sim.formatFace(face[j]);
        sim.formatSize(size[j]);
        sim.format({Change::Colour, colour[j]});
    }
    for (int j = 1; j <= Limit; ++j) {
        bool changed = false;
        const qsizetype p = sim.first(fontStart) + 1;
        if (p != 0) {
            const qsizetype q = sim.find(QLatin1String(">"), p);
            QString start;
            if (sim.mid(p, q + 1 - p, &start)) {
                // The tag starts with the first "<font", so nothing like it
                // comes before.
                changed = sim.deleteAt(p - 1, start.size());
            }
        }
        changed = sim.deleteFirst(fontEnd) || changed;
        if (!changed)
            break; // the same state again: the remaining rounds do nothing
    }
}

void lineBreaks(Simulation &sim)
{
    for (int j = 1; j <= Limit; ++j) {
        const qsizetype p = sim.first(QLatin1String("<br>")) + 1;
        if (p < 1)
            break;
        sim.select(p - 1, 4);
        sim.replace(true);
    }
}

QTextCharFormat formatOf(const Attr &a, const QStringList &faces)
{
    QTextCharFormat f;
    if (a.size > 0)
        f.setFontPointSize(a.size);
    if (a.face >= 0)
        f.setFontFamilies(QStringList{faces.at(a.face)});
    if (a.hasColour)
        f.setForeground(colourOf(a.colour));
    if (a.styles & Italic)
        f.setFontItalic(true);
    if (a.styles & Underline)
        f.setFontUnderline(true);
    if (a.styles & Bold)
        f.setFontWeight(QFont::Bold);
    if (a.styles & Strike)
        f.setFontStrikeOut(true);
    if (a.hasOffset)
        RichTextAdapter::applyCharOffset(f, a.offset);
    return f;
}

void writeInto(RichTextAdapter &editor, Simulation &sim)
{
    editor.clear();
    QTextDocument *doc = editor.document();
    QTextCursor c(doc);
    c.beginEditBlock();
    const QString &s = sim.s.text();
    qsizetype i = 0;
    while (i < s.size()) {
        const Attr &a = sim.attrAt(i);
        if (s.at(i) == u'\r') {
            c.insertBlock(c.blockFormat(), formatOf(a, sim.faces));
            i += 2;
            continue;
        }
        qsizetype j = i + 1;
        while (j < s.size() && s.at(j) != u'\r' && sim.attrAt(j) == a)
            ++j;
        c.insertText(s.mid(i, j - i), formatOf(a, sim.faces));
        i = j;
    }
    QTextCursor(doc).setBlockCharFormat(formatOf(sim.firstParagraph, sim.faces));
    // Inside the edit block the cursor is placed without laying the text
    // out, which would cost as much as writing it.
    editor.setSelection(int(sim.selStart), int(sim.selLength));
    c.endEditBlock();

    for (const Change &change : sim.pending) {
        switch (change.kind) {
        case Change::Style:
            if (change.value == Italic)
                editor.setItalic(true);
            if (change.value == Underline)
                editor.setUnderline(true);
            if (change.value == Bold)
                editor.setBold(true);
            if (change.value == Strike)
                editor.setStrikethrough(true);
            break;
        case Change::Offset: editor.setCharOffset(int(change.value)); break;
        case Change::Face: editor.setFontName(sim.faces.at(change.value)); break;
        case Change::Size: editor.setFontSize(double(change.value)); break;
        case Change::Colour: editor.setColour(std::uint32_t(change.value)); break;
        }
    }
}

} // namespace

void HtmlToCaption(RichTextAdapter &editor, const QString &captionHtml)
{
    Simulation sim(captionHtml);
    sim.select(0, sim.s.size());
    sim.formatSize(10);
    for (const Pass &pass : stylePasses)
        stylePass(sim, pass);
    fontPass(sim);
    lineBreaks(sim);
    writeInto(editor, sim);
}
