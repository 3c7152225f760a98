#include "project/textfile.h"

#include "project/fileops.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <array>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; five of those are unassigned.
constexpr char16_t kUnassigned = 0xFFFD;
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC,      kUnassigned, 0x201A, 0x0192, 0x201E, 0x2026,      0x2020, 0x2021,
    0x02C6,      0x2030,      0x0160, 0x2039, 0x0152, kUnassigned, 0x017D, kUnassigned,
    kUnassigned, 0x2018,      0x2019, 0x201C, 0x201D, 0x2022,      0x2013, 0x2014,
    0x02DC,      0x2122,      0x0161, 0x203A, 0x0153, kUnassigned, 0x017E, 0x0178,
};

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

std::optional<char> cp1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    // The C1 controls of the five unassigned bytes go back to those bytes,
    // so that every byte read from a file is written back as it was.
    if (c >= 0x80 && c < 0xA0 && kHighTable[c - 0x80] == kUnassigned)
        return char(c);
    for (std::size_t i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == c && c != kUnassigned)
            return char(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

namespace TextFile {

QString fromCp1252(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        // An unassigned byte keeps its Latin-1 value (a C1 control), as Windows does.
        const char16_t c = (b >= 0x80 && b < 0xA0 && kHighTable[b - 0x80] != kUnassigned)
            ? kHighTable[b - 0x80]
            : char16_t(b);
        text.append(QChar(c));
    }
    return text;
}

std::optional<QByteArray> toCp1252(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const auto byte = cp1252Byte(c.unicode());
        if (!byte)
            return std::nullopt;
        bytes.append(*byte);
    }
    return bytes;
}

QString decode(const QByteArray &bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return QString::fromUtf8(bytes.mid(kUtf8Bom.size()));
    return fromCp1252(bytes);
}

QByteArray encode(const QString &text)
{
    if (auto bytes = toCp1252(text))
        return *bytes;
    return kUtf8Bom + text.toUtf8();
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

Lines readLinesWithin(const QString &path, qint64 maxFileBytes, qint64 maxLineBytes)
{
    QFile file(path);
    if (!FileOps::openForReading(file))
        return {{}, ReadStatus::Unreadable};
    if (file.size() > maxFileBytes)
        return {{}, ReadStatus::TooLarge};

    // Each line is decoded on its own: a CR or LF byte is never part of a
    // UTF-8 sequence, so this gives what decoding the whole file would.
    QStringList lines;
    QByteArray line;
    bool utf8 = false;
    bool first = true;
    bool afterCr = false; // an LF right after a CR ends nothing more
    qint64 total = 0;
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    const auto endLine = [&] {
        // A mark that starts a line is a character of the text.
        lines.append(utf8 ? QStringDecoder(QStringDecoder::Utf8,
                                           QStringDecoder::Flag::Stateless
                                               | QStringDecoder::Flag::ConvertInitialBom)(line)
                          : fromCp1252(line));
        line.clear();
    };
    for (;;) {
        const qint64 n = file.read(chunk.data(), chunk.size());
        if (n < 0)
            return {{}, ReadStatus::Unreadable};
        if (n == 0)
            break;
        total += n;
        if (total > maxFileBytes) // it grew while being read
            return {{}, ReadStatus::TooLarge};
        qsizetype at = 0;
        if (first) {
            first = false;
            const QByteArrayView start(chunk.constData(), n);
            utf8 = start.startsWith(kUtf8Bom);
            at = utf8 ? kUtf8Bom.size() : 0;
            // decode() drops a second mark right after the first, as Qt's UTF-8 decoder does.
            if (utf8 && start.sliced(at).startsWith(kUtf8Bom))
                at += kUtf8Bom.size();
        }
        while (at < n) {
            qsizetype end = at;
            while (end < n && chunk[end] != '\r' && chunk[end] != '\n')
                ++end;
            if (end > at) {
                afterCr = false;
                if (line.size() + (end - at) > maxLineBytes)
                    return {{}, ReadStatus::LineTooLong};
                line.append(chunk.constData() + at, end - at);
            }
            if (end == n)
                break;
            const bool lf = chunk[end] == '\n';
            if (!(lf && afterCr))
                endLine();
            afterCr = !lf;
            at = end + 1;
        }
    }
    if (!line.isEmpty())
        endLine();
    return {lines, ReadStatus::Read};
}

std::optional<QStringList> readLines(const QString &path)
{
    Lines read = readLinesWithin(path);
    if (read.status != ReadStatus::Read)
        return std::nullopt;
    return std::move(read.lines);
}

bool writeLines(const QString &path, const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    QSaveFile file(path);
    // Unbuffered, so that a short write shows here: a buffered write that fails
    // only at commit can still be committed, truncated.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = encode(text);
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace TextFile
