#pragma once

#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>

class Platform;
struct SlideshowProject;

// The main window's side of a capture run, apart from the window itself:
// the hand-over file before the capture window opens, and the JPEG captures
// taken over as new slides once it has closed.
namespace CaptureImport {

// Reads the frame's last position (twips, -999 when not set) back from the
// hand-over file, where a line that cannot be read leaves that value as it
// was, and writes the file anew, proposing the given capture size and that
// position.
void prepareHandOver(const QString &appDir, QSize proposedSize, std::int32_t &savedLeft,
                     std::int32_t &savedTop);

// What the slide editor does for the import.
struct Display
{
    std::function<void()> showCurrentSlide;  // shows project.currentSlide
    std::function<void(int)> showSlideCount; // the slide count label
};

// Appends the JPEG captures ScreenShot_1.jpg, 2, ... (up to the first gap) at
// the end of the slideshow, as far as the 200 slides allow, moving each into
// the project folder, and shows the first new slide. Tells the user how many
// were taken, or why none was. Returns the number of slides added.
int takeOverCaptures(Platform &platform, const QString &appDir, SlideshowProject &project,
                     const Display &display);

} // namespace CaptureImport
