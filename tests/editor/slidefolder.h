#pragma once

#include "project/slideshowproject.h"
#include "support/tempfolder.h"

#include <QBuffer>
#include <QImage>

// A project "P" in a temporary folder whose pictures are real and each unlike
// the others, so that any file can be traced to the picture it came from.
struct SlideFolder
{
    TempFolder temp;
    SlideshowProject project;
    QMap<QByteArray, QString> origins; // content -> name of the picture it was made as

    // A picture by its name's ending: GIF, PNG or else JPEG; the name sets its colour.
    QByteArray picture(const QString &name)
    {
        const uint colour = qHash(name);
        QByteArray bytes;
        if (name.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive)) {
            bytes = QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13)
                + QByteArray::number(colour).right(3)
                + QByteArray("\0\0\0,\0\0\0\0\1\0\1\0\0"
                             "\x02\x02\x44\x01\x00;",
                             19);
        } else {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QImage image(8, 6, QImage::Format_RGB32);
            image.fill(QColor::fromRgb(colour));
            image.save(&buffer, name.endsWith(QLatin1String(".png")) ? "PNG" : "JPG");
        }
        origins.insert(bytes, QFileInfo(name).fileName());
        return bytes;
    }

    // Files given as "P0.jpg P1.gif src/a.jpg": pictures; "-P2.jpg": slide
    // 2 of type .jpg has no picture; "P1.gif/": a folder; "src/t.jpg=text"
    // a file of that text. Pictures named P<n> are the project's slides, in
    // order, with the captions c0, c1, ...
    explicit SlideFolder(const QString &files, int count = -1)
    {
        project.name = QStringLiteral("P");
        project.folder = temp.path();
        project.updateBasePath();
        project.loaded = true;
        int slides = 0;
        for (QString file : files.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const bool missing = file.startsWith(QLatin1Char('-'));
            file.remove(0, missing ? 1 : 0);
            if (file.contains(QLatin1Char('=')))
                temp.write(file.section(QLatin1Char('='), 0, 0), file.section('=', 1).toLatin1());
            else if (!missing)
                temp.write(file, file.endsWith(QLatin1Char('/')) ? QByteArray() : picture(file));
            const QRegularExpression slide(QStringLiteral("^P(\\d+)(\\.\\w+)$"));
            if (const auto m = slide.match(file); m.hasMatch() && !file.endsWith('/')) {
                const int n = m.captured(1).toInt();
                project.imageTypes[n] = m.captured(2);
                project.slideLines[n] = QStringLiteral("c%1").arg(n);
                slides = std::max(slides, n + 1);
            }
        }
        project.slideCount = std::int16_t(count >= 0 ? count : slides);
    }

    // The project folder's files as "P0.jpg:a.jpg", the name after the colon
    // being the picture's origin, and folders as "P1.gif/".
    QString listing() const
    {
        QStringList entries;
        for (const QFileInfo &info :
             QDir(temp.path())
                 .entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            if (info.isDir())
                entries << info.fileName() + QLatin1Char('/');
            else
                entries << info.fileName() + QLatin1Char(':')
                        + origins.value(readFile(info.filePath()), QStringLiteral("?"));
        }
        entries.removeAll(QStringLiteral("src/"));
        return entries.join(QLatin1Char(' '));
    }

    QString captions() const
    {
        QStringList lines;
        for (int n = 0; n < project.slideCount; ++n)
            lines << project.slideLines[n];
        return lines.join(QLatin1Char(' '));
    }
};
