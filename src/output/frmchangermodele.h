#pragma once

#include "output/templatereplacement.h"

#include <QDialog>
#include <QString>

#include <optional>

class BrowseFolderList;
class PatternFileList;
class Platform;
class QLabel;
class QPushButton;
class TemplatePreview;

// The template chooser: the user picks a page design among the "*.htm" files
// of AppDir/Modeles (and, for "Image.htm", the picture behind its frame);
// Command1 puts it in the place of AppDir/Nouveau.htm after a confirmation.
// Its state starts afresh with each window, which is destroyed on close.
class FrmChangerModele : public QDialog
{
    Q_OBJECT
public:
    FrmChangerModele(Platform &platform, QString appDir, QWidget *parent = nullptr);

    // The file name last clicked in File1.
    const QString &chosenTemplate() const { return m_chosenTemplate; }
    // What the last confirmed replacement did; empty when nothing was replaced.
    const std::optional<TemplateReplacement::Result> &change() const { return m_change; }

    // ---- controls (names are their objectNames) -------------------------
    QPushButton *cmdHelp = nullptr;
    QPushButton *cmdOpen = nullptr;
    BrowseFolderList *Dir1 = nullptr;
    PatternFileList *File1 = nullptr;
    QLabel *Label2 = nullptr;
    BrowseFolderList *Dir2 = nullptr;
    PatternFileList *File2 = nullptr;
    QLabel *imgVisu = nullptr;
    QPushButton *Command1 = nullptr;
    // Preview of the design last clicked in File1.
    TemplatePreview *imgApercu = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    void connectControls();
    void openAtTemplateFolder();

    void cmdHelpClicked();
    void cmdOpenClicked();
    void dir1Changed(const QString &path);
    void file1Clicked();
    void dir2Changed(const QString &path);
    void file2Clicked();
    void command1Clicked();

    QString templateFolder() const;
    void showFile1WhenInTemplateFolder();
    void setFramePickerVisible(bool visible);
    QString chosenFramePicture() const;

    Platform &m_platform;
    QString m_appDir;
    QString m_chosenTemplate;
    std::optional<TemplateReplacement::Result> m_change;
    bool m_centred = false;
};
