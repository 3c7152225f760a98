// Where the main window's controls stand and how they look: a toolbar band
// on top, the slide in a dark viewing area with its navigation under it, the
// caption editor in a side panel, the project's name and size in a status
// band at the bottom, all over the window's tiled background.
#include "app/frmprincipal.h"

#include "widgets/picturebutton.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTextEdit>
#include <QToolButton>

namespace {

constexpr int StatusHeight = 34;
constexpr int CaptionPanelMinWidth = 340;
constexpr int CaptionPanelMaxWidth = 520;
constexpr int FormatButtonPitch = 32; // the format column's buttons touch

QFrame *panel(QWidget *parent, const char *name)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QStringLiteral("toolbarSeparator"));
    line->setFixedSize(1, 36);
    return line;
}

// Hidden controls keep their place, so the editor does not jump when the
// format controls appear with a selection.
void keepPlaceWhenHidden(QWidget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

const char *const ToolbarStyle = R"(
QLabel#lblBarre {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #34435a, stop:1 #222c3a);
    border-bottom: 1px solid #141a22;
}
QFrame#toolbarSeparator { background: rgba(255, 255, 255, 40); }
QPushButton { border: none; background: transparent; padding: 0; }
QPushButton:pressed { padding-top: 2px; }
)";

const char *const EdgeBarStyle = R"(
QLabel#Label1 {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
                                stop:0 #2f74d0, stop:0.5 #179386, stop:1 #e07b24);
}
)";

const char *const StatusStyle = R"(
QLabel#Label2 { background: #222c3a; border-top: 1px solid #141a22; }
QLabel { color: #b9c4d2; }
QLabel#lblNomDiapo, QLabel#lblNbDiapo { color: white; font-weight: bold; }
)";

const char *const SlidePanelStyle = R"(
QFrame#slidePanel {
    background: rgba(255, 255, 255, 235);
    border: 1px solid #d6cfbf;
    border-radius: 12px;
}
QScrollArea#imageArea { background: #2a313b; border: 1px solid #1c222a; border-radius: 8px; }
QScrollArea#imageArea > QWidget#qt_scrollarea_viewport { background: #2a313b; }
QPushButton {
    min-width: 42px; min-height: 30px;
    border: 1px solid #b7c0cc; border-radius: 6px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e8ecf1);
    color: #25303d; font-weight: bold;
}
QPushButton:hover { border-color: #2f74d0; }
QPushButton:pressed { background: #d5dce5; }
QLineEdit#txtNumDiapo {
    min-width: 54px; max-width: 54px; min-height: 28px;
    border: 1px solid #b7c0cc; border-radius: 6px; font-weight: bold; color: #25303d;
}
QLineEdit#txtNumDiapo:focus { border-color: #2f74d0; }
QLabel#lblLongueur, QLabel#lblLargeur { color: #5b6675; }
QCheckBox#chkAjuster { color: #4a5564; spacing: 6px; }
)";

const char *const CaptionPanelStyle = R"(
QFrame#captionPanel {
    background: rgba(255, 255, 255, 235);
    border: 1px solid #d6cfbf;
    border-radius: 12px;
}
QLabel#lblTag { color: #4a5564; font-weight: bold; }
QLineEdit {
    border: 1px solid #c3cad5; border-radius: 6px; padding: 5px 8px;
    background: white; color: #1f2833; selection-background-color: #2f74d0;
}
QLineEdit:focus { border-color: #2f74d0; }
QLineEdit#txtTexteInfo { background: #f3f5f8; color: #4a5564; }
QTextEdit#richtxtTexteInfo {
    background: white; color: black; /* until the page design gives its colours */
    border: 1px solid #56657a; border-radius: 8px; padding: 8px;
    selection-background-color: #ffd35c; selection-color: black;
}
QToolButton {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #eaeef3);
    border: 1px solid #c3cad5; border-radius: 5px; color: #25303d;
}
QToolButton:hover { border-color: #2f74d0; }
QToolButton:pressed { background: #d5dce5; }
)";

} // namespace

void FrmPrincipal::buildLayout()
{
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    // ---- toolbar: file, slideshow, slides, help; quitting far right ----
    lblBarre->setFixedHeight(m_tileSize + 20);
    lblBarre->setStyleSheet(QLatin1String(ToolbarStyle));
    auto *toolbar = new QHBoxLayout(lblBarre);
    toolbar->setContentsMargins(20, 8, 16, 10);
    toolbar->setSpacing(6);
    const QList<QList<QWidget *>> groups = {
        {imgNew, imgFichier, imgSave, imgSaveSous},
        {imgVisual, imgVisuHTML, imgModele, cmdChangerModele, imgChangerFond, imgOptimiser,
         cmdFinaliser},
        {imgAjouter, imgChangeDiapo, imgDelete, imgCapturer, imgVisionneuse},
        {imgHelp, imgDidact, imgInfo},
    };
    for (qsizetype g = 0; g < groups.size(); ++g) {
        if (g > 0) {
            toolbar->addSpacing(8);
            toolbar->addWidget(separator(lblBarre));
            toolbar->addSpacing(8);
        }
        for (QWidget *button : groups[g])
            toolbar->addWidget(button);
    }
    toolbar->addStretch(1);
    toolbar->addWidget(imgQuitter);
    root->addWidget(lblBarre);

    // ---- body: slide on the left, caption panel on the right ----
    auto *body = new QHBoxLayout;
    body->setContentsMargins(24, 20, 24, 20);
    body->setSpacing(20);
    root->addLayout(body, 1);

    QFrame *slidePanel = panel(this, "slidePanel");
    slidePanel->setStyleSheet(QLatin1String(SlidePanelStyle));
    auto *slideColumn = new QVBoxLayout(slidePanel);
    slideColumn->setContentsMargins(16, 16, 16, 12);
    slideColumn->setSpacing(12);
    slideColumn->addWidget(imageArea, 1);

    // Navigation centred under the picture, the picture's size on the left.
    auto *navigation = new QGridLayout;
    navigation->setColumnStretch(0, 1);
    navigation->setColumnStretch(2, 1);
    auto *size = new QHBoxLayout;
    size->setSpacing(14);
    size->addWidget(lblLongueur);
    size->addWidget(lblLargeur);
    size->addStretch(1);
    navigation->addLayout(size, 0, 0);
    auto *arrows = new QHBoxLayout;
    arrows->setSpacing(6);
    arrows->addWidget(cmdDiapo[0]);
    arrows->addWidget(cmdDiapo[1]);
    arrows->addWidget(txtNumDiapo);
    arrows->addWidget(cmdDiapo[2]);
    arrows->addWidget(cmdDiapo[3]);
    navigation->addLayout(arrows, 0, 1);
    navigation->addWidget(chkAjuster, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
    slideColumn->addLayout(navigation);
    body->addWidget(slidePanel, 3);

    QFrame *captionPanel = panel(this, "captionPanel");
    captionPanel->setMinimumWidth(CaptionPanelMinWidth);
    captionPanel->setMaximumWidth(CaptionPanelMaxWidth);
    captionPanel->setStyleSheet(QLatin1String(CaptionPanelStyle));
    auto *captionColumn = new QVBoxLayout(captionPanel);
    captionColumn->setContentsMargins(18, 16, 18, 16);
    captionColumn->setSpacing(8);
    captionColumn->addWidget(lblTag);
    captionColumn->addWidget(txtEntete);
    captionColumn->addSpacing(14);

    auto *fontRow = new QHBoxLayout;
    fontRow->setSpacing(8);
    fontRow->addWidget(comboPolice, 1);
    fontRow->addWidget(comboTaille);
    comboTaille->setMinimumWidth(72);
    keepPlaceWhenHidden(comboPolice);
    keepPlaceWhenHidden(comboTaille);
    captionColumn->addLayout(fontRow);

    // The format column: buttons 0..7 top to bottom, 8 beside 6.
    auto *formatColumn = new QWidget(captionPanel);
    formatColumn->setObjectName(QStringLiteral("formatColumn"));
    auto *formats = new QGridLayout(formatColumn);
    formats->setContentsMargins(0, 0, 0, 0);
    formats->setSpacing(0);
    for (int i = 0; i <= 7; ++i)
        formats->addWidget(cmdRich[i], i, 0);
    formats->addWidget(cmdRich[8], 6, 1);
    formats->setRowStretch(8, 1);
    for (QToolButton *button : cmdRich) {
        button->setFixedSize(FormatButtonPitch, FormatButtonPitch);
        keepPlaceWhenHidden(button);
    }
    auto *editorRow = new QHBoxLayout;
    editorRow->setSpacing(10);
    editorRow->addWidget(richtxtTexteInfo, 1);
    editorRow->addWidget(formatColumn);
    captionColumn->addLayout(editorRow, 1);
    captionColumn->addWidget(txtTexteInfo);
    body->addWidget(captionPanel, 2);

    // ---- status band ----
    statusBand->setFixedHeight(StatusHeight);
    statusBand->setStyleSheet(QLatin1String(StatusStyle));
    auto *status = new QHBoxLayout(statusBand);
    status->setContentsMargins(24, 0, 24, 0);
    status->setSpacing(6);
    status->addWidget(lblDiapo[0]);
    status->addWidget(lblNomDiapo);
    status->addSpacing(36);
    status->addWidget(lblDiapo[1]);
    status->addWidget(lblNbDiapo);
    status->addStretch(1);
    root->addWidget(statusBand);

    // The vertical bar runs down the left edge over everything else.
    edgeBar->setStyleSheet(QLatin1String(EdgeBarStyle));
}
