#pragma once

#include <QByteArray>
#include <QStringList>

// Small builders for the text files of generation tests.

// The lines as a Windows text file: each line followed by CR LF.
inline QByteArray crlf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

// Lines that name their own position: prefix + "1" .. prefix + count.
inline QStringList numbered(const QString &prefix, int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << prefix + QString::number(i);
    return lines;
}
