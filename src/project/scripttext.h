#pragma once

#include <QString>

// The form of a slide line that can stand between double quotes in the
// generated script: "|" (the caption's line break) becomes "<BR>&nbsp;", and a
// double quote or a backslash gets a backslash before it.
QString ScriptTextOfLine(const QString &line);
