#include "editor/picturecache.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

QImage DecodePicture(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read();
}

PictureCache::PictureCache()
{
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
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return {info.size(), info.lastModified(), info.metadataChangeTime()};
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
    store(path, {stamp, QtFuture::makeReadyFuture(image)});
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
        dropped.append(std::move(it->image));
        it = m_entries.erase(it);
    }
    // Pictures decoded ahead live in the pool threads' memory: giving it back
    // from the window's thread costs it most of a millisecond per picture,
    // so it is given back on the pool, ahead of any decode still queued.
    if (!dropped.isEmpty())
        m_pool.start([dropped = std::move(dropped)]() mutable { dropped.clear(); }, 1);
}
