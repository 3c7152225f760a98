#pragma once

#include <QString>
#include <QStringList>

class Platform;
struct SlideshowProject;

// What one generation of the browser slideshow did.
struct GenerationResult
{
    enum class Outcome {
        NotLoaded,        // no project open: nothing done
        RefusedUnnamed,   // the default project "Nouveau": refused with a message
        RefusedUnsaved,   // unsaved changes: refused with a message
        Generated,        // page, script and sound written
        TemplateMissing,  // a template could not be read
        TemplateTooShort, // a template has fewer lines than the line map needs
        TemplateTooLarge, // a template is over the size or line length a text file may have
        SoundMissing,     // the sound of AppDir could not be read
        WriteFailed,      // a file of the project folder could not be written
    };
    Outcome outcome = Outcome::NotLoaded;
    // The file concerned by a failure (template, sound or file being written).
    QString failedPath;
    // The files written, page, script and sound first, then any background
    // picture that was copied into the project folder, then the thumbnails
    // made anew.
    QStringList writtenFiles;
    // The slides, by number, whose picture file is missing: the page is
    // written all the same and shows no picture for them.
    QList<int> missingPictures;

    bool generated() const { return outcome == Outcome::Generated; }
};

// Whether a successful generation shows the page in the browser.
enum class AfterGeneration {
    OpenPage,
    StayHere
};

// Makes the slideshow of the open project in its folder: the page and the
// script from the templates of appDir, and a copy of the sound. Either all
// three are replaced or none is; a failure is told to the user and leaves the
// previous files and the project as they were. On success the captions keep
// the breaks added by PadCaptionBreaks, htmlGenerated is set, the background
// pictures that the page names are copied from appDir when the folder lacks
// them, the slides' thumbnails are brought up to date, and with OpenPage the
// page is handed to the shell. Slides whose picture is missing are named in
// a warning, and the page is written all the same.

GenerationResult GenerateSlideshow(SlideshowProject &project, const QString &appDir,
                                   Platform &platform,
                                   AfterGeneration after = AfterGeneration::OpenPage);

// The files and names the generation works with.
namespace SlideshowFiles {
inline constexpr auto TemplatePage = "Nouveau.htm";
inline constexpr auto TemplateScript = "Nouveau.js";
inline constexpr auto Sound = "sohifrm2.wav";
// Background pictures a page may name; each is copied beside the page.
QStringList backgroundPictures();
// The generated page of a project: folder + "/" + name + ".htm".
QString pagePath(const SlideshowProject &project);
} // namespace SlideshowFiles

// The warning that names the slides without a picture (at most the first ten).
QString missingPicturesText(const QList<int> &slides);
