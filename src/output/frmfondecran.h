#pragma once

#include "platform/appcontext.h"

#include <QDialog>
#include <QString>

#include <optional>

class HelpButton;
class PatternFileList;
class PicturePreview;
class QLabel;
class QPushButton;
class QScrollBar;

// The background chooser: walks the textures of AppDir/Textures one at a
// time with a scroll bar, beside the project's current background, and
// returns the texture confirmed with OK. It changes no file.
class FrmFondEcran : public QDialog
{
    Q_OBJECT
public:
    // projectFolder: where the current "imgFond.jpg" is (none shown when
    // empty); startTexture: the texture shown first when it is listed.
    FrmFondEcran(const AppContext &context, const QString &projectFolder,
                 const QString &startTexture, QWidget *parent = nullptr);

    // The file name confirmed with OK; nothing after Annuler, after closing
    // the window, or when there was no texture to confirm.
    const std::optional<QString> &choice() const { return m_choice; }

    // ---- controls (C++ name, then objectName when it differs) ----------
    HelpButton *cmdHelp = nullptr;
    QLabel *previewHeading = nullptr;            // Label3
    PicturePreview *texturePreview = nullptr;    // Image1
    QLabel *textureName = nullptr;               // Label1
    QScrollBar *textureScroll = nullptr;         // HScroll1
    QLabel *currentHeading = nullptr;            // Label2
    PicturePreview *currentBackground = nullptr; // Image2
    PatternFileList *textureFiles = nullptr;     // File1, not shown
    QPushButton *okButton = nullptr;             // Command1
    QPushButton *cancelButton = nullptr;         // Command2

private:
    void buildLayout(const AppContext &context);
    void showTexture(int position);
    void okClicked();

    QString m_texturesFolder;
    std::optional<QString> m_choice;
};
