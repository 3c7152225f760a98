#include "capture/handover.h"

#include "project/textfile.h"

namespace HandOver {

QString path(const QString &appDir) { return appDir + QStringLiteral("/Passage"); }

std::optional<QStringList> readLines(const QString &appDir)
{
    // Four short numbers: anything much larger is not a hand-over file.
    constexpr qint64 maxBytes = 4096;
    TextFile::Lines read = TextFile::readLinesWithin(path(appDir), maxBytes, maxBytes);
    if (read.status != TextFile::ReadStatus::Read)
        return std::nullopt;
    return std::move(read.lines);
}

bool write(const QString &appDir, const Values &values)
{
    return TextFile::writeLines(path(appDir),
                                {QString::number(values.width), QString::number(values.height),
                                 QString::number(values.left), QString::number(values.top)});
}

} // namespace HandOver
