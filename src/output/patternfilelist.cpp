#include "output/patternfilelist.h"

#include <QDir>

PatternFileList::PatternFileList(QString pattern, QWidget *parent)
    : QListWidget(parent), m_pattern(std::move(pattern))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

void PatternFileList::setFolder(const QString &folder)
{
    m_folder = folder;
    clear();
    const QDir dir(folder);
    addItems(dir.entryList({m_pattern}, QDir::Files, QDir::Name | QDir::IgnoreCase));
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
