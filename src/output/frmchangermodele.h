#pragma once

#include "platform/appcontext.h"

#include <QDialog>
#include <QString>

#include <optional>

class BrowseFolderList;
class FolderBrowser;
class HelpButton;
class PatternFileList;
class PicturePreview;
class QLabel;
class QPushButton;
class TemplatePreview;

// The template chooser: the user picks a page design among the "*.htm" files
// of AppDir/Modeles (and, for "Image.htm", the picture behind its frame) and
// confirms it with applyButton. The chooser changes no file: the caller reads
// choice() once it is closed and puts the template in place. Its state starts
// afresh with each window, which is destroyed on close.
class FrmChangerModele : public QDialog
{
    Q_OBJECT
public:
    struct Choice
    {
        QString templateName; // a file name of AppDir/Modeles
        QString framePicture; // full path of the frame picture, "" when none was chosen
    };

    FrmChangerModele(const AppContext &context, QWidget *parent = nullptr);

    // The file name last clicked in the template list.
    const QString &chosenTemplate() const { return m_chosenTemplate; }
    // The confirmed choice; nothing when the chooser was left without one.
    const std::optional<Choice> &choice() const { return m_choice; }

    // ---- controls (C++ name, then objectName when it differs) ----------
    HelpButton *cmdHelp = nullptr;
    QPushButton *cmdOpen = nullptr;
    BrowseFolderList *templateFolders = nullptr; // Dir1
    PatternFileList *templateFiles = nullptr;    // File1
    QLabel *frameCaption = nullptr;              // Label2
    BrowseFolderList *frameFolders = nullptr;    // Dir2
    PatternFileList *framePictures = nullptr;    // File2
    PicturePreview *imgVisu = nullptr;
    QPushButton *applyButton = nullptr; // Command1
    TemplatePreview *imgApercu = nullptr; // the design last clicked in the template list

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout(const AppContext &context);
    void connectControls();
    void openAtTemplateFolder();

    void cmdOpenClicked();
    void templateFolderChanged();
    void templateClicked();
    void frameFolderChanged();
    void framePictureClicked();
    void applyClicked();

    void showTemplatesWhenInTemplateFolder();
    void setFramePickerVisible(bool visible);
    QString chosenFramePicture() const;

    AppContext m_context;
    QString m_templateFolder;
    FolderBrowser *m_templateBrowser = nullptr;
    FolderBrowser *m_frameBrowser = nullptr;
    QString m_chosenTemplate;
    std::optional<Choice> m_choice;
    bool m_centred = false;
};
