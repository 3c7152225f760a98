#include "capture/capturefiles.h"

#include "project/fileops.h"

#include <QFile>
#include <QFileInfo>

namespace CaptureFiles {

QString path(const QString &appDir, int n, const QString &extension)
{
    return appDir + QStringLiteral("/ScreenShot_") + QString::number(n) + extension;
}

bool exists(const QString &appDir, int n, const QString &extension)
{
    return FileOps::exists(path(appDir, n, extension));
}

void deleteAll(const QString &appDir, const QString &extension)
{
    for (int n = 1; n <= SweepLimit; ++n)
        QFile::remove(path(appDir, n, extension));
}

int jpegRun(const QString &appDir, int limit)
{
    int n = 0;
    while (n < limit && exists(appDir, n + 1, Jpg))
        ++n;
    return n;
}

QString weightText(std::int64_t bytes)
{
    // Integer rounding, half to even, so that no floating point can tip a
    // 500-byte remainder either way.
    std::int64_t kilo = bytes / 1000;
    const std::int64_t rest = bytes % 1000;
    if (rest > 500 || (rest == 500 && kilo % 2 == 1))
        ++kilo;
    return QString::number(kilo) + QStringLiteral(" ko");
}

std::optional<QString> weightOf(const QString &appDir, int n, const QString &extension)
{
    const QFileInfo file(path(appDir, n, extension));
    if (!file.isFile() || !file.isReadable())
        return std::nullopt;
    return weightText(file.size());
}

Found findJpegCaptures(const QString &appDir)
{
    Found found{};
    for (int n = 1; n <= MaxCaptureNumber; ++n)
        found[n] = exists(appDir, n, Jpg);
    return found;
}

int countFound(const Found &found) { return int(std::count(found.begin() + 1, found.end(), true)); }

int compactJpegCaptures(const QString &appDir, Found found)
{
    int failures = 0;
    for (int i = 1; i < MaxCaptureNumber; ++i) {
        if (found[i])
            continue;
        for (int j = i + 1; j <= MaxCaptureNumber; ++j) {
            if (!found[j])
                continue;
            if (!QFile::rename(path(appDir, j, Jpg), path(appDir, i, Jpg)))
                ++failures;
            found[i] = true;
            found[j] = false;
            break;
        }
    }
    return failures;
}

} // namespace CaptureFiles
