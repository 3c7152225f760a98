#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>

// Writing and listing small folder trees: every file below a folder as
// relative path -> content, folders as "path/" -> "<folder>", so that a test
// can show that nothing on disk changed but what it expects.
namespace FolderTree {

// Entries ending in "/" are folders; the others are files with that content.
inline bool write(const QString &root, const QMap<QString, QByteArray> &entries)
{
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        const QString path = root + QLatin1Char('/') + it.key();
        if (it.key().endsWith(QLatin1Char('/'))) {
            if (!QDir().mkpath(path))
                return false;
            continue;
        }
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size())
            return false;
    }
    return true;
}

inline QMap<QString, QByteArray> read(const QString &root)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(root).relativeFilePath(path);
        if (it.fileInfo().isDir()) {
            entries.insert(relative + QLatin1Char('/'), "<folder>");
        } else {
            QFile file(path);
            entries.insert(relative,
                           file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>");
        }
    }
    return entries;
}

} // namespace FolderTree
