#include "widgets/patternfilelist.h"

#include <QDir>
#include <QKeyEvent>
#include <QStyle>

PatternFileList::PatternFileList(QString pattern, QWidget *parent)
    : QListWidget(parent)
    , m_pattern(std::move(pattern))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setSpacing(1);
    setIconSize(QSize(16, 16));
}

void PatternFileList::setFolder(const QString &folder)
{
    m_folder = folder;
    clear();
    const QDir dir(folder);
    const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
    const QDir::Filters filter = m_showHidden ? QDir::Files | QDir::Hidden
                                              : QDir::Filters(QDir::Files);
    const QStringList files = dir.entryList(QDir::nameFiltersFromString(m_pattern), filter,
                                            QDir::Name | QDir::IgnoreCase);
    for (const QString &name : files)
        new QListWidgetItem(icon, name, this);
}

QString PatternFileList::selectedFileName() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

bool PatternFileList::selectFile(const QString &fileName)
{
    const QList<QListWidgetItem *> found = findItems(fileName, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    setCurrentItem(found.first(), QItemSelectionModel::ClearAndSelect);
    return true;
}

void PatternFileList::setShowHidden(bool show)
{
    m_showHidden = show;
    setFolder(m_folder);
}

void PatternFileList::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && currentItem()) {
        emit itemActivated(currentItem());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}
