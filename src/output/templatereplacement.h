#pragma once

#include <QString>

// Puts another page design in the place of AppDir/Nouveau.htm. The page is
// always taken from AppDir/Modeles itself. The template "Image.htm" also
// brings a frame background picture, copied to AppDir/imgFondTable.jpg and
// AppDir/Modeles/imgFondTable.jpg.
namespace TemplateReplacement {

// The template whose frame shows a picture.
inline constexpr auto FramedTemplate = "Image.htm";

struct Result
{
    enum class Page {
        Replaced,      // Nouveau.htm is now a copy of the template
        SourceMissing, // no such template in Modeles: Nouveau.htm untouched
        WriteFailed,   // the copy could not be written: Nouveau.htm untouched
    };
    enum class Frame {
        NotNeeded,     // the template has no frame picture, or the page failed
        Replaced,      // both frame pictures are now copies of the chosen one
        NotChosen,     // no picture was chosen: the frame pictures are kept
        SourceMissing, // the chosen picture cannot be read: the frame pictures are kept
        WriteFailed,   // a frame picture could not be written and kept its content
    };
    Page page = Page::Replaced;
    Frame frame = Frame::NotNeeded;

    bool succeeded() const
    {
        return page == Page::Replaced && (frame == Frame::NotNeeded || frame == Frame::Replaced);
    }
};

// templateName: a file name of AppDir/Modeles. framePicture: the full path of
// the picture chosen for "Image.htm" (empty when none was chosen); ignored for
// any other template. When the page cannot be replaced nothing changes.
// backupRoot holds the journal that keeps the page and its frame pictures
// together should the run be cut short.
Result replaceTemplate(const QString &appDir, const QString &templateName,
                       const QString &framePicture, const QString &backupRoot);

// The text telling the user what could not be changed; empty on success.
QString failureText(const Result &result, const QString &templateName, const QString &framePicture);

} // namespace TemplateReplacement
