#pragma once

#include "platform/appcontext.h"

#include <QDialog>

#include <optional>

class BrowseFolderList;
class DriveList;
class FolderBrowser;
class HelpButton;
class PatternFileList;
class PicturePreview;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The picture chooser of the slide commands, in two kinds: the add chooser
// (frmFichierImage), which also takes the new slide's caption, and the change
// chooser (frmChangerImage). It browses GIF and JPEG files, previews the
// clicked one with its size and weight, and hands back the picked file; it
// copies nothing. Created once and only hidden between uses, so it opens
// where it was left.
class ImageChooser : public QDialog
{
    Q_OBJECT
public:
    enum class Kind {
        Add,
        Change
    };
    struct Pick
    {
        QString file;    // absolute path of the picked picture
        QString caption; // add chooser: the caption typed, one line
    };

    static const QString CaptionPrompt; // the caption box's proposed text

    ImageChooser(Kind kind, const AppContext &context, QWidget *parent = nullptr);

    // Shows the chooser modally; no value when the user gave up (the
    // "QUITTER" question answered Yes, Escape or the window's close button).
    std::optional<Pick> choose();

    QString folder() const;
    void setFolder(const QString &folder);

    DriveList *Drive1 = nullptr;
    BrowseFolderList *Dir1 = nullptr;
    PatternFileList *File1 = nullptr;
    PicturePreview *imgDiapo = nullptr;
    QLabel *lblImage = nullptr;        // size in pixels and weight of the previewed file
    QPlainTextEdit *txtInfo = nullptr; // add chooser only
    QPushButton *cmdStop = nullptr;    // "OK"
    HelpButton *cmdHelp = nullptr;

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    void fileClicked();
    void okPressed();
    bool wantsToQuit(const QString &reason);

    Kind m_kind;
    AppContext m_context;
    FolderBrowser *m_browser = nullptr;
    std::optional<Pick> m_pick;
};
