#pragma once

#include <QString>

// The application's name and version, as the window title, the message boxes
// and the command line show them. The version is the project's, from the build.
namespace AppInfo {

inline QString name() { return QStringLiteral("Lumivue"); }

inline QString version() { return QStringLiteral(LUMIVUE_VERSION); }

// "Lumivue 2.1": the main window's caption.
inline QString title() { return name() + QLatin1Char(' ') + version(); }

} // namespace AppInfo
