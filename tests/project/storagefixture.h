#pragma once

#include "project/slideshowproject.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

using Files = QMap<QString, QByteArray>;

// Small files whose content names them, so that any copy can be traced back.
inline void put(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    QVERIFY2(out.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(out.write(content), content.size());
}

inline QByteArray contentOf(const QString &path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
}

// Every entry below dir (relative path -> content; folders -> "<folder>"),
// hidden temporaries included, so a leftover or a loss shows in a comparison.
inline Files snapshot(const QString &dir)
{
    Files files;
    QDirIterator it(dir, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(dir).relativeFilePath(path),
                     it.fileInfo().isDir() ? QByteArray("<folder>") : contentOf(path));
    }
    return files;
}

// A project of one slide per type in folder: project file, page, script, images.
inline void makeProject(SlideshowProject &p, const QString &folder, const QString &name,
                        const QStringList &types)
{
    p.folder = folder;
    p.name = name;
    p.updateBasePath();
    p.slideCount = std::int16_t(types.size());
    p.header = QStringLiteral("Entête");
    p.loaded = true;
    p.saved = true;
    QByteArray lmv = "Nom=" + name.toLatin1() + "\r\nRepertoire=" + folder.toLatin1()
        + "\r\nNbSprite=" + QByteArray::number(types.size()) + "\r\nTag=Ent\xEAte\r\n";
    for (int n = 0; n < types.size(); ++n) {
        p.imageTypes[n] = types[n];
        p.slideLines[n] = QStringLiteral("Légende %1").arg(n);
        lmv += "L\xE9gende " + QByteArray::number(n) + "\r\n";
        put(p.imagePath(n), "image " + name.toUtf8() + QByteArray::number(n));
    }
    put(p.basePath + ".lmv", lmv);
    put(p.basePath + ".htm", "page " + name.toUtf8());
    put(p.basePath + ".js", "script " + name.toUtf8());
}

// Makes writes beyond `bytes` fail with EFBIG for as long as it lives; this
// stops root too, so a write can be broken half-way for real.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

// A temporary folder on another file system than `than`, or nothing.
inline std::unique_ptr<QTemporaryDir> folderOnOtherDevice(const QString &than)
{
    auto dir = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/lumivue-XXXXXX"));
    struct stat a
    {
    }, b{};
    if (!dir->isValid() || stat(QFile::encodeName(dir->path()), &a) != 0
        || stat(QFile::encodeName(than), &b) != 0 || a.st_dev == b.st_dev)
        return nullptr;
    return dir;
}
