#pragma once

#include <QFuture>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QThreadPool>

// Reads a slide picture the way a browser shows it: upright when the camera
// recorded a rotation. A missing or unreadable file gives a null image.
QImage DecodePicture(const QString &path);

// Decoded slide pictures, so that stepping to a neighbouring slide does not
// wait for a decode. Decodes asked for ahead run on a small pool of
// low-priority threads and only produce QImages; everything else stays on the
// caller's thread. An entry is used only while its file has the size and times
// it had when it was decoded, so a replaced picture is read again.
class PictureCache
{
public:
    PictureCache();
    ~PictureCache(); // abandons what is queued, waits for decodes under way
    PictureCache(const PictureCache &) = delete;
    PictureCache &operator=(const PictureCache &) = delete;

    // The picture of path: a decode already made or under way for the file as
    // it is now, otherwise a decode here and now. Either way it is kept.
    QImage picture(const QString &path);

    // Queues background decodes of the files not yet decoded or under way, in
    // the given order.
    void prefetch(const QStringList &paths);

    // Forgets every picture but those of paths; decodes queued for other files
    // are abandoned, and one already running drops its result.
    void keepOnly(const QStringList &paths);

    // Pictures held or under way, and decodes started since creation (either
    // way): what tests and benchmarks look at.
    int heldCount() const { return int(m_entries.size()); }
    bool holds(const QString &path) const;
    bool isReady(const QString &path) const;
    int decodesStarted() const { return m_decodesStarted; }

private:
    struct Stamp
    {
        qint64 size = -1; // -1: the file does not exist
        qint64 modified = 0; // nanoseconds since the epoch
        // A rename keeps the time of writing but not this one, so pictures
        // that swap names are never taken for each other.
        qint64 changed = 0;
        bool operator==(const Stamp &) const = default;
    };
    struct Entry
    {
        Stamp stamp;
        QFuture<QImage> image;
        bool decodedHere = false; // in the caller's thread, not ahead on the pool
    };
    static Stamp stampOf(const QString &path);
    const Entry *current(const QString &path) const;
    void store(const QString &path, Entry entry);

    QThreadPool m_pool;
    QHash<QString, Entry> m_entries;
    int m_decodesStarted = 0;
};
