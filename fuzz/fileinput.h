#pragma once
// What the fuzzers of file readers share: one scratch folder for the whole
// run, the input written to a file in it, and a failure that stops the run
// with its reason.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace FileInput {

[[noreturn]] inline void fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// The scratch folder; made with the core application on the first call,
// from LLVMFuzzerInitialize.
inline QTemporaryDir &folder(int *argc = nullptr, char ***argv = nullptr)
{
    static QCoreApplication app(*argc, *argv);
    static QTemporaryDir dir;
    return dir;
}

inline QByteArray write(const QString &path, const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("the input could not be written");
    return bytes;
}

} // namespace FileInput
