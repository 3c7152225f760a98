#pragma once

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>

// The one open slideshow. The per-slide arrays always have the places 0..200;
// only 0..slideCount-1 are meaningful, and index 200 is never a slide.
struct SlideshowProject
{
    static constexpr int MaxSlides = 200;
    static constexpr int Capacity = MaxSlides + 1;
    static constexpr auto DefaultName = "Nouveau"; // the unnamed default project
    static constexpr auto BackupStem = "aaaa";     // reserved name of the backup set

    QString name;     // project name, stem of every project file
    QString folder;   // absolute project folder, no trailing separator
    QString basePath; // folder + "/" + name
    QString saveAsName;
    QString saveAsFolder;
    QString header; // the slideshow header ("Tag=" line)

    std::int16_t slideCount = 0;
    std::int16_t currentSlide = 0;

    bool saved = true;
    bool htmlGenerated = true;
    bool loaded = false;

    std::array<QString, Capacity> slideLines;       // caption HTML of each slide
    std::array<QString, Capacity> imageTypes;       // ".gif" or ".jpg", project folder
    std::array<QString, Capacity> backupImageTypes; // image types of the backup set

    // Keeps basePath in step with folder and name.
    void updateBasePath() { basePath = folder + QLatin1Char('/') + name; }

    // slideCount as a number of slides to walk through: 0 .. MaxSlides
    // whatever the field holds.
    int boundedSlideCount() const { return std::clamp<int>(slideCount, 0, MaxSlides); }

    // The image file of slide n of the project whose files start with base:
    // base + n + type.
    static QString imagePathOf(const QString &base, int n, const QString &type)
    {
        return base + QString::number(n) + type;
    }
    // The image file of slide n of this project.
    QString imagePath(int n) const { return imagePathOf(basePath, n, imageTypes[n]); }

    bool isDefaultProject() const { return name == QLatin1String(DefaultName); }
};
