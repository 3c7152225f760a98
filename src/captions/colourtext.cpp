#include "captions/colourtext.h"

#include <QColor>

std::uint32_t colourValue(const QColor &colour)
{
    return std::uint32_t(colour.red()) | std::uint32_t(colour.green()) << 8
        | std::uint32_t(colour.blue()) << 16;
}

QColor colourOf(std::uint32_t value)
{
    return QColor(int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF));
}

QString ColourToHtml(std::uint32_t colour)
{
    // The value's upper-case hexadecimal digits, at least six of them.
    static constexpr char digits[] = "0123456789ABCDEF";
    char hex[8];
    int n = 0;
    for (int shift = 28; shift >= 0; shift -= 4) {
        const unsigned d = colour >> shift & 0xF;
        if (n > 0 || d != 0 || shift < 24)
            hex[n++] = digits[d];
    }
    // Characters 5-6, 3-4 and 1-2 of that text.
    const char text[7] = {'#', hex[4], hex[5], hex[2], hex[3], hex[0], hex[1]};
    return QString::fromLatin1(text, 7);
}

std::uint32_t leadingHexValue(const QString &text)
{
    std::uint32_t value = 0;
    for (qsizetype i = 0; i < text.size() && i < 8; ++i) {
        const char16_t c = text.at(i).unicode();
        std::uint32_t digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else
            break;
        value = value << 4 | digit;
    }
    return value;
}

std::uint32_t HtmlToColour(const QString &text)
{
    return leadingHexValue(text.mid(4, 2) + text.mid(2, 2) + text.mid(0, 2));
}
