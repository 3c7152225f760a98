#include "output/backgroundtexture.h"

namespace BackgroundTexture {

QString texturesFolder(const QString &appDir) { return appDir + QStringLiteral("/Textures"); }

QString projectBackground(const QString &folder)
{
    return folder + QLatin1Char('/') + QLatin1String(ProjectPicture);
}

FileOps::Result apply(const QString &appDir, const QString &texture, const QString &folder)
{
    return FileOps::copy(texturesFolder(appDir) + QLatin1Char('/') + texture,
                         projectBackground(folder));
}

QString failureText(FileOps::Result result, const QString &texture)
{
    if (FileOps::succeeded(result))
        return {};
    if (result == FileOps::Result::Missing)
        return QStringLiteral("La texture « %1 » est illisible.\r\n"
                              "Le fond du diaporama n'a pas été changé.")
            .arg(texture);
    return QStringLiteral("Impossible d'écrire « %1 » dans le dossier du diaporama.\r\n"
                          "Le fond du diaporama n'a pas été changé.")
        .arg(QLatin1String(ProjectPicture));
}

} // namespace BackgroundTexture
