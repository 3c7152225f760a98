#include "captions/fontnames.h"

#include <QFontDatabase>

namespace FontNames {

QString withoutFoundry(const QString &family)
{
    if (!family.endsWith(u']'))
        return family;
    const qsizetype open = family.lastIndexOf(QLatin1String(" ["));
    return open > 0 ? family.left(open) : family;
}

QStringList screenFamilies()
{
    QStringList names;
    for (const QString &family : QFontDatabase::families())
        names << withoutFoundry(family);
    names.sort(Qt::CaseInsensitive);
    names.removeDuplicates();
    return names;
}

} // namespace FontNames
