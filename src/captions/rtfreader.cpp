#include "captions/rtfreader.h"

#include "captions/richtextadapter.h"
#include "project/textfile.h"

#include <QColor>
#include <QSet>

#include <algorithm>

namespace {

constexpr QChar kParagraph(0x2029);
constexpr QChar kLineBreak(0x2028);
constexpr int kMaxWordLength = 32;
constexpr int kMaxParamDigits = 10;
// \super and \sub read as the offsets the caption editor shows as such.
constexpr int kSuperscriptTwips = RichTextAdapter::SuperscriptOffset;
constexpr int kMaxOffsetHalfPoints = 3276;

// Groups whose content is never caption text.
const QSet<QString> &skippedDestinations()
{
    static const QSet<QString> names = {
        u"stylesheet"_qs,   u"info"_qs,
        u"pict"_qs,         u"object"_qs,
        u"objdata"_qs,      u"header"_qs,
        u"headerl"_qs,      u"headerr"_qs,
        u"headerf"_qs,      u"footer"_qs,
        u"footerl"_qs,      u"footerr"_qs,
        u"footerf"_qs,      u"footnote"_qs,
        u"annotation"_qs,   u"fldinst"_qs,
        u"listtable"_qs,    u"listoverridetable"_qs,
        u"revtbl"_qs,       u"rsidtbl"_qs,
        u"pn"_qs,           u"pntext"_qs,
        u"listtext"_qs,     u"filetbl"_qs,
        u"themedata"_qs,    u"colorschememapping"_qs,
        u"latentstyles"_qs, u"xmlnstbl"_qs,
        u"generator"_qs,    u"nonshppict"_qs,
        u"shp"_qs,          u"shpinst"_qs,
        u"bkmkstart"_qs,    u"bkmkend"_qs,
        u"template"_qs,     u"userprops"_qs,
        u"docvar"_qs,       u"ftnsep"_qs,
        u"ftnsepc"_qs,      u"ftncn"_qs,
        u"aftnsep"_qs,      u"aftnsepc"_qs,
        u"aftncn"_qs,       u"datafield"_qs,
        u"fontemb"_qs,      u"fontfile"_qs,
        u"mmathPr"_qs,      u"pgdsctbl"_qs,
        u"falt"_qs,         u"panose"_qs,
        u"txe"_qs,          u"tc"_qs,
        u"xe"_qs,           u"private"_qs,
        u"author"_qs,       u"operator"_qs,
        u"title"_qs,        u"subject"_qs,
        u"keywords"_qs,     u"comment"_qs,
        u"doccomm"_qs,      u"company"_qs,
        u"creatim"_qs,      u"revtim"_qs,
        u"printim"_qs,      u"buptim"_qs,
    };
    return names;
}

// Control words that stand for one character of text.
QChar characterWord(const QString &word)
{
    static const QHash<QString, char16_t> characters = {
        {u"tab"_qs, u'\t'},
        {u"cell"_qs, u'\t'},
        {u"emdash"_qs, 0x2014},
        {u"endash"_qs, 0x2013},
        {u"bullet"_qs, 0x2022},
        {u"lquote"_qs, 0x2018},
        {u"rquote"_qs, 0x2019},
        {u"ldblquote"_qs, 0x201C},
        {u"rdblquote"_qs, 0x201D},
        {u"enspace"_qs, 0x2002},
        {u"emspace"_qs, 0x2003},
        {u"qmspace"_qs, 0x2005},
        {u"line"_qs, kLineBreak.unicode()},
    };
    return QChar(characters.value(word, 0));
}

int hexValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

} // namespace

RtfReader::RtfReader(const QString &rtf)
    : m_in(rtf)
{
}

QList<RtfReader::Run> RtfReader::read(const QString &rtf)
{
    RtfReader reader(rtf);
    reader.parse();
    if (!reader.m_runs.isEmpty() && reader.m_runs.last().text.endsWith(kParagraph)) {
        reader.m_runs.last().text.chop(1);
        if (reader.m_runs.last().text.isEmpty())
            reader.m_runs.removeLast();
    }
    return reader.m_runs;
}

void RtfReader::parse()
{
    // Anything before the document's first brace is not part of it.
    m_pos = m_in.indexOf(u'{');
    if (m_pos < 0)
        return;
    while (m_pos < m_in.size() && !m_done) {
        const QChar c = m_in.at(m_pos++);
        if (c == u'{') {
            openGroup();
        } else if (c == u'}') {
            closeGroup();
        } else if (c == u'\\') {
            if (m_pos >= m_in.size())
                break;
            if (!isAsciiLetter(m_in.at(m_pos))) {
                controlSymbol(m_in.at(m_pos++));
                continue;
            }
            const qsizetype wordStart = m_pos;
            while (m_pos < m_in.size() && isAsciiLetter(m_in.at(m_pos)))
                ++m_pos;
            const QString word = m_in.mid(
                wordStart, std::min<qsizetype>(m_pos - wordStart, kMaxWordLength + 1));
            bool negative = false;
            if (m_pos < m_in.size() && m_in.at(m_pos) == u'-') {
                negative = true;
                ++m_pos;
            }
            bool hasParam = false;
            long long value = 0;
            int digits = 0;
            while (m_pos < m_in.size() && m_in.at(m_pos).isDigit() && m_in.at(m_pos) < u'\x80') {
                if (digits++ < kMaxParamDigits)
                    value = value * 10 + (m_in.at(m_pos).unicode() - u'0');
                hasParam = true;
                ++m_pos;
            }
            // The space that ends a control word belongs to the word.
            if (m_pos < m_in.size() && m_in.at(m_pos) == u' ')
                ++m_pos;
            value = std::clamp(negative ? -value : value, -1000000000LL, 1000000000LL);
            if (word.size() <= kMaxWordLength)
                controlWord(word, hasParam, int(value));
        } else if (c == u'\r' || c == u'\n') {
            // Line ends in RTF source are layout, not text.
        } else {
            text(c);
        }
    }
}

void RtfReader::openGroup()
{
    m_pendingFallback = 0;
    if (m_groups.empty()) {
        m_groups.push_back(Group{plainState(), Destination::Text, 1});
        return;
    }
    Group copy = group();
    m_groups.push_back(copy);
}

void RtfReader::closeGroup()
{
    m_pendingFallback = 0;
    if (m_groups.empty()) {
        m_done = true;
        return;
    }
    // A font table entry may lack its closing semicolon.
    if (group().destination == Destination::FontTable && !m_fontName.trimmed().isEmpty())
        storeFontName();
    m_groups.pop_back();
    if (m_groups.empty())
        m_done = true;
}

bool RtfReader::consumesFallback()
{
    if (m_pendingFallback <= 0)
        return false;
    --m_pendingFallback;
    return true;
}

void RtfReader::controlSymbol(QChar symbol)
{
    if (symbol == u'\'') {
        const int high = m_pos < m_in.size() ? hexValue(m_in.at(m_pos)) : -1;
        const int low = m_pos + 1 < m_in.size() ? hexValue(m_in.at(m_pos + 1)) : -1;
        if (high < 0 || low < 0) {
            // A broken escape: keep the digit that is there, if any, out of the text.
            if (high >= 0)
                ++m_pos;
            return;
        }
        m_pos += 2;
        if (consumesFallback())
            return;
        const QString decoded = TextFile::fromCp1252(QByteArray(1, char(high * 16 + low)));
        if (m_groups.empty())
            return;
        const Destination destination = group().destination;
        if (destination == Destination::FontTable)
            m_fontName.append(decoded);
        else
            text(decoded.at(0));
        return;
    }
    if (symbol == u'\\' || symbol == u'{' || symbol == u'}') {
        text(symbol);
        return;
    }
    if (consumesFallback())
        return;
    if (m_groups.empty())
        return;
    if (symbol == u'*')
        group().destination = Destination::Skip;
    else if (symbol == u'~')
        text(QChar(0x00A0));
    else if (symbol == u'_')
        text(QChar(0x2011));
    else if (symbol == u'\r' || symbol == u'\n')
        paragraph();
    // \- (optional hyphen), \| and \: show nothing.
}

void RtfReader::text(QChar c)
{
    if (m_groups.empty())
        return;
    if (consumesFallback())
        return;
    Group &g = group();
    switch (g.destination) {
    case Destination::Skip: return;
    case Destination::FontTable:
        if (c == u';')
            storeFontName();
        else
            m_fontName.append(c);
        return;
    case Destination::ColourTable:
        if (c == u';') {
            m_colours.append(m_colour);
            m_colour = Colour{};
        }
        return;
    case Destination::Text: break;
    }
    // Control characters, object placeholders and the document's own frame
    // markers must not reach the editor as text.
    const char16_t u = c.unicode();
    if (g.chars.hidden || (u < 0x20 && u != u'\t') || u == 0xFFFC || u == 0xFDD0 || u == 0xFDD1)
        return;
    const QTextCharFormat format = formatOf(g.chars);
    if (m_runs.isEmpty() || m_runs.last().format != format
        || m_runs.last().text.endsWith(kParagraph))
        m_runs.append(Run{QString(), format});
    m_runs.last().text.append(c);
}

void RtfReader::paragraph()
{
    if (m_groups.empty() || group().destination != Destination::Text)
        return;
    if (m_runs.isEmpty())
        m_runs.append(Run{QString(), formatOf(group().chars)});
    m_runs.last().text.append(kParagraph);
}

void RtfReader::storeFontName()
{
    // Control characters cannot be written back into a font table.
    QString name;
    for (const QChar c : std::as_const(m_fontName)) {
        if (c.unicode() >= 0x20)
            name += c;
    }
    name = name.trimmed();
    m_fontName.clear();
    if (!name.isEmpty())
        m_fonts.insert(m_fontNumber, name);
}

RtfReader::CharState RtfReader::plainState() const
{
    CharState state;
    state.font = m_defaultFont;
    return state;
}

QTextCharFormat RtfReader::formatOf(const CharState &state) const
{
    QTextCharFormat format;
    // A font missing from the table reads as the document's default font.
    auto font = m_fonts.constFind(state.font < 0 ? m_defaultFont : state.font);
    if (font == m_fonts.constEnd())
        font = m_fonts.constFind(m_defaultFont);
    if (font != m_fonts.constEnd())
        format.setFontFamilies(QStringList{*font});
    format.setFontPointSize(std::clamp(state.halfPoints, 2, 3276) / 2.0);
    if (state.colour > 0 && state.colour < m_colours.size()) {
        const Colour &c = m_colours.at(state.colour);
        if (c.red >= 0 || c.green >= 0 || c.blue >= 0)
            format.setForeground(
                QColor(std::max(c.red, 0), std::max(c.green, 0), std::max(c.blue, 0)));
    }
    format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(state.italic);
    format.setFontUnderline(state.underline);
    format.setFontStrikeOut(state.strike);
    RichTextAdapter::applyCharOffset(format, state.offsetTwips);
    return format;
}

void RtfReader::controlWord(const QString &word, bool hasParam, int param)
{
    if (m_groups.empty())
        return;
    if (word == u"bin") {
        // Binary data: its bytes are not RTF and may hold braces.
        if (hasParam && param > 0)
            m_pos = std::min<qsizetype>(m_in.size(), m_pos + param);
        return;
    }
    if (consumesFallback())
        return;
    Group &g = group();
    if (word == u"uc") {
        g.unicodeSkip = std::clamp(param, 0, 16);
        return;
    }
    if (word == u"u") {
        if (g.destination == Destination::Text || g.destination == Destination::FontTable) {
            const auto unit = char16_t(param & 0xFFFF);
            if (g.destination == Destination::FontTable)
                m_fontName.append(QChar(unit));
            else
                text(QChar(unit));
        }
        m_pendingFallback = g.unicodeSkip;
        return;
    }
    if (g.destination == Destination::Skip)
        return;
    if (word == u"fonttbl") {
        g.destination = Destination::FontTable;
        return;
    }
    if (word == u"colortbl") {
        g.destination = Destination::ColourTable;
        m_colours.clear();
        m_colour = Colour{};
        return;
    }
    if (skippedDestinations().contains(word)) {
        g.destination = Destination::Skip;
        return;
    }
    if (word == u"deff") {
        m_defaultFont = param;
        return;
    }

    if (g.destination == Destination::FontTable) {
        if (word == u"f") {
            if (!m_fontName.trimmed().isEmpty())
                storeFontName();
            m_fontName.clear();
            m_fontNumber = param;
        }
        return;
    }
    if (g.destination == Destination::ColourTable) {
        const int component = std::clamp(param, 0, 255);
        if (word == u"red")
            m_colour.red = component;
        else if (word == u"green")
            m_colour.green = component;
        else if (word == u"blue")
            m_colour.blue = component;
        return;
    }

    CharState &s = g.chars;
    const bool on = !hasParam || param != 0;
    if (word == u"par" || word == u"row") {
        paragraph();
    } else if (const QChar c = characterWord(word); !c.isNull()) {
        text(c);
    } else if (word == u"plain") {
        s = plainState();
    } else if (word == u"f") {
        s.font = param;
    } else if (word == u"fs") {
        s.halfPoints = hasParam ? param : 24;
    } else if (word == u"cf") {
        s.colour = param;
    } else if (word == u"b") {
        s.bold = on;
    } else if (word == u"i") {
        s.italic = on;
    } else if (word == u"ul" || word == u"uld" || word == u"uldb" || word == u"uldash"
               || word == u"uldashd" || word == u"uldashdd" || word == u"ulth" || word == u"ulw"
               || word == u"ulwave" || word == u"ulhwave" || word == u"ululdbwave"
               || word == u"ulldash" || word == u"ulthd" || word == u"ulthdash"
               || word == u"ulthldash" || word == u"ulthdashd" || word == u"ulthdashdd") {
        s.underline = on;
    } else if (word == u"ulnone") {
        s.underline = false;
    } else if (word == u"strike" || word == u"striked") {
        s.strike = on;
    } else if (word == u"v") {
        s.hidden = on;
    } else if (word == u"up") {
        s.offsetTwips = std::clamp(hasParam ? param : 6, -kMaxOffsetHalfPoints,
                                   kMaxOffsetHalfPoints)
            * 10;
    } else if (word == u"dn") {
        s.offsetTwips = -std::clamp(hasParam ? param : 6, -kMaxOffsetHalfPoints,
                                    kMaxOffsetHalfPoints)
            * 10;
    } else if (word == u"super") {
        s.offsetTwips = kSuperscriptTwips;
    } else if (word == u"sub") {
        s.offsetTwips = -kSuperscriptTwips;
    } else if (word == u"nosupersub") {
        s.offsetTwips = 0;
    }
    // Every other word (paragraph, section and document settings) has no
    // bearing on caption text.
}
