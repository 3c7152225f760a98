#pragma once

#include <QString>
#include <QStringList>

// The font names the caption editor offers. Qt tells apart families of the
// same name from two foundries by a tag ("C059 [urw]"); a browser knows only
// the bare name, so the tag never reaches a caption.
namespace FontNames {

// family without its foundry tag: "C059 [urw]" gives "C059".
QString withoutFoundry(const QString &family);

// Every font family of the system, once, without tags, sorted by name.
QStringList screenFamilies();

} // namespace FontNames
