#include "widgets/browsefolderlist.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr int TargetRole = Qt::UserRole; // the folder an item leads to
}

BrowseFolderList::BrowseFolderList(QWidget *parent)
    : QWidget(parent)
    , m_caption(new QLabel(this))
    , m_list(new QListWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setObjectName(QStringLiteral("folderCaption"));
    m_caption->setWordWrap(true);
    m_caption->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(m_caption);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);
    m_list->setSpacing(1);
    m_list->setIconSize(QSize(16, 16));
    layout->addWidget(m_list);

    connect(m_list, &QListWidget::itemActivated, this, &BrowseFolderList::enterItem);
    m_list->installEventFilter(this);
}

bool BrowseFolderList::eventFilter(QObject *watched, QEvent *event)
{
    // Enter moves into the current folder and stops there: the list would
    // otherwise pass the key on and press the dialog's default button.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            enterItem(m_list->currentItem());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BrowseFolderList::setPath(const QString &folder)
{
    const QString cleaned = QDir::cleanPath(folder);
    if (cleaned == m_path)
        return;
    m_path = cleaned;
    refresh();
    emit pathChanged(m_path);
}

void BrowseFolderList::enterRow(int row) { enterItem(m_list->item(row)); }

void BrowseFolderList::enterItem(QListWidgetItem *item)
{
    if (item)
        setPath(item->data(TargetRole).toString());
}

void BrowseFolderList::refresh()
{
    m_list->clear();
    m_caption->setText(QDir::toNativeSeparators(m_path));
    m_caption->setToolTip(m_caption->text());

    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QDir dir(m_path);
    if (!dir.isRoot()) {
        auto *up = new QListWidgetItem(style()->standardIcon(QStyle::SP_FileDialogToParent),
                                       QStringLiteral(".."), m_list);
        up->setData(TargetRole, QDir::cleanPath(m_path + QStringLiteral("/..")));
    }
    const QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                              QDir::Name | QDir::IgnoreCase);
    for (const QString &name : folders) {
        auto *item = new QListWidgetItem(folderIcon, name, m_list);
        item->setData(TargetRole, m_path + QLatin1Char('/') + name);
    }
}
