#include "output/captioncolours.h"

#include "project/textfile.h"

#include <QFile>
#include <QRegularExpression>

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

Colours fromPageText(const QString &pageText)
{
    const qsizetype headEnd = pageText.indexOf(QLatin1String("</head"), 0, Qt::CaseInsensitive);
    const QString head = headEnd < 0 ? pageText : pageText.left(headEnd);
    const QColor background = declaredColour(head, QStringLiteral("lumivue-caption-background"));
    const QColor text = declaredColour(head, QStringLiteral("lumivue-caption-color"));
    return {background.isValid() ? background : QColor(Qt::white),
            text.isValid() ? text : QColor(Qt::black)};
}

} // namespace

Colours fromPageFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fromPageText(QString());
    return fromPageText(TextFile::decode(file.readAll()));
}

} // namespace CaptionColours
