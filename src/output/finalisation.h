#pragma once

#include <QString>

class Platform;
struct SlideshowProject;

// How a finalisation ended.
enum class FinalisationOutcome {
    NotLoaded,   // no project open: nothing done
    NotAllowed,  // the default project or a project in AppDir: nothing done, nothing shown
    PageNotMade, // the page was missing or out of date and was not (or could not be) made
    Declined,    // the user kept the editing files
    Finalised,   // the project file is gone and the project is closed
};

// Strips the open project's folder down to what the browser needs: the
// project file goes, and the frame picture "imgFondCadre.jpg" goes unless the
// page names the table background; page, script, pictures, sound and
// background stay. Before the question, a missing or out-of-date page is
// offered to be made first (without opening the browser), so that a
// finalised folder always plays; declining that leaves everything as it was.
// Afterwards no project is open (saved is set, loaded cleared). The backup
// set is not touched.
FinalisationOutcome FinaliseSlideshow(SlideshowProject &project, const QString &appDir,
                                      Platform &platform);

namespace FinalisationFiles {
inline constexpr auto FramePicture = "imgFondCadre.jpg";
// The text whose presence in the page (any case) keeps the frame picture.
inline constexpr auto TableBackground = "background=imgFondTable.jpg";
} // namespace FinalisationFiles
