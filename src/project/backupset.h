#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The one backup set of the open project: files named from the reserved stem
// "aaaa" in the backup root folder ("aaaa.lmv", "aaaa.htm", "aaaa.js",
// "aaaa" + N + type), plus an owner file "aaaa.owner" that says whose set it
// is and how many slide images it should hold. A set without a readable owner
// file belongs to nobody and is never put back over a project.
class BackupSet
{
public:
    struct Owner
    {
        QString basePath;   // the project the set was taken from
        int slideCount = 0; // slides whose images the set should hold
    };

    explicit BackupSet(QString root);

    const QString &root() const { return m_root; }

    // root + "/aaaa" + extension, e.g. ".lmv".
    QString filePath(const QString &extension) const;
    // root + "/aaaa" + n + type.
    QString imagePath(int n, const QString &type) const;
    QString ownerPath() const;

    std::optional<Owner> owner() const;
    bool isOwnedBy(const QString &basePath) const;
    bool writeOwner(const Owner &owner) const;
    bool removeOwner() const;

    // Creates the root folder when needed; false when it cannot be a folder.
    bool ensureRoot() const;

    // Deletes every file of any earlier set, also images beyond its own run,
    // so that no stale image is ever taken as part of a new set. Files named
    // in keep (file names in the root) stay, for the caller to replace.
    void clear(const QStringList &keep = {}) const;

private:
    QString m_root;
};
