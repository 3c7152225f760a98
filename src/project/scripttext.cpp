#include "project/scripttext.h"

QString ScriptTextOfLine(const QString &line)
{
    QString text;
    text.reserve(line.size() + line.size() / 8);
    for (const QChar c : line) {
        if (c == u'|') {
            text += QLatin1String("<BR>&nbsp;");
        } else {
            if (c == u'"' || c == u'\\')
                text += QLatin1Char('\\');
            text += c;
        }
    }
    return text;
}
