#include "capture/handover.h"

#include "project/textfile.h"

namespace HandOver {

QString path(const QString &appDir) { return appDir + QStringLiteral("/Passage"); }

std::optional<QStringList> readLines(const QString &appDir)
{
    return TextFile::readLines(path(appDir));
}

bool write(const QString &appDir, const Values &values)
{
    return TextFile::writeLines(path(appDir),
                                {QString::number(values.width), QString::number(values.height),
                                 QString::number(values.left), QString::number(values.top)});
}

} // namespace HandOver
