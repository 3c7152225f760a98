#include "editor/slidefiles.h"

#include "project/fileops.h"
#include "project/slideshowproject.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace SlideFiles {

namespace {

const QString Gif = QStringLiteral(".gif");
const QString Jpg = QStringLiteral(".jpg");

bool sameFile(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

// Deletes path unless it is the picture being placed.
void removeUnlessSource(const QString &path, const QString &source)
{
    if (!sameFile(path, source))
        FileOps::remove(path);
}

// A download cut short keeps a good header and decodes to grey or to a part:
// a whole file ends with its format's closing mark (JPEG: FF D9, possibly
// followed by data a camera appended; GIF: the trailer byte 3B).
bool endsWhole(QFile &file, const QString &type)
{
    const qint64 tailSize = type == Jpg ? 65536 : 1;
    if (!file.seek(std::max<qint64>(0, file.size() - tailSize)))
        return false;
    const QByteArray tail = file.read(tailSize);
    return type == Jpg ? tail.contains("\xFF\xD9") : tail == "\x3B";
}

QString otherType(const QString &type) { return type == Gif ? Jpg : Gif; }

} // namespace

QString pictureType(const QString &path)
{
    QFile file(path);
    if (!FileOps::openForReading(file))
        return {};
    QString type;
    {
        QImageReader reader(&file);
        reader.setDecideFormatFromContent(true);
        const QByteArray format = reader.format();
        if (format == "jpeg")
            type = Jpg;
        else if (format == "gif")
            type = Gif;
        else
            return {};
        // A small decode finds a broken body without the cost of the full picture.
        const QSize size = reader.size();
        if (!size.isValid())
            return {};
        reader.setScaledSize(size.scaled(64, 64, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
        if (reader.read().isNull())
            return {};
    }
    return endsWhole(file, type) ? type : QString();
}

Outcome appendSlide(SlideshowProject &project, const QString &source, const QString &caption)
{
    if (project.slideCount >= SlideshowProject::MaxSlides || project.slideCount < 0)
        return Outcome::Full;
    const QString type = pictureType(source);
    if (type.isEmpty())
        return Outcome::NotAPicture;

    const int n = project.slideCount;
    const QString target = SlideshowProject::imagePathOf(project.basePath, n, type);
    const bool copied = FileOps::succeeded(FileOps::copy(source, target));
    if (!copied)
        removeUnlessSource(target, source);
    // A leftover of the other type would be taken for this slide's picture
    // when the project is read again (GIF wins there).
    removeUnlessSource(SlideshowProject::imagePathOf(project.basePath, n, otherType(type)), source);

    project.imageTypes[n] = type;
    project.slideLines[n] = caption;
    project.slideCount = std::int16_t(n + 1);
    project.currentSlide = std::int16_t(n);
    project.saved = false;
    project.htmlGenerated = false;
    return copied ? Outcome::Done : Outcome::CopyFailed;
}

Outcome changeImage(SlideshowProject &project, const QString &source)
{
    const QString type = pictureType(source);
    if (type.isEmpty())
        return Outcome::NotAPicture;
    const int n = project.currentSlide;
    const FileOps::Result copied = FileOps::copy(
        source, SlideshowProject::imagePathOf(project.basePath, n, type));
    if (!FileOps::succeeded(copied))
        return Outcome::CopyFailed;
    removeUnlessSource(SlideshowProject::imagePathOf(project.basePath, n, otherType(type)), source);

    // The folder changed; the generated script names each picture with its type.
    if (copied != FileOps::Result::AlreadyInPlace || project.imageTypes[n] != type)
        project.saved = false;
    if (project.imageTypes[n] != type)
        project.htmlGenerated = false;
    project.imageTypes[n] = type;
    return Outcome::Done;
}

Deletion deleteCurrentSlide(SlideshowProject &project)
{
    Deletion deletion;
    const int count = project.slideCount;
    const int current = project.currentSlide;
    if (count <= 1 || current < 0 || current >= count)
        return deletion;
    // The last slide's deletion touches no file.
    for (int i = current; i < count && current < count - 1; ++i) {
        const QString picture = project.imagePath(i);
        if (FileOps::isRegularFile(picture) && !QFileInfo(picture).isReadable()) {
            deletion.unreadable = picture;
            return deletion;
        }
    }
    deletion.done = true;
    project.saved = false;
    project.htmlGenerated = false;

    if (current == count - 1) {
        project.slideCount = std::int16_t(count - 1);
        project.currentSlide = std::int16_t(count - 2);
        return deletion;
    }

    FileOps::remove(project.imagePath(current));
    for (int i = current; i < count - 1; ++i) {
        const QString &type = project.imageTypes[i + 1];
        const QString from = SlideshowProject::imagePathOf(project.basePath, i + 1, type);
        const QString to = SlideshowProject::imagePathOf(project.basePath, i, type);
        // A missing picture stays missing under the new index; a picture that
        // is there but cannot move must not be overwritten by the next one.
        if (FileOps::move(from, to) == FileOps::Result::Failed) {
            project.slideLines[i].clear();
            deletion.pictureless = i;
            deletion.stuckFile = from;
            return deletion;
        }
        project.slideLines[i] = project.slideLines[i + 1];
        project.imageTypes[i] = type;
    }
    project.slideCount = std::int16_t(count - 1);
    return deletion;
}

} // namespace SlideFiles
