#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The numbered capture files of the application folder:
// AppDir/ScreenShot_<n>.bmp and AppDir/ScreenShot_<n>.jpg, n from 1.
namespace CaptureFiles {

inline const QString Bmp = QStringLiteral(".bmp");
inline const QString Jpg = QStringLiteral(".jpg");

// Numbers that a clean-up of the folder and an import look at.
constexpr int SweepLimit = 100;
// Numbers that the renumbering after a BMP clean-up looks at.
constexpr int MaxCaptureNumber = 200;

QString path(const QString &appDir, int n, const QString &extension);
bool exists(const QString &appDir, int n, const QString &extension);

// Deletes capture files 1..100 of one kind; those that cannot go stay.
void deleteAll(const QString &appDir, const QString &extension);

// How many JPEG captures follow one another from number 1 without a gap,
// looking no further than limit.
int jpegRun(const QString &appDir, int limit = SweepLimit);

// A JPEG's weight as the capture window shows it: kilobytes of 1000 bytes,
// rounded to the nearest (a half to the even neighbour), and " ko".
QString weightText(std::int64_t bytes);
// The weight text of a capture file; nothing when its length cannot be read.
std::optional<QString> weightOf(const QString &appDir, int n, const QString &extension);

// Which JPEG captures exist among 1..MaxCaptureNumber (index 0 unused).
using Found = std::array<bool, MaxCaptureNumber + 1>;
Found findJpegCaptures(const QString &appDir);
int countFound(const Found &found);

// Renames the JPEG captures so that they run from 1 without gaps, in their
// old order. A rename that fails is counted and the renumbering goes on as
// if it had been done, so every later file still gets its turn. Returns the
// number of renames that failed.
int compactJpegCaptures(const QString &appDir, Found found);

} // namespace CaptureFiles
