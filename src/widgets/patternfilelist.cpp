#include "widgets/patternfilelist.h"

#include <QDir>
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
    const QStringList files = dir.entryList({m_pattern}, QDir::Files,
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
