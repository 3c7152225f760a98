#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The slideshow page: the template page copied line by line, with its line 10
// (whatever it holds) replaced by the reference to the project's script.
namespace GeneratedPage {

constexpr int ScriptLineNumber = 10;
constexpr int MinTemplateLines = ScriptLineNumber;

// <script language="JavaScript" type="text/JavaScript" src="NAME.js">, left
// open: the template's next line closes it.
QString scriptLine(const QString &projectName);

// The page's lines, or nothing when the template has fewer than 10 lines.
std::optional<QStringList> fromTemplate(const QStringList &templateLines,
                                        const QString &projectName);

} // namespace GeneratedPage
