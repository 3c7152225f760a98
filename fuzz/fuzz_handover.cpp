// Reads arbitrary bytes as the hand-over file that the capture windows share.
// Any input must go through without a fault, and a file that reads gives the
// lines that the whole file holds, each taken as a number.
#include "capture/handover.h"
#include "capture/integerpart.h"
#include "project/textfile.h"

#include "fileinput.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FileInput::folder(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes =
        FileInput::write(HandOver::path(FileInput::folder().path()), data, size);
    const auto lines = HandOver::readLines(FileInput::folder().path());
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
