#pragma once

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

// The files under a folder, each by its path relative to the folder with a
// digest of its content, to tell whether a folder is exactly as it was.
// Hidden entries (a name starting with a dot: temporary copies, staging
// folders) and temporary copies ("x.jpg.Ab12Cd") are not files of a
// project; they are only counted. Each of masks, where a file holds it, is replaced
// by one fixed text, so that copies of one project in two places compare equal.
struct FolderState
{
    QMap<QString, QByteArray> files;
    int hidden = 0;

    static FolderState of(const QString &folder, const QStringList &masks = {});
    QSet<QByteArray> contents() const;
    bool operator==(const FolderState &other) const { return files == other.files; }
};

// Copies a folder with everything in it; false on any failure.
bool copyFolder(const QString &from, const QString &to);
