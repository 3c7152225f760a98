#pragma once

#include <QLocale>
#include <QString>

class RichTextAdapter;

// The caption conversions done the slow way: every step searches the editor's
// current text and edits it through the selection, one character selection
// per position when reading. The fast conversions must give the same editor
// content and the same caption lines.
namespace Literal {

QString captionToHtml(RichTextAdapter &editor, const QLocale &locale);
void htmlToCaption(RichTextAdapter &editor, const QString &html);

} // namespace Literal
