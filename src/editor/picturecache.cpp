#include "editor/picturecache.h"

#include "project/fileops.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

QImage DecodePicture(const QString &path)
{
    QFile file(path);
    if (!FileOps::openForReading(file))
        return {};
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    return reader.read();
}

namespace {

// Pictures are megabytes each and come and go with every slide. By default
// the C library gives the top of its heap back to the system as soon as two
// pictures' worth lies free there, and the next decode then faults every page
// in afresh: a small picture shows three times slower. Up to 128 MB of free
// heap is kept instead, for the next decode to reuse.
void keepPictureMemory()
{
#ifdef __GLIBC__
    static const bool kept = [] {
        // Fixing one threshold stops the library from moving the other, so
        // both are set: pictures up to 8 megapixels come from the heap, as
        // they would by default once one had been freed.
        return mallopt(M_MMAP_THRESHOLD, 32 << 20) && mallopt(M_TRIM_THRESHOLD, 128 << 20);
    }();
    Q_UNUSED(kept);
#endif
}

} // namespace

PictureCache::PictureCache()
{
    keepPictureMemory();
    // One core is left to the window; the background work never needs more
    // than the two neighbours.
    m_pool.setMaxThreadCount(std::clamp(QThread::idealThreadCount() - 1, 1, 2));
    m_pool.setThreadPriority(QThread::LowPriority);
}

PictureCache::~PictureCache()
{
    keepOnly({});
    m_pool.waitForDone();
}

PictureCache::Stamp PictureCache::stampOf(const QString &path)
{
#ifdef Q_OS_UNIX
    // Asked several times per slide shown: QFileInfo would turn both times
    // into local dates, which costs six times the look-up itself.
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    const auto ns = [](const timespec &t) { return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec; };
    return {qint64(info.st_size), ns(info.st_mtim), ns(info.st_ctim)};
#else
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    const auto ns = [](const QDateTime &t) { return t.toMSecsSinceEpoch() * 1'000'000; };
    return {info.size(), ns(info.lastModified()), ns(info.metadataChangeTime())};
#endif
}

const PictureCache::Entry *PictureCache::current(const QString &path) const
{
    const auto found = m_entries.constFind(path);
    if (found == m_entries.cend() || found->stamp != stampOf(path))
        return nullptr;
    return &*found;
}

bool PictureCache::holds(const QString &path) const { return current(path) != nullptr; }

bool PictureCache::isReady(const QString &path) const
{
    const Entry *entry = current(path);
    return entry && entry->image.isFinished();
}

QImage PictureCache::picture(const QString &path)
{
    if (const Entry *entry = current(path)) {
        // A decode still queued is taken off the pool and run here at once.
        return entry->image.result();
    }
    ++m_decodesStarted;
    const Stamp stamp = stampOf(path);
    QImage image = DecodePicture(path);
    store(path, {stamp, QtFuture::makeReadyFuture(image), true});
    return image;
}

void PictureCache::prefetch(const QStringList &paths)
{
    for (const QString &path : paths) {
        if (current(path))
            continue;
        ++m_decodesStarted;
        auto decode = [](QPromise<QImage> &promise, const QString &file) {
            QImage image = DecodePicture(file);
            if (!promise.isCanceled())
                promise.addResult(std::move(image));
        };
        store(path, {stampOf(path), QtConcurrent::run(&m_pool, decode, path)});
    }
}

void PictureCache::store(const QString &path, Entry entry)
{
    // A decode of the file as it was before is of no use any more.
    if (const auto old = m_entries.find(path); old != m_entries.end())
        old->image.cancel();
    m_entries.insert(path, std::move(entry));
}

void PictureCache::keepOnly(const QStringList &paths)
{
    QList<QFuture<QImage>> dropped;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (paths.contains(it.key())) {
            ++it;
            continue;
        }
        it->image.cancel();
        // A picture decoded here goes back to this thread's heap at once, for
        // the decode that usually follows: freed on the pool, it could still
        // be held when that decode asks for memory, and the heap would grow
        // into fresh pages.
        if (!it->decodedHere)
            dropped.append(std::move(it->image));
        it = m_entries.erase(it);
    }
    // Pictures decoded ahead live in the pool threads' memory: giving it back
    // from the window's thread costs it most of a millisecond per picture,
    // so it is given back on the pool, ahead of any decode still queued.
    if (!dropped.isEmpty())
        m_pool.start([dropped = std::move(dropped)]() mutable { dropped.clear(); }, 1);
}
