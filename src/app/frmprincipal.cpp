#include "app/frmprincipal.h"

#include "app/emptyprojecthint.h"
#include "captions/fontnames.h"

#include "platform/appinfo.h"
#include "project/projectstorage.h"
#include "widgets/buttonsprites.h"
#include "widgets/picturebutton.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QScrollArea>
#include <QToolButton>
#include <QtConcurrentRun>

#include <utility>

namespace {

// A quiet linen tile for an application folder that has lost its background.
QPixmap fallbackTile()
{
    QImage tile(64, 64, QImage::Format_RGB32);
    QRandomGenerator grain(1); // fixed seed: the same tile on every start
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x) {
            const int shade = 236 + int(grain.bounded(8));
            tile.setPixel(x, y, qRgb(shade, shade - 2, shade - 9));
        }
    return QPixmap::fromImage(tile);
}

} // namespace

FrmPrincipal::FrmPrincipal(const AppContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(AppInfo::title());
    // paintEvent covers the window with tiles: filling it first with the
    // palette's colour would be a whole screen painted for nothing.
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QScreen *screen = QGuiApplication::primaryScreen();
    m_screenSize = screen->geometry().size();
    m_pixelRatio = screen->devicePixelRatio();
    // The whole toolbar fits in one row from 1280 pixels on; narrower
    // screens get smaller keys.
    m_tileSize = m_screenSize.width() >= 1280 ? ButtonSprites::TileSize
                                              : ButtonSprites::SmallTileSize;
    m_toolbarDrawing = QtConcurrent::run(&ButtonSprites::toolbarImages, m_pixelRatio, m_tileSize);

    buildControls();
    buildLayout();
    startUp();
    lblAccueil = new EmptyProjectHint(imageArea, imgSprite[2], imgSprite[0]);
    showProjectState();
}

FrmPrincipal::~FrmPrincipal() = default;

void FrmPrincipal::startUp()
{
    // The project's flags and the editor's working values start as their
    // declarations give them.

    // The decorative bars span the screen.
    lblBarre->setMinimumWidth(m_screenSize.width());
    statusBand->setMinimumWidth(m_screenSize.width());
    edgeBar->setGeometry(0, 0, edgeBar->width(), m_screenSize.height());
    edgeBar->raise();

    // Button pictures; the capture button keeps its own until first used.
    imgSprite = ButtonSprites::toPixmaps(std::exchange(m_toolbarDrawing, {}).result());
    const std::pair<PictureButton *, int> buttons[] = {
        {imgFichier, 0},      {imgNew, 2},          {imgSave, 4},      {imgVisual, 6},
        {imgHelp, 8},         {imgInfo, 10},        {imgQuitter, 12},  {imgDelete, 14},
        {imgAjouter, 16},     {imgChangeDiapo, 20}, {imgSaveSous, 22}, {imgVisuHTML, 24},
        {imgModele, 26},      {imgChangerFond, 28}, {imgCapturer, 30}, {imgDidact, 32},
        {imgVisionneuse, 34},
    };
    for (const auto &[button, normal] : buttons) {
        button->setPictures(imgSprite[normal], imgSprite[normal + 1]);
        if (button != imgCapturer)
            button->showNormalPicture();
    }
    const auto [webNormal, webPressed] = ButtonSprites::webPictures(m_pixelRatio, m_tileSize);
    imgOptimiser->setPictures(webNormal, webPressed);
    imgOptimiser->showNormalPicture();

    // Every screen font once, by the name a browser knows. Filling the list
    // selects its first entry, so the starting text is put back afterwards.
    const QString startingFont = comboPolice->currentText();
    comboPolice->addItems(FontNames::screenFamilies());
    comboPolice->setCurrentIndex(comboPolice->findText(startingFont));
    comboPolice->setEditText(startingFont);

    // The whole screen, from its top-left corner.
    setGeometry(QGuiApplication::primaryScreen()->geometry());
    setWindowState(windowState() | Qt::WindowFullScreen);

    // The background tile, drawn over the window by paintEvent.
    loadBackgroundTile();
    update();
}

void FrmPrincipal::loadBackgroundTile()
{
    if (!imgFond.load(m_context.appDir + QStringLiteral("/imgFond.jpg")))
        imgFond = fallbackTile();
}

void FrmPrincipal::paintEvent(QPaintEvent *)
{
    if (imgFond.isNull())
        return;
    // Columns 0 .. screen width / tile width + 1, rows likewise, each tile at
    // its own size from the window's origin.
    const QSize tile = imgFond.deviceIndependentSize().toSize();
    const int columns = m_screenSize.width() / tile.width() + 2;
    const int rows = m_screenSize.height() / tile.height() + 2;
    QPainter p(this);
    p.drawTiledPixmap(QRect(0, 0, columns * tile.width(), rows * tile.height()), imgFond);
}

void FrmPrincipal::closeWithoutRevert()
{
    m_revertOnClose = false;
    close();
}

void FrmPrincipal::closeEvent(QCloseEvent *event)
{
    if (m_revertOnClose)
        revertUnsavedWork();
    event->accept();
}

void FrmPrincipal::revertUnsavedWork()
{
    // Closing the window throws away what was not saved, without a question.
    // With no project open there is nothing to put back and no file is touched.
    if (!project.loaded)
        return;
    ProjectStorage(project, m_context.backupRoot).RevertToBackup();
}

void FrmPrincipal::showProjectState()
{
    const bool open = project.loaded;
    lblAccueil->setVisible(!open);
    for (PictureButton *button :
         {imgSave, imgSaveSous, imgVisual, imgVisuHTML, imgDelete, imgAjouter, imgChangeDiapo,
          imgChangerFond, imgCapturer, imgVisionneuse, imgOptimiser})
        button->setDimmed(!open);
    // The finalisation key is a plain button: its picture fades the same way.
    QGraphicsOpacityEffect *fade = nullptr;
    if (!open) {
        fade = new QGraphicsOpacityEffect(cmdFinaliser);
        fade->setOpacity(PictureButton::DimmedOpacity);
    }
    cmdFinaliser->setGraphicsEffect(fade); // the previous one goes
}
