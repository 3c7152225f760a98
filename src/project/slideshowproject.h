#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The one open slideshow. The per-slide arrays always have the places 0..200;
// only 0..slideCount-1 are meaningful, and index 200 is never a slide.
struct SlideshowProject
{
    static constexpr int MaxSlides = 200;
    static constexpr int Capacity = MaxSlides + 1;
    static constexpr auto DefaultName = "Nouveau";   // the unnamed default project
    static constexpr auto BackupStem = "aaaa";       // reserved name of the backup set

    QString name;        // project name, stem of every project file
    QString folder;      // absolute project folder, no trailing separator
    QString basePath;    // folder + "/" + name
    QString saveAsName;
    QString saveAsFolder;
    QString header;      // the slideshow header ("Tag=" line)

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

    // The image file of slide n: basePath + n + type.
    QString imagePath(int n) const { return basePath + QString::number(n) + imageTypes[n]; }

    bool isDefaultProject() const { return name == QLatin1String(DefaultName); }
};
