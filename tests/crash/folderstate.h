#pragma once

#include <QCryptographicHash>
#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

// The files under a folder by relative path, with a digest of their content
// in which each of masks is replaced by one text, so that one project in two
// places compares equal. Temporary copies (hidden, or "x.jpg.Ab12Cd") are
// not a project's files: they are only counted.
struct FolderState
{
    QMap<QString, QByteArray> files;
    int temporaries = 0;

    FolderState(const QString &folder, const QStringList &masks)
    {
        static const QRegularExpression temporary(
            "(^|/)\\.|\\.(gif|jpg|htm|js|lmv|wav)\\.[A-Za-z0-9]{6}$");
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString relative = QDir(folder).relativeFilePath(it.next());
            if (temporary.match(relative).hasMatch()) {
                ++temporaries;
                continue;
            }
            QFile file(it.filePath());
            QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : "unreadable";
            for (const QString &mask : masks)
                content.replace(mask.toUtf8(), "<root>");
            files.insert(relative, QCryptographicHash::hash(content, QCryptographicHash::Sha1));
        }
    }
    QSet<QByteArray> contents() const { return {files.cbegin(), files.cend()}; }
    bool operator==(const FolderState &other) const { return files == other.files; }
};
