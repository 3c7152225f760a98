#include "output/captioncolours.h"

#include "project/textfile.h"

#include <QFile>
#include <QRegularExpression>

#include <cmath>

namespace CaptionColours {

namespace {

// The content of <meta name="NAME" content="..."> in either attribute order.
QColor declaredColour(const QString &head, const QString &name)
{
    static const QRegularExpression meta(QStringLiteral("<meta\\b[^>]*>"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression nameAttr(QStringLiteral("\\bname\\s*=\\s*[\"']([^\"']*)[\"']"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression contentAttr(
        QStringLiteral("\\bcontent\\s*=\\s*[\"']\\s*(#[0-9a-f]{6})\\s*[\"']"),
        QRegularExpression::CaseInsensitiveOption);
    for (auto it = meta.globalMatch(head); it.hasNext();) {
        const QString tag = it.next().captured();
        if (nameAttr.match(tag).captured(1).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const auto content = contentAttr.match(tag);
        return content.hasMatch() ? QColor(content.captured(1)) : QColor();
    }
    return {};
}

double luminance(const QColor &c)
{
    const auto channel = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

} // namespace

Colours fromPageText(const QString &pageText)
{
    const qsizetype headEnd = pageText.indexOf(QLatin1String("</head"), 0, Qt::CaseInsensitive);
    const QString head = headEnd < 0 ? pageText : pageText.left(headEnd);
    const QColor background = declaredColour(head, QStringLiteral("lumivue-caption-background"));
    const QColor text = declaredColour(head, QStringLiteral("lumivue-caption-color"));
    return {background.isValid() ? background : QColor(Qt::white),
            text.isValid() ? text : QColor(Qt::black), background.isValid() && text.isValid()};
}

Colours fromPageFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fromPageText(QString());
    return fromPageText(TextFile::decode(file.readAll()));
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace CaptionColours
