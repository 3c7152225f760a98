#include "output/generatedpage.h"

namespace GeneratedPage {

QString scriptLine(const QString &projectName)
{
    return QStringLiteral("<script language=\"JavaScript\" type=\"text/JavaScript\" src=\"")
        + projectName + QStringLiteral(".js\">");
}

std::optional<QStringList> fromTemplate(const QStringList &templateLines,
                                        const QString &projectName)
{
    if (templateLines.size() < MinTemplateLines)
        return std::nullopt;
    QStringList page = templateLines;
    page[ScriptLineNumber - 1] = scriptLine(projectName);
    return page;
}

} // namespace GeneratedPage
