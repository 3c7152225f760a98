#include "widgets/browsefolderlist.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int PathRole = Qt::UserRole;         // the folder an item stands for
constexpr int UnfoldedRole = Qt::UserRole + 1; // its subfolders are listed
} // namespace

BrowseFolderList::BrowseFolderList(QWidget *parent)
    : QWidget(parent)
    , m_caption(new QLabel(this))
    , m_tree(new QTreeWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setObjectName(QStringLiteral("folderCaption"));
    m_caption->setWordWrap(true);
    m_caption->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(m_caption);
    m_tree->setHeaderHidden(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setUniformRowHeights(true);
    m_tree->setIndentation(14);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->setExpandsOnDoubleClick(false);
    layout->addWidget(m_tree);

    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        if (item)
            setPath(item->data(0, PathRole).toString());
    });
    connect(m_tree, &QTreeWidget::itemExpanded, this, &BrowseFolderList::unfold);
    m_tree->installEventFilter(this);
}

bool BrowseFolderList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        // Enter moves into the current folder and stops there: the tree would
        // otherwise pass the key on and press the dialog's default button.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (QTreeWidgetItem *item = m_tree->currentItem())
                setPath(item->data(0, PathRole).toString());
            return true;
        }
        if (key == Qt::Key_Backspace) {
            setPath(QDir::cleanPath(m_path + QStringLiteral("/..")));
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

void BrowseFolderList::setShowHidden(bool show)
{
    if (show == m_showHidden)
        return;
    m_showHidden = show;
    refresh();
}

QTreeWidgetItem *BrowseFolderList::addFolder(QTreeWidgetItem *parent, const QString &path,
                                             const QString &name, int at)
{
    auto *item = new QTreeWidgetItem;
    item->setText(0, name);
    item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    item->setData(0, PathRole, path);
    item->setToolTip(0, QDir::toNativeSeparators(path));
    // Whether it has subfolders is learnt when it is unfolded: reading every
    // folder ahead would be slow in a folder of many.
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    if (parent)
        parent->insertChild(at < 0 ? parent->childCount() : at, item);
    else
        m_tree->addTopLevelItem(item);
    return item;
}

void BrowseFolderList::unfold(QTreeWidgetItem *item)
{
    if (!item || item->data(0, UnfoldedRole).toBool())
        return;
    item->setData(0, UnfoldedRole, true);
    const QString path = item->data(0, PathRole).toString();
    QDir::Filters filter = QDir::Dirs | QDir::NoDotAndDotDot;
    if (m_showHidden)
        filter |= QDir::Hidden;
    const QStringList names = QDir(path).entryList(filter, QDir::Name | QDir::IgnoreCase);
    // The folder on the way to the current one is already there.
    QStringList present;
    for (int i = 0; i < item->childCount(); ++i)
        present.append(item->child(i)->text(0));
    const QString base = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
    int row = 0;
    for (const QString &name : names) {
        if (!present.contains(name))
            addFolder(item, base + name, name, row);
        ++row;
    }
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void BrowseFolderList::refresh()
{
    const QSignalBlocker quiet(m_tree);
    m_tree->clear();
    m_current = nullptr;
    m_caption->setText(QDir::toNativeSeparators(m_path));
    m_caption->setToolTip(m_caption->text());
    if (m_path.isEmpty())
        return;

    // The way down from the root, one item per folder, then the current
    // folder's subfolders.
    QStringList chain;
    for (QDir dir(m_path);;) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    QTreeWidgetItem *item = nullptr;
    for (const QString &folder : std::as_const(chain)) {
        const QString name = QDir(folder).isRoot() ? QDir::toNativeSeparators(folder)
                                                   : QDir(folder).dirName();
        item = addFolder(item, folder, name);
        item->setExpanded(true);
    }
    unfold(item);
    item->setExpanded(true);
    m_tree->setCurrentItem(item);
    m_tree->scrollToItem(item);
    m_current = item;
}

QStringList BrowseFolderList::subfolders() const
{
    QStringList names;
    if (m_current)
        for (int i = 0; i < m_current->childCount(); ++i)
            names.append(m_current->child(i)->text(0));
    return names;
}

bool BrowseFolderList::enter(const QString &name)
{
    if (!subfolders().contains(name))
        return false;
    setPath((m_path.endsWith(QLatin1Char('/')) ? m_path : m_path + QLatin1Char('/')) + name);
    return true;
}
