#include "captions/colourtext.h"

QString ColourToHtml(std::uint32_t colour)
{
    QString hex = QString::number(colour, 16).toUpper();
    if (hex.size() < 6)
        hex.prepend(QString(6 - hex.size(), u'0'));
    return u'#' + hex.mid(4, 2) + hex.mid(2, 2) + hex.mid(0, 2);
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
