#pragma once

#include "project/slideshowproject.h"

#include <QList>
#include <QPixmap>
#include <QStringList>
#include <QWidget>

#include <array>

class Platform;
class PictureButton;
class SlidePicture;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QToolButton;
class QColor;

// The main window: owns the one open slideshow and every control of the
// editor. Dialogs read and write the shared fields below; the work behind the
// controls lives in the feature folders, which connect to these controls.
class FrmPrincipal : public QWidget
{
    Q_OBJECT
public:
    // appDir: the application folder; backupRoot: where the backup set lives.
    FrmPrincipal(Platform &platform, QString appDir, QString backupRoot,
                 QWidget *parent = nullptr);
    ~FrmPrincipal() override;

    Platform &platform() const { return m_platform; }
    const QString &appDir() const { return m_appDir; }
    const QString &backupRoot() const { return m_backupRoot; }

    // Ends the window without the silent revert of unsaved work that closing
    // it otherwise does (the quit command has already dealt with the project).
    void closeWithoutRevert();

    // Gives cmdRich 8 a face of the given colour.
    void setColourButtonFace(const QColor &colour);

    // ---- shared fields -------------------------------------------------
    SlideshowProject project;

    bool showingCaption = false;       // a stored caption is being loaded into the editor
    bool formatControlsArmed = true;   // the font and size lists apply a choice
    bool slideNumberArmed = true;      // the number box reacts to a change of its text
    int savedSelStart = 0;
    int savedSelLength = 0;
    QString lastColour;                // "#RRGGBB" last chosen, "" after a cancel

    QString newSlideCaption;
    QString newImageType;
    bool sorterConfirmed = false;
    std::array<int, SlideshowProject::Capacity> slideOrder{};
    QString chosenTexture;

    std::int32_t displayWidthLimit = 600;
    std::int32_t displayHeightLimit = 350;
    std::int32_t savedCaptureLeft = -999;
    std::int32_t savedCaptureTop = -999;
    bool captureWindowClosed = true;

    QStringList openTags;   // "<i>", "<u>", "<b>", "<s>", "<sup>", "<sub>"
    QStringList closeTags;  // the matching closing tags

    // ---- controls (names are their objectNames) -------------------------
    QList<QPixmap> imgSprite;  // 36 pictures: normal at even, pressed at odd index

    PictureButton *imgFichier = nullptr;
    PictureButton *imgNew = nullptr;
    PictureButton *imgSave = nullptr;
    PictureButton *imgVisual = nullptr;
    PictureButton *imgHelp = nullptr;
    PictureButton *imgInfo = nullptr;
    PictureButton *imgQuitter = nullptr;
    PictureButton *imgDelete = nullptr;
    PictureButton *imgAjouter = nullptr;
    PictureButton *imgChangeDiapo = nullptr;
    PictureButton *imgSaveSous = nullptr;
    PictureButton *imgVisuHTML = nullptr;
    PictureButton *imgModele = nullptr;
    PictureButton *imgChangerFond = nullptr;
    PictureButton *imgCapturer = nullptr;
    PictureButton *imgDidact = nullptr;
    PictureButton *imgVisionneuse = nullptr;

    QScrollArea *imageArea = nullptr;  // scrolls imgDiapo when it is larger than the window
    SlidePicture *imgDiapo = nullptr;
    QCheckBox *chkAjuster = nullptr;   // shows a large picture scaled to the view
    QPixmap imgFond;                   // background tile
    QLabel *lblBarre = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    std::array<QLabel *, 2> lblDiapo{};
    QLabel *lblNomDiapo = nullptr;
    QLabel *lblNbDiapo = nullptr;
    QLabel *lblTag = nullptr;
    QLineEdit *txtEntete = nullptr;
    QLineEdit *txtNumDiapo = nullptr;
    std::array<QPushButton *, 4> cmdDiapo{};
    QLabel *lblLargeur = nullptr;
    QLabel *lblLongueur = nullptr;
    QTextEdit *richtxtTexteInfo = nullptr;
    QLineEdit *txtTexteInfo = nullptr;
    std::array<QToolButton *, 9> cmdRich{};
    QComboBox *comboPolice = nullptr;
    QComboBox *comboTaille = nullptr;
    QPushButton *cmdFinaliser = nullptr;
    QPushButton *cmdChangerModele = nullptr;
    QMenu *CopierColler = nullptr;
    QAction *Copier = nullptr;
    QAction *Coller = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();           // frmprincipalcontrols.cpp
    void buildLayout();             // frmprincipallayout.cpp
    void startUp();
    void loadBackgroundTile();
    void connectFeatures();         // frmprincipalfeatures.cpp
    void revertUnsavedWork();

    Platform &m_platform;
    QString m_appDir;
    QString m_backupRoot;
    QSize m_screenSize;             // the screen the window fills
    qreal m_pixelRatio = 1.0;
    int m_tileSize = 44;            // toolbar buttons, logical pixels
    bool m_revertOnClose = true;
};
