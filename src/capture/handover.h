#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The hand-over file AppDir/Passage, through which the main window and the
// capture window pass the capture size and the frame's position to each
// other: four lines, width and height in pixels, left and top in twips
// (-999 for a top not set, which centres the frame).
namespace HandOver {

constexpr std::int32_t NotSet = -999;

struct Values
{
    std::int32_t width = 600;
    std::int32_t height = 350;
    std::int32_t left = NotSet;
    std::int32_t top = NotSet;
};

QString path(const QString &appDir);

// The file's lines as they are; nothing when it cannot be read.
std::optional<QStringList> readLines(const QString &appDir);

// Writes the four values, one per line; false when the file cannot be written
// (the previous file then stays as it was).
bool write(const QString &appDir, const Values &values);

} // namespace HandOver
