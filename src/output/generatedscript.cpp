#include "output/generatedscript.h"

#include "project/scripttext.h"
#include "project/slideshowproject.h"

#include <algorithm>

namespace GeneratedScript {

namespace {

// Template lines (counted from 1) that give way to the project's data.
constexpr int BlockAFirst = 7, BlockALast = 10;
constexpr int BlockBFirst = 13, BlockBLast = 16;

QString quoted(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

QString element(const char *id)
{
    return QStringLiteral("document.getElementById(") + quoted(QLatin1String(id))
        + QLatin1Char(')');
}

} // namespace

QString jsString(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\' || c == u'"')
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

QStringList blockA(const SlideshowProject &project)
{
    const int slides = project.boundedSlideCount();
    QStringList lines;
    lines.reserve(2 + 2 * slides);
    lines << QStringLiteral("var RepImage=") + quoted(jsString(project.name)) + QLatin1Char(';')
          << QStringLiteral("var NBSprite=") + QString::number(int(project.slideCount) - 1)
            + QLatin1Char(';');
    for (int i = 0; i < slides; ++i)
        lines << QStringLiteral("Info[") + QString::number(i) + QStringLiteral("]=")
                + quoted(QStringLiteral("&nbsp;") + ScriptTextOfLine(project.slideLines[i]))
                + QLatin1Char(';');
    for (int i = 0; i < slides; ++i)
        lines << QStringLiteral("TypeImage[") + QString::number(i) + QStringLiteral("]=")
                + quoted(project.imageTypes[i]) + QLatin1Char(';');
    return lines;
}

QStringList blockB(const SlideshowProject &project)
{
    return {
        element("diapo") + QStringLiteral(".src=")
            + quoted(jsString(project.name) + QLatin1Char('0') + project.imageTypes[0])
            + QLatin1Char(';'),
        element("InfoDiaporama") + QStringLiteral(".innerHTML=")
            + quoted(QStringLiteral("1 / ") + QString::number(project.slideCount))
            + QLatin1Char(';'),
        element("InfoTexte") + QStringLiteral(".innerHTML=Info[0];"),
        element("Titre") + QStringLiteral(".innerHTML=") + quoted(jsString(project.header))
            + QLatin1Char(';'),
    };
}

std::optional<QStringList> fromTemplate(const QStringList &templateLines,
                                        const SlideshowProject &project)
{
    if (templateLines.size() < MinTemplateLines)
        return std::nullopt;
    QStringList script;
    script.reserve(templateLines.size() + 2 * project.boundedSlideCount());
    script << templateLines.mid(0, BlockAFirst - 1) << blockA(project)
           << templateLines.mid(BlockALast, BlockBFirst - BlockALast - 1) << blockB(project)
           << templateLines.mid(BlockBLast);
    return script;
}

} // namespace GeneratedScript
