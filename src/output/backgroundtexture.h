#pragma once

#include "project/fileops.h"

#include <QString>
#include <QStringList>

// The background textures delivered in AppDir/Textures and the project's own
// background picture, "imgFond.jpg" in its folder. The background is not part
// of the backup set: a change is on disk at once and no revert undoes it.
namespace BackgroundTexture {

inline constexpr auto ProjectPicture = "imgFond.jpg";

QString texturesFolder(const QString &appDir);
QString projectBackground(const QString &folder);

// Copies the texture (a file name of the textures folder) over the project's
// background. The copy goes through a file beside the target, so a failure
// leaves the previous background whole.
FileOps::Result apply(const QString &appDir, const QString &texture, const QString &folder);

// What the user is told when apply() did not succeed; empty when it did.
QString failureText(FileOps::Result result, const QString &texture);

} // namespace BackgroundTexture
