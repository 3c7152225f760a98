#pragma once

#include <QString>

class Platform;

// What every feature may need of its surroundings: the desktop seam and the
// two folders Lumivue keeps per user. Handed to the feature controllers by
// the wiring of the main window; it outlives them all.
struct AppContext
{
    Platform &platform;
    QString appDir;     // the application folder, no trailing separator
    QString backupRoot; // where the backup set of the open project lives
};
