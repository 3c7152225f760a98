#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// Every entry below a folder, hidden ones included: files as relative path ->
// content, folders as "path/" -> "<folder>", so that a leftover or a loss
// shows in a comparison.
using Files = QMap<QString, QByteArray>;

inline QByteArray readFile(const QString &path)
{
    // A FIFO or a device is never opened: reading one could wait or never end.
    if (const QFileInfo info(path); info.exists() && !info.isFile() && !info.isDir())
        return QByteArray("<not a regular file>");
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
}

// Writes a file and the folders it needs.
inline void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    QVERIFY2(out.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(out.write(content), content.size());
}

inline Files snapshotOf(const QString &dir)
{
    Files files;
    QDirIterator it(dir, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(dir).relativeFilePath(path);
        if (it.fileInfo().isDir())
            files.insert(relative + QLatin1Char('/'), "<folder>");
        else
            files.insert(relative, readFile(path));
    }
    return files;
}

// Lines as a Windows text file: each followed by CR LF.
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

// A throw-away folder for one test, filled by the test with small files whose
// content names them, so that any copy can be traced to its source.
class TempFolder
{
public:
    TempFolder() { QVERIFY(m_dir.isValid()); }

    QString path() const { return m_dir.path(); }
    QString path(const QString &relative) const { return path() + QLatin1Char('/') + relative; }

    // A name ending in "/" makes a folder.
    void write(const QString &relative, const QByteArray &content = {}) const
    {
        if (relative.endsWith(QLatin1Char('/')))
            QVERIFY(QDir().mkpath(path(relative)));
        else
            writeFile(path(relative), content);
    }
    void write(const Files &entries) const
    {
        for (auto it = entries.cbegin(); it != entries.cend(); ++it)
            write(it.key(), it.value());
    }
    QByteArray read(const QString &relative) const { return readFile(path(relative)); }
    void remove(const QString &relative) const { QVERIFY(QFile::remove(path(relative))); }

    Files snapshot() const { return snapshotOf(path()); }

private:
    QTemporaryDir m_dir;
};
