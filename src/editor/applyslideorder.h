#pragma once

#include <QString>

#include <functional>
#include <vector>

class Platform;
struct SlideshowProject;

// Renames a file to a free name; false when it could not, nothing changed.
using RenameStep = std::function<bool(const QString &source, const QString &target)>;

// Puts the slides in the order chosen in the sorter: order[p] is the index of
// the slide that goes to position p, a permutation of 0 .. slideCount - 1.
// The pictures are renamed, never copied: each moving picture first to a
// temporary name, then to the name of its new position. Every source and
// every name needed is checked before the first rename. When anything fails,
// every picture is put back under its old name, the slides stay as they were
// and the user is told in French; returns false then. On success the
// captions and image types follow their pictures and the project is marked
// unsaved and its page out of date. rename is the file step (a seam for tests).
bool ApplySlideOrder(SlideshowProject &project, const std::vector<int> &order, Platform &platform,
                     const RenameStep &rename = {});
