#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

// A throw-away application folder filled by the test with small files whose
// content names them, so that any copy can be traced to its source.
class AppDirFixture
{
public:
    AppDirFixture() { QVERIFY(m_temp.isValid()); }

    QString appDir() const { return m_temp.path(); }
    QString path(const QString &relative) const { return appDir() + QLatin1Char('/') + relative; }

    void write(const QString &relative, const QByteArray &content) const
    {
        const QString file = path(relative);
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile out(file);
        QVERIFY2(out.open(QIODevice::WriteOnly), qPrintable(file));
        QCOMPARE(out.write(content), content.size());
    }

    QByteArray read(const QString &relative) const
    {
        QFile in(path(relative));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }

    void remove(const QString &relative) const { QVERIFY(QFile::remove(path(relative))); }
    void makeFolder(const QString &relative) const { QVERIFY(QDir().mkpath(path(relative))); }

    // Every file below the application folder (relative path -> content),
    // empty folders as "path/" -> "<folder>".
    QMap<QString, QByteArray> snapshot() const
    {
        QMap<QString, QByteArray> files;
        const QDir root(appDir());
        QDirIterator it(appDir(), QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString relative = root.relativeFilePath(file);
            if (it.fileInfo().isDir()) {
                if (QDir(file).isEmpty())
                    files.insert(relative + QLatin1Char('/'), "<folder>");
            } else {
                files.insert(relative, read(relative));
            }
        }
        return files;
    }

private:
    QTemporaryDir m_temp;
};
