#include "project/backupset.h"

#include "project/fileops.h"
#include "project/slideshowproject.h"
#include "project/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <utility>

namespace {

QString stemPath(const QString &root)
{
    return root + QLatin1Char('/') + QLatin1String(SlideshowProject::BackupStem);
}

QString cleaned(const QString &path) { return QDir::cleanPath(path); }

} // namespace

BackupSet::BackupSet(QString root)
    : m_root(std::move(root))
{
}

QString BackupSet::filePath(const QString &extension) const { return stemPath(m_root) + extension; }

QString BackupSet::imagePath(int n, const QString &type) const
{
    return stemPath(m_root) + QString::number(n) + type;
}

QString BackupSet::ownerPath() const { return filePath(QStringLiteral(".owner")); }

std::optional<BackupSet::Owner> BackupSet::owner() const
{
    const auto lines = TextFile::readLines(ownerPath());
    if (!lines || lines->size() < 2)
        return std::nullopt;
    bool ok = false;
    const int count = lines->at(1).toInt(&ok);
    if (!ok || count < 0 || count > SlideshowProject::MaxSlides || lines->at(0).isEmpty())
        return std::nullopt;
    return Owner{lines->at(0), count};
}

bool BackupSet::isOwnedBy(const QString &basePath) const
{
    const auto current = owner();
    return current && cleaned(current->basePath) == cleaned(basePath);
}

bool BackupSet::writeOwner(const Owner &owner) const
{
    const QString text = owner.basePath + QLatin1String("\r\n") + QString::number(owner.slideCount)
        + QLatin1String("\r\n");
    return FileOps::write(ownerPath(), TextFile::encode(text)) == FileOps::Result::Done;
}

bool BackupSet::removeOwner() const
{
    const auto result = FileOps::remove(ownerPath());
    return result == FileOps::Result::Done || result == FileOps::Result::Missing;
}

bool BackupSet::ensureRoot() const { return QDir().mkpath(m_root) && QFileInfo(m_root).isDir(); }

void BackupSet::clear(const QStringList &keep) const
{
    removeOwner();
    static const QRegularExpression setFile(
        QStringLiteral("^%1((0|[1-9][0-9]*)\\.(gif|jpg)|\\.lmv|\\.htm|\\.js)$")
            .arg(SlideshowProject::BackupStem));
    const QStringList names = QDir(m_root).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        if (setFile.match(name).hasMatch() && !keep.contains(name))
            FileOps::remove(m_root + QLatin1Char('/') + name);
    }
}
