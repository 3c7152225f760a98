#include "project/fileops.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <memory>
#include <system_error>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <cstdio>
#include <unistd.h>
#endif
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace FileOps {

namespace {

constexpr qint64 kChunk = 1024 * 1024;

std::filesystem::path fsPath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// Replaces target by source in one step; the target is never missing meanwhile.
bool renameOver(const QString &source, const QString &target)
{
    std::error_code error;
    std::filesystem::rename(fsPath(source), fsPath(target), error);
    return !error;
}

bool copyByChunks(QFile &in, QFile &out)
{
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (out.write(buffer.constData(), n) != n)
            return false;
    }
}

// Copies every byte of in to out, in the kernel where it can.
bool copyBytes(QFile &in, QFile &out)
{
#ifdef Q_OS_LINUX
    for (bool first = true;; first = false) {
        const ssize_t n = ::copy_file_range(in.handle(), nullptr, out.handle(), nullptr,
                                            std::size_t(1) << 30, 0);
        if (n > 0)
            continue;
        if (n == 0)
            return true;
        if (errno == EINTR)
            continue;
        // Some file systems do not offer it; nothing is written yet, so the
        // plain copy can start from the beginning.
        if (first && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP))
            break;
        return false;
    }
#endif
    return copyByChunks(in, out);
}

// A target that is absent or a regular file may be written; anything else
// (a FIFO would make the write wait for a reader) is left alone.
bool writableTarget(const QString &target)
{
    std::error_code error;
    const auto type = std::filesystem::status(fsPath(target), error).type();
    return type == std::filesystem::file_type::not_found
        || type == std::filesystem::file_type::regular;
}

bool sameContent(const QString &a, const QString &b)
{
    QFile fa(a);
    QFile fb(b);
    if (!openForReading(fa) || !openForReading(fb) || fa.size() != fb.size())
        return false;
    while (!fa.atEnd()) {
        const QByteArray chunk = fa.read(kChunk);
        if (chunk.isEmpty() || fb.read(chunk.size()) != chunk)
            return false;
    }
    return fb.atEnd();
}

// Copies source into a new temporary file beside target; nothing when it cannot.
// The temporary file deletes itself unless the caller keeps it.
std::unique_ptr<QTemporaryFile> copyBeside(QFile &in, const QString &target)
{
    const QFileInfo info(target);
    auto temp = std::make_unique<QTemporaryFile>(info.absolutePath() + QLatin1String("/.")
                                                 + info.fileName() + QLatin1String(".XXXXXX"));
    if (!temp->open())
        return nullptr;
    if (!copyBytes(in, *temp) || !temp->flush() || temp->size() != in.size())
        return nullptr;
    temp->setPermissions(in.permissions());
    temp->close();
    return temp;
}

// Puts a finished temporary file in place of target.
bool commit(QTemporaryFile &temp, const QString &target)
{
    if (!renameOver(temp.fileName(), target))
        return false;
    temp.setAutoRemove(false);
    return true;
}

} // namespace

bool succeeded(Result result)
{
    return result == Result::Done || result == Result::AlreadyInPlace
        || result == Result::SourceKept;
}

bool isSameFile(const QString &a, const QString &b)
{
    // Most targets do not exist yet: one look settles it, where resolving
    // both paths costs a look per folder on the way.
    std::error_code error;
    if (!std::filesystem::exists(fsPath(b), error))
        return false;
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

bool isRegularFile(const QString &path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(fsPath(path), error);
}

bool openForReading(QFile &file, QIODevice::OpenMode extra)
{
    // Looked at before it is opened: opening a device can act on it.
    if (!isRegularFile(file.fileName()))
        return false;
#ifdef Q_OS_UNIX
    // Opened without waiting, then checked again, in case a FIFO took the
    // file's place in between.
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)
        || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0
        || !file.open(fd, QIODevice::ReadOnly | extra, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    return file.open(QIODevice::ReadOnly | extra);
#endif
}

bool exists(const QString &path)
{
    QFile file(path);
    return openForReading(file);
}

Result copy(const QString &source, const QString &target)
{
    QFile in(source);
    if (!openForReading(in, QIODevice::Unbuffered))
        return Result::Missing;
    if (isSameFile(source, target))
        return Result::AlreadyInPlace;
    auto temp = copyBeside(in, target);
    return temp && commit(*temp, target) ? Result::Done : Result::Failed;
}

Result copyDirect(const QString &source, const QString &target)
{
    QFile in(source);
    if (!openForReading(in, QIODevice::Unbuffered))
        return Result::Missing;
    if (isSameFile(source, target))
        return Result::AlreadyInPlace;
    QFile out(target);
    if (!writableTarget(target) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Result::Failed;
    if (copyBytes(in, out) && out.flush() && out.size() == in.size()) {
        out.close();
        return Result::Done;
    }
    out.close();
    out.remove();
    return Result::Failed;
}

Result write(const QString &target, const QByteArray &bytes)
{
    const QFileInfo info(target);
    QTemporaryFile temp(info.absolutePath() + QLatin1String("/.") + info.fileName()
                        + QLatin1String(".XXXXXX"));
    if (!temp.open() || temp.write(bytes) != bytes.size() || !temp.flush()
        || temp.size() != bytes.size())
        return Result::Failed;
    temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    temp.close();
    return commit(temp, target) ? Result::Done : Result::Failed;
}

Result remove(const QString &path)
{
    if (!exists(path))
        return Result::Missing;
    return QFile::remove(path) ? Result::Done : Result::Failed;
}

Result move(const QString &source, const QString &target)
{
    QFile in(source);
    if (!openForReading(in, QIODevice::Unbuffered))
        return Result::Missing;
    if (isSameFile(source, target))
        return Result::AlreadyInPlace;
    if (renameOver(source, target))
        return Result::Done;

    // Another file system (or a rename refused for another reason): the source
    // goes only once a verified copy stands in place of the target.
    auto temp = copyBeside(in, target);
    in.close();
    if (!temp || !sameContent(source, temp->fileName()) || !commit(*temp, target))
        return Result::Failed;
    return QFile::remove(source) ? Result::Done : Result::SourceKept;
}

bool renameNew(const QString &source, const QString &target)
{
#ifdef Q_OS_LINUX
    // The kernel checks that the name is free and renames in one step.
    if (::renameat2(AT_FDCWD, QFile::encodeName(source).constData(), AT_FDCWD,
                    QFile::encodeName(target).constData(), RENAME_NOREPLACE)
        == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
#endif
    // A file system without that check: look first.
    std::error_code error;
    if (std::filesystem::symlink_status(fsPath(target), error).type()
        != std::filesystem::file_type::not_found)
        return false;
    std::filesystem::rename(fsPath(source), fsPath(target), error);
    return !error;
}

} // namespace FileOps
