#pragma once

#include <QFuture>
#include <QSize>
#include <QString>
#include <QStringList>

struct SlideshowProject;

// Camera photos made light enough for a page: a JPEG larger than the limit is
// decoded straight at a reduced size, turned upright, and written back in its
// place at a fixed quality with its colour profile. The new picture goes to a
// file beside the old one and is renamed over it, so a picture is always
// either the old one or the new one, whole.
namespace WebPictures {

inline constexpr QSize Limit{1920, 1080};
inline constexpr int Quality = 90;

struct Outcome
{
    enum class Status {
        Reduced,    // written anew, inside the limit
        Untouched,  // already inside the limit, or not a JPEG
        Unreadable, // not a picture that can be read: left as it is
        WriteFailed // the new picture could not be put in place: the old one is kept
    };
    Status status = Status::Untouched;
    QString path;
    qint64 bytesBefore = 0;
    qint64 bytesAfter = 0; // equals bytesBefore unless Reduced
};

// The picture files of the project's JPEG slides, in slide order.
QStringList jpegSlides(const SlideshowProject &project);

// The size, upright, that a picture of that upright size is given.
QSize fittedSize(const QSize &upright);

// Reduces one picture when it exceeds the limit.
Outcome reduce(const QString &path);

// Reduces the pictures on the worker threads, several at a time; results
// come in the order of paths. Cancelling lets the pictures under way finish
// and starts no other.
QFuture<Outcome> reduceAll(const QStringList &paths);

// "12,3 Mo": a size as the summary shows it.
QString sizeText(qint64 bytes);

} // namespace WebPictures
