#include "app/frmprincipal.h"

#include "widgets/buttonsprites.h"
#include "widgets/picturebutton.h"
#include "platform/appinfo.h"
#include "project/projectstorage.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QToolButton>

namespace {

QString withoutTrailingSeparator(QString folder)
{
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
        folder.chop(1);
    return folder;
}

// A quiet linen tile for an application folder that has lost its background.
QPixmap fallbackTile()
{
    QImage tile(64, 64, QImage::Format_RGB32);
    QRandomGenerator grain(1);   // fixed seed: the same tile on every start
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x) {
            const int shade = 236 + int(grain.bounded(8));
            tile.setPixel(x, y, qRgb(shade, shade - 2, shade - 9));
        }
    return QPixmap::fromImage(tile);
}

} // namespace

FrmPrincipal::FrmPrincipal(Platform &platform, QString appDir, QString backupRoot,
                           QWidget *parent)
    : QWidget(parent), m_platform(platform), m_appDir(withoutTrailingSeparator(std::move(appDir))),
      m_backupRoot(std::move(backupRoot))
{
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(AppInfo::title());
    const QScreen *screen = QGuiApplication::primaryScreen();
    m_screenSize = screen->geometry().size();
    m_pixelRatio = screen->devicePixelRatio();
    // The whole toolbar fits in one row from 1280 pixels on; narrower
    // screens get smaller keys.
    m_tileSize = m_screenSize.width() >= 1280 ? ButtonSprites::TileSize : ButtonSprites::SmallTileSize;

    buildControls();
    buildLayout();
    startUp();
    connectFeatures();
}

FrmPrincipal::~FrmPrincipal() = default;

void FrmPrincipal::startUp()
{
    // 1. Project flags and the working values of the editor.
    project.saved = true;
    project.htmlGenerated = true;
    project.loaded = false;
    formatControlsArmed = true;
    savedSelStart = 0;
    savedSelLength = 0;
    lastColour.clear();
    slideNumberArmed = true;

    // 2. The decorative bars span the screen.
    lblBarre->setMinimumWidth(m_screenSize.width());
    Label2->setMinimumWidth(m_screenSize.width());
    Label1->setGeometry(0, 0, Label1->width(), m_screenSize.height());
    Label1->raise();

    // 3. Button pictures; the capture button keeps its own until first used.
    imgSprite = ButtonSprites::toolbarPictures(m_pixelRatio, m_tileSize);
    const std::pair<PictureButton *, int> buttons[] = {
        {imgFichier, 0},      {imgNew, 2},          {imgSave, 4},         {imgVisual, 6},
        {imgHelp, 8},         {imgInfo, 10},        {imgQuitter, 12},     {imgDelete, 14},
        {imgAjouter, 16},     {imgChangeDiapo, 20}, {imgSaveSous, 22},    {imgVisuHTML, 24},
        {imgModele, 26},      {imgChangerFond, 28}, {imgCapturer, 30},    {imgDidact, 32},
        {imgVisionneuse, 34},
    };
    for (const auto &[button, normal] : buttons) {
        button->setPictures(imgSprite[normal], imgSprite[normal + 1]);
        if (button != imgCapturer)
            button->showNormalPicture();
    }

    // 4. Style tags of the caption HTML, opening and closing in the same order.
    openTags = {QStringLiteral("<i>"), QStringLiteral("<u>"), QStringLiteral("<b>"),
                QStringLiteral("<s>"), QStringLiteral("<sup>"), QStringLiteral("<sub>")};
    closeTags = {QStringLiteral("</i>"), QStringLiteral("</u>"), QStringLiteral("</b>"),
                 QStringLiteral("</s>"), QStringLiteral("</sup>"), QStringLiteral("</sub>")};

    // 5. Every screen font once (the font database lists each family once,
    // sorted by name). Filling the list selects its first entry, so the
    // starting text is put back afterwards.
    const QString startingFont = comboPolice->currentText();
    comboPolice->addItems(QFontDatabase::families());
    comboPolice->setCurrentIndex(comboPolice->findText(startingFont));
    comboPolice->setEditText(startingFont);

    // 6. Capture size and position.
    displayWidthLimit = 600;
    displayHeightLimit = 350;
    savedCaptureLeft = -999;
    savedCaptureTop = -999;

    // 7. The whole screen, from its top-left corner.
    setGeometry(QGuiApplication::primaryScreen()->geometry());
    setWindowState(windowState() | Qt::WindowFullScreen);

    // 8. The background tile, drawn over the window by paintEvent.
    loadBackgroundTile();
    update();
}

void FrmPrincipal::loadBackgroundTile()
{
    if (!imgFond.load(m_appDir + QStringLiteral("/imgFond.jpg")))
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

void FrmPrincipal::setColourButtonFace(const QColor &colour)
{
    QToolButton *button = cmdRich[8];
    button->setIcon(ButtonSprites::colourSwatch(m_pixelRatio, 20, colour));
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
    ProjectStorage(project, m_backupRoot).RevertToBackup();
}
