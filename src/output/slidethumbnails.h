#pragma once

#include <QString>
#include <QStringList>

struct SlideshowProject;

// Small JPEG copies of the slides, for the page's thumbnail strip, so that a
// visitor does not download every full picture to see the strip. They live
// in a folder beside the page, basePath + "_vignettes", one per slide, named
// name + index + ".jpg"; the page falls back to the picture itself where one
// is missing. The folder is part of what the browser needs.
namespace SlideThumbnails {

inline constexpr int LongSide = 320;
inline constexpr auto FolderSuffix = "_vignettes";

QString folderOf(const SlideshowProject &project);
QString thumbnailPath(const SlideshowProject &project, int slide);

// Brings the folder in step with the slides and returns the thumbnails it
// wrote. A thumbnail carries the size and time of change of the picture it
// was made from and is made again only when either differs (an older picture
// put back from the backup set counts as changed). Nothing here fails a
// generation: a picture that cannot be read or a thumbnail that cannot be
// written only leaves that slide without a thumbnail.
QStringList update(const SlideshowProject &project);

} // namespace SlideThumbnails
