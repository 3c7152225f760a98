#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct SlideshowProject;

// The slideshow script: the template script copied line by line, with its own
// data declarations (lines 7 to 10) replaced by the project's data (block A)
// and its first-slide statements (lines 13 to 16) by the project's first
// slide (block B).
namespace GeneratedScript {

constexpr int MinTemplateLines = 16;

// text as it may stand between double quotes in JavaScript: backslashes and
// double quotes get a backslash before them.
QString jsString(const QString &text);

// RepImage, NBSprite, one Info line per slide, then one TypeImage line per slide.
QStringList blockA(const SlideshowProject &project);
// The first slide's image, the position text, the first caption and the header.
QStringList blockB(const SlideshowProject &project);

// The script's lines, or nothing when the template has fewer than 16 lines.
// The captions are taken as they are held: pad them first (PadCaptionBreaks).
std::optional<QStringList> fromTemplate(const QStringList &templateLines,
                                        const SlideshowProject &project);

} // namespace GeneratedScript
