#include "capture/capturecommands.h"

#include "capture/captureconversion.h"
#include "capture/capturefiles.h"
#include "capture/frmcapture.h"
#include "capture/frmce.h"
#include "capture/handover.h"
#include "capture/screencopy.h"
#include "platform/platform.h"
#include "project/fileops.h"

#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

CaptureCommands::CaptureCommands(const AppContext &context, FrmCE &window)
    : QObject(&window)
    , m_platform(context.platform)
    , m_appDir(context.appDir)
    , m_window(window)
{
    connect(m_window.screenWaitTimer, &QTimer::timeout, this, [this] { ++m_timerTicks; });
}

void CaptureCommands::alert(const QString &text, bool stopIcon)
{
    m_platform.message(text, Platform::Buttons::Ok,
                       stopIcon ? Platform::Icon::Stop : Platform::Icon::Exclamation,
                       QStringLiteral("ALERTE"));
}

void CaptureCommands::takeCapture()
{
    FrmCE &w = m_window;
    if (w.captureHeight > w.screenHeightPx || w.captureHeight < 10 || w.captureWidth < 10
        || w.captureWidth > w.screenWidthPx) {
        alert(QStringLiteral("Valeurs de HAUTEUR et LARGEUR non valides."));
        return;
    }
    // With the overwrite toggle on, the count was lowered: this is the last
    // capture's number again and its files are replaced.
    ++w.captureCount;
    const bool wholeScreen = w.captureHeight == w.screenHeightPx
        && w.captureWidth == w.screenWidthPx;
    const std::optional<QImage> copy = wholeScreen ? copyWholeScreen() : copyThroughFrame();
    if (!copy) {
        --w.captureCount;
        return;
    }
    if (copy->isNull()) {
        --w.captureCount;
        alert(QStringLiteral("Le bureau a refusé la copie de l'écran : elle est revenue vide, "
                             "aucun fichier de capture n'a été écrit.\r\n"
                             "Dans une session Wayland, ouvrez une session X11 pour capturer."));
        return;
    }
    if (!saveBmp(*copy)) {
        alert(QStringLiteral("Impossible d'enregistrer la capture dans le dossier :\r\n%1\r\n"
                             "La capture est annulée.")
                  .arg(QDir::toNativeSeparators(m_appDir)));
        --w.captureCount;
        return;
    }
    showCaptureResult();
}

// The window hides itself for half a second so that it is not in the copy,
// and comes back half a second after it.
std::optional<QImage> CaptureCommands::copyWholeScreen()
{
    m_platform.message(QStringLiteral("Vous avez choisi de capturer l'écran en entier."),
                       Platform::Buttons::Ok, Platform::Icon::None, QString());
    m_timerTicks = 0;
    m_window.hide();
    m_window.screenWaitTimer->start();
    waitForTicks(1);
    QImage copy;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        copy = m_platform.grabScreen(screen->geometry());
    copy = ExactScreenCopy(copy, QSize(m_window.screenWidthPx, m_window.screenHeightPx));
    waitForTicks(2);
    m_window.show();
    m_window.screenWaitTimer->stop();
    return copy;
}

std::optional<QImage> CaptureCommands::copyThroughFrame()
{
    m_window.hide();
    FrmCapture frame(m_platform, QSize(m_window.captureWidth, m_window.captureHeight),
                     QPoint(m_window.captureLeft, m_window.captureTop));
    frame.exec();
    m_window.captureLeft = frame.positionTwips().x();
    m_window.captureTop = frame.positionTwips().y();
    m_window.show();
    if (!frame.captureTaken())
        return std::nullopt;
    return frame.picture();
}

void CaptureCommands::waitForTicks(int ticks)
{
    if (m_timerTicks >= ticks)
        return;
    QEventLoop loop;
    const auto connection = connect(m_window.screenWaitTimer, &QTimer::timeout, &loop, [&] {
        if (m_timerTicks >= ticks)
            loop.quit();
    });
    loop.exec();
    disconnect(connection);
}

bool CaptureCommands::saveBmp(const QImage &copy)
{
    const QByteArray bytes = BitmapBytes(copy);
    return !bytes.isEmpty()
        && FileOps::succeeded(FileOps::write(
            CaptureFiles::path(m_appDir, m_window.captureCount, CaptureFiles::Bmp), bytes));
}

void CaptureCommands::showCaptureResult()
{
    FrmCE &w = m_window;
    w.cmdBMP->hide();
    w.cmdVisu->hide();
    w.cmdRefaire->hide();
    w.lblRefaire->hide();
    w.overwriteLast = false;
    w.setNumeroColour(false);
    w.ShowCaptureCount();

    const bool jpegOnly = w.captureType[2]->isChecked();
    w.cmdBMP->setVisible(!jpegOnly);
    if (w.captureType[0]->isChecked())
        return; // the BMP alone is the result

    w.cmdVisu->show();
    w.cmdRefaire->show();
    w.lblRefaire->show();
    if (!convert())
        return;
    if (jpegOnly) {
        QFile::remove(CaptureFiles::path(m_appDir, w.captureCount, CaptureFiles::Bmp));
        w.cmdRefaire->hide();
    }
}

// Converts the last capture at the quality of the box; a failure keeps the
// BMP so that another try is possible.
bool CaptureCommands::convert()
{
    FrmCE &w = m_window;
    const CaptureConversion::Quality quality = CaptureConversion::qualityFromText(
        w.txtQualite->text());
    if (quality.corrected)
        w.txtQualite->setText(QStringLiteral("100"));
    const CaptureConversion::Result result = CaptureConversion::convert(m_appDir, w.captureCount,
                                                                        quality.value);
    if (!result.succeeded()) {
        w.cmdVisu->hide();
        alert(QStringLiteral("Désolé, la conversion JPG vient d'échouer...\r\n"
                             "Le fichier BMP a été sauvegardé."),
              true);
        w.lblRefaire->setText(QStringLiteral("OUT"));
        return false;
    }
    // A JPEG made after an earlier failure can be looked at again.
    w.cmdVisu->show();
    w.lblRefaire->setText(result.weight.value_or(QStringLiteral("OUT")));
    return true;
}

void CaptureCommands::recreateJpeg()
{
    if (!CaptureFiles::exists(m_appDir, m_window.captureCount, CaptureFiles::Bmp)) {
        alert(QStringLiteral("Le fichier BMP n'existe plus !"));
        return;
    }
    convert();
}

void CaptureCommands::leave()
{
    FrmCE &w = m_window;
    const Platform::Answer answer = m_platform.message(
        QStringLiteral("Vous avez choisi de quitter le module de capture.\r\n"
                       "Voulez-vous sauvegarder les derniers paramètres de capture\r\n"
                       "( position et dimension de capture ) ?"),
        Platform::Buttons::YesNo, Platform::Icon::Exclamation, QStringLiteral("QUITTER"));
    HandOver::write(
        m_appDir,
        answer == Platform::Answer::Yes
            ? HandOver::Values{w.captureWidth, w.captureHeight, w.captureLeft, w.captureTop}
            : HandOver::Values{});
    // The JPEG captures stay for the main window to take over.
    CaptureFiles::deleteAll(m_appDir, CaptureFiles::Bmp);
    w.unload();
}

void CaptureCommands::deleteAll()
{
    if (m_platform.message(
            QStringLiteral(
                "Vous êtes sur le point de détruire toutes les captures du répertoire.\r\n"
                "Voulez-vous les détruire ?"),
            Platform::Buttons::YesNo, Platform::Icon::Stop, QStringLiteral("ALERTE"))
        != Platform::Answer::Yes)
        return;
    CaptureFiles::deleteAll(m_appDir, CaptureFiles::Bmp);
    CaptureFiles::deleteAll(m_appDir, CaptureFiles::Jpg);
    m_window.captureCount = 0;
    m_window.ResetCaptureWindow();
}

void CaptureCommands::deleteBmp()
{
    FrmCE &w = m_window;
    if (m_platform.message(
            QStringLiteral("Vous êtes sur le point de détruire toutes les captures BMP du "
                           "répertoire.\r\n"
                           "Les fichiers JPG seront donc sauvegardés.\r\n"
                           "Voulez-vous détruire les captures BMP ?"),
            Platform::Buttons::YesNo, Platform::Icon::Stop, QStringLiteral("ALERTE"))
        != Platform::Answer::Yes)
        return;
    CaptureFiles::deleteAll(m_appDir, CaptureFiles::Bmp);
    if (w.captureCount == 0)
        return;

    const CaptureFiles::Found found = CaptureFiles::findJpegCaptures(m_appDir);
    w.captureCount = std::int16_t(CaptureFiles::countFound(found));
    if (w.captureCount == 0) {
        w.ResetCaptureWindow();
        return;
    }
    const auto failed = [this] {
        m_platform.message(QStringLiteral("Erreur de transformation de fichier"),
                           Platform::Buttons::Ok, Platform::Icon::None, QString());
    };
    for (int i = CaptureFiles::compactJpegCaptures(m_appDir, found); i > 0; --i)
        failed();

    w.overwriteLast = false;
    w.setNumeroColour(false);
    w.ShowCaptureCount();
    w.selectJpegOnly();
    w.cmdVisu->show();
    w.cmdRefaire->hide();
    if (const auto weight = CaptureFiles::weightOf(m_appDir, w.captureCount, CaptureFiles::Jpg))
        w.lblRefaire->setText(*weight);
    else
        failed();
    w.lblRefaire->show();
}
