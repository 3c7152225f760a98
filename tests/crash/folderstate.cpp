#include "folderstate.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

FolderState FolderState::of(const QString &folder, const QStringList &masks)
{
    // Temporary copies that a step writes beside a file before it replaces it.
    static const QRegularExpression temporary(
        QStringLiteral("\\.(gif|jpg|htm|js|lmv|wav)\\.[A-Za-z0-9]{6}$"));
    FolderState state;
    const QDir root(folder);
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString relative = root.relativeFilePath(it.filePath());
        if (relative.startsWith(QLatin1Char('.')) || relative.contains(QLatin1String("/."))
            || temporary.match(relative).hasMatch()) {
            state.hidden += it.fileInfo().isFile();
            continue;
        }
        if (!it.fileInfo().isFile())
            continue;
        QFile file(it.filePath());
        QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : "unreadable";
        // A project file names its folder; the same project elsewhere is the same.
        for (const QString &mask : masks)
            content.replace(mask.toUtf8(), "<root>");
        state.files.insert(relative, QCryptographicHash::hash(content, QCryptographicHash::Sha1));
    }
    return state;
}

QSet<QByteArray> FolderState::contents() const
{
    return {files.cbegin(), files.cend()};
}

bool copyFolder(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    const QDir source(from);
    for (const QFileInfo &entry :
         source.entryInfoList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir() ? !copyFolder(entry.filePath(), target)
                          : !QFile::copy(entry.filePath(), target))
            return false;
        // Thumbnails are remade when their picture looks newer.
        QFile copied(target);
        if (entry.isFile()
            && !(copied.open(QIODevice::ReadWrite)
                 && copied.setFileTime(entry.lastModified(), QFileDevice::FileModificationTime)))
            return false;
    }
    return true;
}
