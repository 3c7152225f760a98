#pragma once

#include <QString>

class Platform;

// The help pages of the application folder, by the window whose help button
// opens them. Paths are relative to the application folder.
namespace HelpPage {
inline constexpr auto Contents = "/Aide/AideCD.htm";          // main window, "Aide"
inline constexpr auto Tutorial = "/Exemples/Didacticiel.htm"; // main window, "Didacticiel"
inline constexpr auto AddPicture = "/Aide_Contextuelle/AjouterImage.htm";
inline constexpr auto ChangePicture = "/Aide_Contextuelle/ChangerImage.htm";
inline constexpr auto OpenProject = "/Aide_Contextuelle/OuvrirProjet.htm";
inline constexpr auto SaveAs = "/Aide_Contextuelle/EnregistrerSous.htm";
inline constexpr auto Background = "/Aide_Contextuelle/ChangerFond.htm";
inline constexpr auto Template = "/Aide_Contextuelle/ChangerModele.htm";
inline constexpr auto TextColour = "/Aide_Contextuelle/CouleurTexte.htm";
inline constexpr auto SlideSorter = "/Aide_Contextuelle/Vision.htm";
inline constexpr auto Capture = "/AideCapture/index.htm";
} // namespace HelpPage

// Asks the shell to open a help page in the user's browser. Whether that
// worked is not looked at: a missing page or browser brings no message from
// Lumivue (the desktop may show its own).
void OpenHelpPage(Platform &platform, const QString &appDir, const QString &relativePath);
