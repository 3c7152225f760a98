#pragma once

#include "editor/slidefiles.h"

#include <QStringList>

class Platform;
struct SlideshowProject;

// The slide commands' dialogue with the user around the file steps of
// SlideFiles: the questions of the delete, and what went wrong with an add,
// a change or a drop, always in a message naming the file.
namespace SlideEdits {

// Tells the user what an add or a change of source could not do (nothing
// for a success); slide is the slide concerned.
void report(Platform &platform, SlideFiles::Outcome outcome, const QString &source, int slide,
            bool adding);

// The refusal shown when the picked file is no GIF or JPEG picture.
void refuseNotAPicture(Platform &platform, const QString &source);

// Asks, deletes the current slide and tells of a rename that failed.
// Returns whether the slides changed.
bool DeleteCurrentSlide(Platform &platform, SlideshowProject &project);

// Appends the dropped files, in their order, as far as the 200 slides allow,
// each as an added slide with an empty caption; refuses the rest with one
// message that says how many were added. The first new slide becomes the
// current one. Returns the number of slides added.
int dropPictures(Platform &platform, SlideshowProject &project, const QStringList &files);

} // namespace SlideEdits
