#pragma once

#include <QLocale>
#include <QString>

class RichTextAdapter;

// The caption HTML of what the editor shows: a font start ("<font face='..'
// size='..' color='#RRGGBB'>") at every change of font name, colour or whole
// point size, the style switches <b> <i> <u> <s> <sup> <sub> where a style
// begins or ends, the text unescaped, "<br>" for each line break inside the
// text (none for a break that ends it), the styles still on closed and a final
// "</font>". The editor reads as if each character in turn were selected,
// then the caret at the end of the text; the editor itself is left as it is.
// Odd point sizes give a half size written with locale's decimal separator.
QString CaptionToHtml(const RichTextAdapter &editor, const QLocale &locale = QLocale());
