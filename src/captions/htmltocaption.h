#pragma once

#include <QString>

class RichTextAdapter;

// Puts a caption line back into the editor with its formatting. The line is
// taken as plain text; the style tags are paired by kind in order of
// occurrence (the first <b> with the first </b>, whatever the nesting) and
// formatted in the order <i> <u> <b> <s> <sup> <sub>, then the font runs
// (face, size and colour of each "<font" up to the first "</font>" after it),
// then each "<br>" becomes a line break. At most 50 tags of each kind, 50 font
// runs and 50 breaks are taken; the tags are then deleted as text, and
// whatever was not understood (a 51st tag, "<BR>", "&nbsp;", a tag missing its
// partner) stays visible as text. All text starts at 10 points.
//
// The result is the one of searching and editing the editor's text step by
// step, computed on a copy of the text and written into the editor at once.
void HtmlToCaption(RichTextAdapter &editor, const QString &captionHtml);

// Limits of one conversion.
inline constexpr int CaptionTagLimit = 50;
