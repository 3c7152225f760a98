#pragma once

#include "platform/appcontext.h"
#include "project/slideshowproject.h"

#include <QFuture>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QWidget>

#include <array>

class PictureButton;
class QFrame;
class SlidePicture;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QToolButton;

// The main window: owns the one open slideshow and every control of the
// editor. The work behind the controls lives in the feature controllers,
// which the wiring (features.cpp) connects to these controls.
class FrmPrincipal : public QWidget
{
    Q_OBJECT
public:
    explicit FrmPrincipal(const AppContext &context, QWidget *parent = nullptr);
    ~FrmPrincipal() override;

    // Ends the window without the silent revert of unsaved work that closing
    // it otherwise does (the quit command has already dealt with the project).
    void closeWithoutRevert();

    // Shows whether a slideshow is open: without one, the picture area says
    // how to start and the buttons that need one look unavailable (they
    // still act when pressed, as they always do).
    void showProjectState();

    SlideshowProject project;

    // ---- controls (C++ name, then objectName when it differs) ----------
    QList<QPixmap> imgSprite; // 36 pictures: normal at even, pressed at odd index

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
    PictureButton *imgOptimiser = nullptr; // photos made lighter for the web

    QScrollArea *imageArea = nullptr; // scrolls imgDiapo when it is larger than the window
    QFrame *lblAccueil = nullptr;      // over the picture area while no slideshow is open
    SlidePicture *imgDiapo = nullptr;
    QCheckBox *chkAjuster = nullptr; // shows a large picture scaled to the view
    QPixmap imgFond;                 // background tile
    QLabel *lblBarre = nullptr;      // the toolbar band
    QLabel *edgeBar = nullptr;       // Label1: the bar down the left edge
    QLabel *statusBand = nullptr;    // Label2: the band along the bottom
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
    void buildControls(); // frmprincipalcontrols.cpp
    void buildLayout();   // frmprincipallayout.cpp
    void startUp();
    void loadBackgroundTile();
    void revertUnsavedWork();

    AppContext m_context;
    QSize m_screenSize; // the screen the window fills
    qreal m_pixelRatio = 1.0;
    int m_tileSize = 44; // toolbar buttons, logical pixels
    // The toolbar's pictures, drawn on another core while the controls are built.
    QFuture<QList<QImage>> m_toolbarDrawing;
    bool m_revertOnClose = true;
};
