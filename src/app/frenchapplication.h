#pragma once

class QApplication;

// Gives the application its name and version, and makes Qt's own texts
// ("Oui", "Annuler") French whatever the user's locale; numbers keep the
// user's locale. The translator lives as long as the application.
void setUpFrenchApplication(QApplication &app);
