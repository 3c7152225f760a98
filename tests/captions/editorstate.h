#pragma once

#include "captions/richtextadapter.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// What the conversions and commands can see of an editor, as one readable text:
// the plain text, the formatting at every position, the caret at the end and
// the current selection with its formatting.
inline QString describeStyle(const RichTextAdapter::Style &s)
{
    return QStringLiteral("%1/%2/%3/%4%5%6%7/%8")
        .arg(s.face)
        .arg(s.size)
        .arg(s.colour, 6, 16, QLatin1Char('0'))
        .arg(s.bold ? u'B' : u'-')
        .arg(s.italic ? u'I' : u'-')
        .arg(s.underline ? u'U' : u'-')
        .arg(s.strikethrough ? u'S' : u'-')
        .arg(s.offset);
}

inline QString editorState(RichTextAdapter &ed)
{
    const int selStart = ed.selectionStart();
    const int selLength = ed.selectionLength();
    const QString selection = QStringLiteral("selection %1+%2 %3")
                                  .arg(selStart)
                                  .arg(selLength)
                                  .arg(describeStyle(ed.style()));
    QString out = QStringLiteral("text [%1]\n").arg(ed.plainText());
    const int L = ed.textLength();
    QString last;
    for (int i = 0; i < L; ++i) {
        ed.setSelection(i, 1);
        const QString d = describeStyle(ed.style());
        if (d != last)
            out += QStringLiteral("%1: %2\n").arg(i).arg(d);
        last = d;
    }
    ed.setSelection(L, 0);
    out += QStringLiteral("end: %1\n").arg(describeStyle(ed.style()));
    ed.setSelection(selStart, selLength);
    return out + selection;
}

// Formatting of each position for one property, comma-separated.
inline QString propertyAt(RichTextAdapter &ed, const QString &property)
{
    QStringList values;
    const int L = ed.textLength();
    for (int i = 0; i < L; ++i) {
        ed.setSelection(i, 1);
        const RichTextAdapter::Style s = ed.style();
        if (property == u"bold")
            values << QString::number(s.bold);
        else if (property == u"italic")
            values << QString::number(s.italic);
        else if (property == u"underline")
            values << QString::number(s.underline);
        else if (property == u"strike")
            values << QString::number(s.strikethrough);
        else if (property == u"offset")
            values << QString::number(s.offset);
        else if (property == u"size")
            values << QString::number(s.size);
        else if (property == u"face")
            values << s.face;
        else if (property == u"colour")
            values << QString::number(s.colour, 16);
    }
    return values.join(u',');
}
