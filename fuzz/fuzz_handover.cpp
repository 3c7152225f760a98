// Reads arbitrary bytes as the hand-over file that the capture windows share.
// Any input must go through without a fault, and a file that reads gives the
// lines that the whole file holds, each taken as a number.
#include "capture/handover.h"
#include "capture/integerpart.h"
#include "project/textfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
QTemporaryDir *folder = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    static QTemporaryDir dir;
    folder = &dir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QFile file(HandOver::path(folder->path()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();
    const auto lines = HandOver::readLines(folder->path());
    if (!lines)
        return 0;
    if (*lines != TextFile::splitLines(TextFile::decode(bytes))) {
        std::fprintf(stderr, "the lines read differ from the file's\n");
        std::abort();
    }
    std::int64_t sum = 0;
    for (const QString &line : *lines)
        sum += IntegerPart(line);
    return sum == 0x7fffffffffffffff; // keeps the numbers from being optimised away
}
