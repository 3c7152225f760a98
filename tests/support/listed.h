#pragma once

#include <QListWidget>
#include <QStringList>

// The texts of a list's rows, top to bottom.
inline QStringList listed(const QListWidget *list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names.append(list->item(row)->text());
    return names;
}
