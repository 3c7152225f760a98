#include "app/emptyprojecthint.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>

namespace {

QLabel *text(const QString &content, QWidget *parent)
{
    auto *label = new QLabel(content, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

EmptyProjectHint::EmptyProjectHint(QAbstractScrollArea *area, const QPixmap &newPicture,
                                   const QPixmap &openPicture)
    : QFrame(area), m_area(area)
{
    setObjectName(QStringLiteral("lblAccueil"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("QFrame#lblAccueil { background: #2a313b; border-radius: 8px; }"
                                 "QLabel { color: #e6ebf1; font-size: 12pt; }"
                                 "QLabel#hintTitle { color: white; font-size: 17pt; font-weight: bold; }"
                                 "QLabel#hintButton { color: white; font-weight: bold; }"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(40, 30, 40, 30);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(12);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(3, 1);

    QLabel *title = text(QStringLiteral("Aucun diaporama n'est ouvert"), this);
    title->setObjectName(QStringLiteral("hintTitle"));
    grid->addWidget(title, 1, 1, 1, 2);
    grid->addWidget(text(QStringLiteral("Pour commencer, cliquez dans la barre d'outils sur :"), this),
                    2, 1, 1, 2);
    const std::pair<QPixmap, QString> buttons[] = {
        {newPicture, QStringLiteral("« Créer un nouveau diaporama »")},
        {openPicture, QStringLiteral("« Ouvrir un diaporama existant »")},
    };
    int row = 3;
    for (const auto &[picture, caption] : buttons) {
        auto *icon = new QLabel(this);
        icon->setPixmap(picture);
        grid->addWidget(icon, row, 1);
        QLabel *name = text(caption, this);
        name->setObjectName(QStringLiteral("hintButton"));
        grid->addWidget(name, row++, 2);
    }
    grid->addWidget(text(QStringLiteral("Un nouveau diaporama reçoit son nom avec « Enregistrer sous... »."),
                         this),
                    row, 1, 1, 2);

    area->installEventFilter(this);
    setGeometry(area->viewport()->geometry());
}

bool EmptyProjectHint::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        setGeometry(m_area->viewport()->geometry());
    return QFrame::eventFilter(watched, event);
}
