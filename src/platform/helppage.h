#pragma once

#include <QString>

struct AppContext;

// Asks the shell to open a help page of the application folder, normally in
// the user's browser. Whether that worked is not looked at: a missing page or
// browser brings no message from Lumivue (the desktop may show its own).
// page: the page's path inside the application folder, e.g. "Aide/AideCD.htm".
void OpenHelpPage(const AppContext &context, const QString &page);
