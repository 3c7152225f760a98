#pragma once

#include <QString>

struct SlideshowProject;

// The slide list's file steps: each keeps the project folder in step with the
// slides, the picture of slide N being basePath + N + its type. No windows and
// no messages here; the callers tell the user what the results mean.
namespace SlideFiles {

// The type a picture file takes in the project, ".jpg" or ".gif", read from
// its content and its name; empty when the file is not a complete, readable
// GIF or JPEG picture (another format, a renamed text file, a cut download).
QString pictureType(const QString &path);

enum class Outcome {
    Done,
    Full,        // the slideshow already holds its 200 slides: nothing done
    NotAPicture, // the file is no readable GIF or JPEG picture: nothing done
    CopyFailed,  // add: the slide is counted without its picture; change: nothing done
};

// Appends a slide showing a copy of source with that caption, as the last
// slide, and makes it the current one. A file left at the new slide's name
// (the picture of a slide deleted at the end) goes first, so that a failed
// copy leaves the slide without a picture rather than with another's.
Outcome appendSlide(SlideshowProject &project, const QString &source, const QString &caption);

// Gives the current slide a copy of source as its picture; a picture of the
// other type goes. A failed copy leaves the slide as it was.
Outcome changeImage(SlideshowProject &project, const QString &source);

struct Deletion
{
    bool done = false;    // false when the slide was the only one: nothing done
    int pictureless = -1; // a slide left without picture by a rename that failed
    QString stuckFile;    // the picture that could not take its new name
    QString unreadable;   // a picture the deletion would touch but cannot read: nothing done
};

// Removes the current slide. The pictures that follow it take the index
// before theirs. When one of them cannot be renamed, the shifting stops there
// and nothing is overwritten: the slides before it are in order, the one it
// should have become stays as a slide without picture and an empty caption,
// and the slides after it keep their pictures. Deleting the last slide
// leaves its picture in the folder (the next add replaces it). A picture this
// user cannot read could not be backed up, so closing without saving could not
// put it back: when the deletion would remove or rename one, nothing is done.
Deletion deleteCurrentSlide(SlideshowProject &project);

} // namespace SlideFiles
