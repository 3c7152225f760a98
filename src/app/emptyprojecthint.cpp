#include "app/emptyprojecthint.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

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
    : QFrame(area)
    , m_area(area)
{
    setObjectName(QStringLiteral("lblAccueil"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(
        QStringLiteral("QFrame#lblAccueil { background: #2a313b; border-radius: 8px; }"
                       "QLabel { color: #e6ebf1; font-size: 12pt; }"
                       "QLabel#hintTitle { color: white; font-size: 17pt; font-weight: bold; }"
                       "QLabel#hintButton { color: white; font-weight: bold; }"));
    // The text in a column of its own, in the middle of the area.
    auto *content = new QWidget(this);
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    QLabel *title = text(QStringLiteral("Aucun diaporama n'est ouvert"), content);
    title->setObjectName(QStringLiteral("hintTitle"));
    title->setWordWrap(false);
    column->addWidget(title);
    column->addWidget(
        text(QStringLiteral("Pour commencer, cliquez dans la barre d'outils sur :"), content));
    const std::pair<QPixmap, QString> buttons[] = {
        {newPicture, QStringLiteral("« Créer un nouveau diaporama »")},
        {openPicture, QStringLiteral("« Ouvrir un diaporama existant »")},
    };
    for (const auto &[picture, caption] : buttons) {
        auto *row = new QHBoxLayout;
        row->setSpacing(14);
        auto *icon = new QLabel(content);
        icon->setPixmap(picture);
        row->addWidget(icon);
        QLabel *name = text(caption, content);
        name->setObjectName(QStringLiteral("hintButton"));
        name->setWordWrap(false);
        row->addWidget(name, 1);
        column->addLayout(row);
    }
    column->addWidget(
        text(QStringLiteral("Un nouveau diaporama reçoit son nom avec « Enregistrer sous... »."),
             content));
    content->setMaximumWidth(520);
    auto *centre = new QGridLayout(this);
    centre->setContentsMargins(30, 30, 30, 30);
    centre->addWidget(content, 0, 0, Qt::AlignCenter);

    area->installEventFilter(this);
    setGeometry(area->viewport()->geometry());
}

bool EmptyProjectHint::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        setGeometry(m_area->viewport()->geometry());
    return QFrame::eventFilter(watched, event);
}
