#include "capture/frmce.h"

#include "capture/capturecommands.h"
#include "capture/capturefiles.h"
#include "capture/handover.h"
#include "capture/integerpart.h"
#include "platform/platform.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

namespace {

const QString CountTip = QStringLiteral("indique le nombre de captures effectuées");
const QString OverwriteTip = QStringLiteral(
    "ALERTE!!!La prochaine capture va effacer la dernière capture effectuée !");

// Programs cannot read other windows' pixels in a Wayland session: copies
// come back empty or black, whatever Qt platform runs inside it.
bool screenCopiesRefused()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"))
        || qEnvironmentVariable("XDG_SESSION_TYPE")
               .compare(QLatin1String("wayland"), Qt::CaseInsensitive)
        == 0;
}

} // namespace

FrmCE::FrmCE(const AppContext &context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmCE"));
    setWindowTitle(QStringLiteral("Module de capture d'écran"));
    buildControls();
    m_commands = new CaptureCommands(m_context, *this);
    connectControls();
    load();
}

FrmCE::~FrmCE() = default;

void FrmCE::connectControls()
{
    connect(txtLargeur, &QLineEdit::textChanged, this,
            [this](const QString &text) { captureWidth = IntegerPart(text); });
    connect(txtHauteur, &QLineEdit::textChanged, this,
            [this](const QString &text) { captureHeight = IntegerPart(text); });
    for (int i = 0; i < 4; ++i) {
        connect(cmdLargeur[i], &QPushButton::pressed, this,
                [this, i] { sizeButtonPressed(txtLargeur, i, false); });
        connect(cmdHauteur[i], &QPushButton::pressed, this,
                [this, i] { sizeButtonPressed(txtHauteur, i, true); });
        connect(cmdLargeur[i], &QPushButton::released, this, [this] { m_released = true; });
        connect(cmdHauteur[i], &QPushButton::released, this, [this] { m_released = true; });
    }
    connect(repeatTimer, &QTimer::timeout, this, &FrmCE::repeatTick);
    for (int i = 0; i < 3; ++i)
        connect(captureType[i], &QRadioButton::clicked, this, [this, i] { optionClicked(i); });
    txtQualite->installEventFilter(this);
    connect(cmdNumero, &QPushButton::clicked, this, &FrmCE::cmdNumeroClicked);
    connect(cmdVisu, &QPushButton::clicked, this, [this] {
        showCaptureFile(CaptureFiles::Jpg, QStringLiteral("Le fichier JPG n'existe plus !"));
    });
    connect(cmdBMP, &QPushButton::clicked, this, [this] {
        showCaptureFile(CaptureFiles::Bmp, QStringLiteral("Le fichier BMP n'existe plus !"));
    });
    connect(takeButton, &QPushButton::clicked, m_commands, &CaptureCommands::takeCapture);
    connect(leaveButton, &QPushButton::clicked, m_commands, &CaptureCommands::leave);
    connect(deleteAllButton, &QPushButton::clicked, m_commands, &CaptureCommands::deleteAll);
    connect(deleteBmpButton, &QPushButton::clicked, m_commands, &CaptureCommands::deleteBmp);
    connect(cmdRefaire, &QPushButton::clicked, m_commands, &CaptureCommands::recreateJpeg);
}

void FrmCE::load()
{
    // Capture sizes are device pixels, so that a capture on a scaled screen
    // is as sharp as the screen itself.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const qreal ratio = screen->devicePixelRatio();
        screenWidthPx = qRound(screen->geometry().width() * ratio);
        screenHeightPx = qRound(screen->geometry().height() * ratio);
    }

    if (const auto lines = HandOver::readLines(m_context.appDir)) {
        if (lines->size() > 0)
            txtLargeur->setText(lines->at(0));
        if (lines->size() > 1)
            txtHauteur->setText(lines->at(1));
        if (lines->size() > 2)
            captureLeft = IntegerPart(lines->at(2));
        if (lines->size() > 3)
            captureTop = IntegerPart(lines->at(3));
    }
    if (txtLargeur->text().isEmpty()) {
        txtLargeur->setText(QStringLiteral("600"));
        txtHauteur->setText(QStringLiteral("350"));
    }
    captureWidth = IntegerPart(txtLargeur->text());
    captureHeight = IntegerPart(txtHauteur->text());

    // Every opening starts without capture files.
    CaptureFiles::deleteAll(m_context.appDir, CaptureFiles::Bmp);
    CaptureFiles::deleteAll(m_context.appDir, CaptureFiles::Jpg);
    if (CaptureFiles::exists(m_context.appDir, 1, CaptureFiles::Bmp)
        || CaptureFiles::exists(m_context.appDir, 1, CaptureFiles::Jpg)) {
        m_context.platform.message(
            QStringLiteral("Il existe encore au moins un fichier de capture dans le répertoire.\r\n"
                           "Lancer une nouvelle capture va effacer ces fichiers !"),
            Platform::Buttons::Ok, Platform::Icon::Exclamation, QStringLiteral("ALERTE"));
    }
    if (screenCopiesRefused()) {
        m_context.platform.message(
            QStringLiteral("Votre session de bureau (Wayland) ne laisse pas Lumivue copier "
                           "l'écran : les captures resteraient vides ou noires.\r\n"
                           "Pour capturer l'écran, quittez la session et ouvrez une session X11 "
                           "(« Xorg » ou « X11 » dans le choix de session de l'écran de "
                           "connexion), puis relancez Lumivue."),
            Platform::Buttons::Ok, Platform::Icon::Exclamation, QStringLiteral("ALERTE"));
    }
}

void FrmCE::ShowCaptureCount()
{
    cmdNumero->setText(QString::number(captureCount));
    cmdNumero->setToolTip(overwriteLast ? OverwriteTip : CountTip);
}

void FrmCE::ResetCaptureWindow()
{
    overwriteLast = false;
    setNumeroColour(false);
    ShowCaptureCount();
    selectJpegOnly();
    for (QWidget *result : {static_cast<QWidget *>(cmdBMP), static_cast<QWidget *>(cmdVisu),
                            static_cast<QWidget *>(cmdRefaire), static_cast<QWidget *>(lblRefaire)})
        result->hide();
}

void FrmCE::selectJpegOnly()
{
    captureType[2]->setChecked(true);
    optionClicked(2);
}

void FrmCE::optionClicked(int index)
{
    lblQualite->setVisible(index != 0);
    txtQualite->setVisible(index != 0);
}

void FrmCE::sizeButtonPressed(QLineEdit *box, int button, bool height)
{
    m_repeatBox = box;
    m_repeatButton = button;
    m_repeatLimit = height ? screenHeightPx : screenWidthPx;
    m_released = false;
    repeatTimer->start();
}

// One step of the button held down, 50 ms after the press and then every
// 50 ms until it is let go; a click thus gives exactly one step.
void FrmCE::repeatTick()
{
    const std::int32_t value = IntegerPart(m_repeatBox->text());
    switch (m_repeatButton) {
    case 0: m_repeatBox->setText(QStringLiteral("10")); break;
    case 1:
        if (value > 10)
            m_repeatBox->setText(QString::number(value - 1));
        break;
    case 2:
        if (value < m_repeatLimit)
            m_repeatBox->setText(QString::number(value + 1));
        break;
    case 3: m_repeatBox->setText(QString::number(m_repeatLimit)); break;
    }
    if (m_released)
        repeatTimer->stop();
}

void FrmCE::cmdNumeroClicked()
{
    overwriteLast = !overwriteLast;
    if (overwriteLast) {
        if (captureCount == 0) {
            overwriteLast = false;
        } else {
            --captureCount;
            setNumeroColour(true);
        }
    } else {
        ++captureCount;
        setNumeroColour(false);
    }
    ShowCaptureCount();
}

void FrmCE::showCaptureFile(const QString &extension, const QString &goneMessage)
{
    if (!CaptureFiles::exists(m_context.appDir, captureCount, extension)) {
        m_context.platform.message(goneMessage, Platform::Buttons::Ok, Platform::Icon::Exclamation,
                                   QStringLiteral("ALERTE"));
        return;
    }
    m_context.platform.openWithShell(CaptureFiles::path(m_context.appDir, captureCount, extension));
}

bool FrmCE::eventFilter(QObject *watched, QEvent *event)
{
    // A click into the quality box selects all of it, ready to be typed over.
    if (watched == txtQualite && event->type() == QEvent::MouseButtonRelease)
        QTimer::singleShot(0, txtQualite, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

void FrmCE::unload()
{
    m_unloaded = true;
    hide();
    emit unloaded();
}

// Neither Escape nor the window manager's close ends the window: leaving
// goes through leaveButton, which asks about the settings first.
void FrmCE::reject() {}

void FrmCE::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded)
        event->ignore();
}
