#include "project/frminfo.h"

#include "widgets/buttonsprites.h"
#include "widgets/centreonscreen.h"

#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QtMath>

#include <cmath>

namespace {

constexpr QSize WindowSize(720, 560);
constexpr int CloseSize = 40;

const char *const Style = R"(
QLabel#lblInfo[index="0"] { color: #1f3f73; font-size: 30pt; font-weight: bold; }
QLabel#lblInfo[index="1"], QLabel#lblInfo[index="2"], QLabel#lblInfo[index="3"],
QLabel#lblInfo[index="4"], QLabel#lblInfo[index="8"] { color: #26344a; font-size: 10pt; }
QLabel#lblInfo[index="6"] { font-size: 12pt; font-weight: bold; }
QTextEdit#Text1 {
    background: rgba(255, 255, 255, 170); color: #26344a;
    border: 1px solid rgba(38, 52, 74, 60); border-radius: 10px; padding: 6px 10px;
}
)";

QLabel *infoLabel(QWidget *parent, int index, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("lblInfo"));
    label->setProperty("index", index);
    // Plain text keeps the two spaces of the version line.
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

FrmInfo::FrmInfo(const QString &appDir, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("Info"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    buildControls();
    buildLayout();

    // Load: counter at 0, centred, tiled, elliptical.
    m_ticks = 0;
    setFixedSize(WindowSize);
    CentreOnScreen(*this);
    if (!imgFond.load(appDir + QStringLiteral("/imgFond.jpg"))) {
        imgFond = QPixmap(64, 64);
        imgFond.fill(QColor(0xf1, 0xee, 0xe6));
    }
    setMask(QRegion(rect(), QRegion::Ellipse));
    cycleTimer->start();
}

void FrmInfo::buildControls()
{
    lblInfo[0] = infoLabel(this, 0, QStringLiteral("Lumivue  v 2.1"));
    lblInfo[1] = infoLabel(
        this, 1, QStringLiteral("--> générateur de diaporamas et didacticiels au format HTML."));
    lblInfo[2] = infoLabel(this, 2, QStringLiteral("--> accepte jusqu'à 200 photographies."));
    lblInfo[3] = infoLabel(this, 3,
                           QStringLiteral("--> commentaires possibles avec balises HTML."));
    lblInfo[4] = infoLabel(this, 4, QStringLiteral("--> fonctionnement sous IE et sous Netscape."));
    lblInfo[6] = infoLabel(this, 6, QStringLiteral("Conçu et réalisé par l'équipe Lumivue"));
    lblInfo[8] = infoLabel(this, 8,
                           QStringLiteral("--> éditeur HTML WYSIWYG pour les commentaires."));
    // A soft dark halo keeps the light colours of the cycle readable on the
    // light background.
    auto *halo = new QGraphicsDropShadowEffect(lblInfo[6]);
    halo->setOffset(0, 0);
    halo->setBlurRadius(8);
    lblInfo[6]->setGraphicsEffect(halo);

    novelties = new QTextEdit(this);
    novelties->setObjectName(QStringLiteral("Text1"));
    novelties->setReadOnly(true);
    novelties->setPlainText(
        QStringLiteral("NOUVEAUTES DE LA VERSION 2.1 :\n"
                       "-> visionneuse performante de diapositives.\n"
                       "-> insertion, duplication et échange de diapositives.\n"
                       "-> amélioration de l'éditeur HTML ( possibilité de copier-coller )\n"
                       "-> aide contextuelle intégrée\n"
                       "-> finalisation améliorée du fichier HTML créé.\n"));
    novelties->setLineWrapMode(QTextEdit::NoWrap);
    novelties->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    novelties->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    closePicture = new QLabel(this);
    closePicture->setObjectName(QStringLiteral("Image1"));
    closePicture->setToolTip(QStringLiteral("Quitter la fenêtre INFO"));
    closePicture->setAccessibleName(closePicture->toolTip());
    closePicture->setPixmap(ButtonSprites::toolbarPictures(devicePixelRatioF(), CloseSize).at(12));
    closePicture->setCursor(Qt::PointingHandCursor);

    cycleTimer = new QTimer(this);
    cycleTimer->setObjectName(QStringLiteral("Timer1"));
    cycleTimer->setInterval(50);
    connect(cycleTimer, &QTimer::timeout, this, &FrmInfo::tick);
}

void FrmInfo::buildLayout()
{
    // The credit line's colour is its palette's, which the cycle sets.
    setStyleSheet(QLatin1String(Style));
    // Everything stays in the middle band of the ellipse, where it is wide
    // enough for the longest line.
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(118, 24, 118, 24);
    column->setSpacing(4);
    column->addStretch(1);
    column->addWidget(lblInfo[0], 0, Qt::AlignHCenter);
    column->addSpacing(10);
    for (int index : {1, 2, 3, 4, 8})
        column->addWidget(lblInfo[std::size_t(index)]);
    column->addSpacing(10);
    // Room for every line: the text's own height, the padding and the border.
    novelties->setFixedHeight(qCeil(novelties->document()->size().height()) + 2 * 6 + 2);
    column->addWidget(novelties);
    column->addSpacing(10);
    column->addWidget(lblInfo[6], 0, Qt::AlignHCenter);
    column->addSpacing(6);
    column->addWidget(closePicture, 0, Qt::AlignHCenter);
    column->addStretch(1);
}

QColor FrmInfo::cycleColour(int t)
{
    // 6.28318 as written, not 2π: the cycle is meant to drift.
    const double a = std::sin(t * 6.28318 / 500);
    const double b = std::sin(t * 6.28318 / 250);
    const double c = std::sin(t * 6.28318 / 1000);
    return QColor(int(std::floor(127 * a)) + 127, 128 - int(std::floor(127 * b)),
                  128 - int(std::floor(127 * c)));
}

void FrmInfo::tick()
{
    ++m_ticks;
    QLabel *credit = lblInfo[6];
    const QColor colour = cycleColour(m_ticks);
    QPalette palette = credit->palette();
    palette.setColor(QPalette::WindowText, colour);
    credit->setPalette(palette);
    if (auto *halo = qobject_cast<QGraphicsDropShadowEffect *>(credit->graphicsEffect()))
        halo->setColor(colour.lightnessF() > 0.6 ? QColor(0x1f, 0x2a, 0x3a, 220) : Qt::transparent);
}

void FrmInfo::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QSize tile = imgFond.deviceIndependentSize().toSize();
    p.drawTiledPixmap(QRect(QPoint(0, 0),
                            QSize((width() / tile.width() + 1) * tile.width(),
                                  (height() / tile.height() + 1) * tile.height())),
                      imgFond);
    // A soft rim hides the stair steps of the window's elliptical edge.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x34, 0x43, 0x5a), 6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(rect()).adjusted(2, 2, -2, -2));
}

void FrmInfo::mouseReleaseEvent(QMouseEvent *event)
{
    // Clicks on a label come here too, since labels take none; they do not close.
    QWidget *hit = childAt(event->position().toPoint());
    if (qobject_cast<QLabel *>(hit) && hit != closePicture)
        return;
    close();
}
