#pragma once

#include "project/slideshowproject.h"
#include "support/tempfolder.h"

#include <QBuffer>
#include <QImage>
#include <QRegularExpression>

// A project "P" in a temporary folder, its files given as "P0.jpg P1.gif
// src/a.jpg": real pictures (GIF, PNG or JPEG by the ending), each unlike the
// others so that a copy can be traced to its origin; "-P2.jpg" a slide
// without its picture; "src/cut.jpg~" a picture cut short; "P1.gif/" a
// folder; "src/t.jpg=text" a text file. Pictures P<n> are slide n, caption "c<n>".
struct SlideFolder
{
    TempFolder temp;
    SlideshowProject project;
    QMap<QByteArray, QString> origins; // content -> name it was made as

    QByteArray picture(const QString &name)
    {
        QByteArray bytes;
        if (name.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive)) {
            bytes = QByteArray("GIF89a\1\0\1\0\x80\0\0", 13)
                + QByteArray::number(qHash(name)).right(3)
                + QByteArray("\0\0\0,\0\0\0\0\1\0\1\0\0\2\2\x44\1\0;", 19);
        } else {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QImage image(8, 6, QImage::Format_RGB32);
            image.fill(QColor::fromRgb(qHash(name)));
            image.save(&buffer, name.endsWith(QLatin1String(".png")) ? "PNG" : "JPG");
        }
        origins.insert(bytes, QFileInfo(name).fileName());
        return bytes;
    }

    explicit SlideFolder(const QString &files, int count = -1)
    {
        project.name = QStringLiteral("P");
        project.folder = temp.path();
        project.updateBasePath();
        project.loaded = true;
        const QRegularExpression slide(QStringLiteral("^-?P(\\d+)(\\.\\w+)$"));
        int slides = 0;
        for (const QString &file : files.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (file.contains(QLatin1Char('=')))
                temp.write(file.section('=', 0, 0), file.section('=', 1).toLatin1());
            else if (file.endsWith('~'))
                temp.write(file.chopped(1), picture(file.chopped(1)).chopped(2));
            else if (!file.startsWith('-'))
                temp.write(file, file.endsWith('/') ? QByteArray() : picture(file));
            if (const auto m = slide.match(file); m.hasMatch()) {
                const int n = m.captured(1).toInt();
                project.imageTypes[n] = m.captured(2);
                project.slideLines[n] = QStringLiteral("c%1").arg(n);
                slides = std::max(slides, n + 1);
            }
        }
        project.slideCount = std::int16_t(count >= 0 ? count : slides);
    }

    // The project folder as "P0.jpg:a.jpg" (the file, the picture it came from) and "P1.gif/".
    QString listing() const
    {
        QStringList entries;
        for (const QFileInfo &info :
             QDir(temp.path())
                 .entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            if (info.fileName() != QLatin1String("src"))
                entries << info.fileName()
                        + (info.isDir() ? "/"
                                        : ":" + origins.value(readFile(info.filePath()), "?"));
        return entries.join(' ');
    }

    QString captions() const
    {
        return QStringList(project.slideLines.begin(),
                           project.slideLines.begin() + project.slideCount)
            .join(' ');
    }
};
