#include "captions/htmlpaste.h"

#include "captions/fontnames.h"
#include "captions/richtextadapter.h"

#include <QTextBlock>
#include <QTextDocument>

#include <cmath>

namespace {

// Qt's HTML reader asks its document for linked style sheets and pictures;
// pasted HTML must not make us open files or devices, so it gets none.
class SealedDocument : public QTextDocument
{
protected:
    QVariant loadResource(int, const QUrl &) override { return {}; }
};

// The point size a char format tells, if any.
double pointsOf(const QTextCharFormat &f)
{
    if (f.hasProperty(QTextFormat::FontPointSize))
        return f.fontPointSize();
    if (f.hasProperty(QTextFormat::FontPixelSize))
        return f.intProperty(QTextFormat::FontPixelSize) * 72.0 / 96.0;
    // <font size=N> and the CSS size keywords: N = adjustment + 3, and the
    // caption's sizes 1 to 7 are 8 to 20 points.
    if (f.hasProperty(QTextFormat::FontSizeAdjustment))
        return (f.intProperty(QTextFormat::FontSizeAdjustment) + 6) * 2.0;
    return 0;
}

QTextCharFormat captionFormat(const QTextCharFormat &f, const QTextCharFormat &base)
{
    QTextCharFormat out = base;
    QString face = f.fontFamilies().toStringList().value(0);
    if (face.isEmpty())
        face = f.stringProperty(QTextFormat::FontFamily);
    face = FontNames::withoutFoundry(face.trimmed());
    if (RichTextAdapter::isUsableFontName(face))
        out.setFontFamilies(QStringList{face});
    const double points = std::round(pointsOf(f));
    if (points >= RichTextAdapter::MinFontSize && points <= RichTextAdapter::MaxFontSize)
        out.setFontPointSize(points);
    if (f.foreground().style() != Qt::NoBrush)
        out.setForeground(QColor(f.foreground().color().rgb())); // no transparency
    if (f.hasProperty(QTextFormat::FontWeight))
        out.setFontWeight(f.fontWeight() > QFont::Medium ? QFont::Bold : QFont::Normal);
    if (f.hasProperty(QTextFormat::FontItalic))
        out.setFontItalic(f.fontItalic());
    if (f.hasProperty(QTextFormat::FontUnderline) || f.hasProperty(QTextFormat::TextUnderlineStyle))
        out.setFontUnderline(f.fontUnderline());
    if (f.hasProperty(QTextFormat::FontStrikeOut))
        out.setFontStrikeOut(f.fontStrikeOut());
    if (f.hasProperty(QTextFormat::TextVerticalAlignment)) {
        const auto align = f.verticalAlignment();
        RichTextAdapter::applyCharOffset(
            out,
            align == QTextCharFormat::AlignSuperScript     ? RichTextAdapter::SuperscriptOffset
                : align == QTextCharFormat::AlignSubScript ? -RichTextAdapter::SuperscriptOffset
                                                           : 0);
    }
    return out;
}

} // namespace

namespace HtmlPaste {

QList<RtfReader::Run> read(const QString &html, const QTextCharFormat &base)
{
    SealedDocument source;
    source.setHtml(html);
    QList<RtfReader::Run> runs;
    int pendingBreaks = 0; // held back until text follows, so none ends the paste
    for (QTextBlock block = source.begin(); block.isValid(); block = block.next()) {
        if (!runs.isEmpty())
            ++pendingBreaks;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QString text = it.fragment().text();
            text.remove(QChar::ObjectReplacementCharacter); // pictures
            text.replace(QChar::LineSeparator, QChar::ParagraphSeparator);
            if (text.isEmpty())
                continue;
            if (pendingBreaks > 0)
                runs.append({QString(pendingBreaks, QChar::ParagraphSeparator), base});
            pendingBreaks = 0;
            runs.append({text, captionFormat(it.fragment().charFormat(), base)});
        }
    }
    return runs;
}

} // namespace HtmlPaste
