// Makes the screenshots of the tutorial page from Lumivue's own windows:
//   lumivue_screenshots <application folder> <output folder>
// The application folder is the assembled one (build/src/appdata); the
// pictures are written full size to the output folder. Everything Lumivue
// writes goes to throw-away home, data and state folders.
#include "quietplatform.h"
#include "tutorialshots.h"

#include "app/appfolders.h"
#include "app/features.h"
#include "app/frenchapplication.h"
#include "app/frmprincipal.h"
#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <memory>

namespace {

// The example's photographs, under the names a camera folder might show.
const std::pair<const char *, const char *> kPhotos[] = {
    {"Paysages0.jpg", "lac-au-couchant.jpg"}, {"Paysages2.jpg", "plage.jpg"},
    {"Paysages3.jpg", "lavande.jpg"},         {"Paysages5.jpg", "dunes.jpg"},
    {"Paysages7.jpg", "nuit-etoilee.jpg"},
};

// A home as a user's looks: a few folders and the holiday photos.
bool makeHome(const QString &home, const QString &photos, const QString &examples)
{
    QDir dir;
    for (const char *folder : {"Bureau", "Documents", "Musique", "Téléchargements"})
        if (!dir.mkpath(home + QLatin1Char('/') + QString::fromUtf8(folder)))
            return false;
    if (!dir.mkpath(photos))
        return false;
    for (const auto &[from, to] : kPhotos)
        if (!QFile::copy(examples + QLatin1Char('/') + QLatin1String(from),
                         photos + QLatin1Char('/') + QLatin1String(to)))
            return false;
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        QTextStream(stderr) << "usage: lumivue_screenshots <application folder> <output folder>\n";
        return 2;
    }
    const QString appData = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString output = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();

    // The dialogs show the whole path of the home folder: a short one reads
    // as a user's, where a temporary folder's name would puzzle.
    const QString home = QDir::tempPath() + QStringLiteral("/marie");
    if (QFileInfo::exists(home)) {
        QTextStream(stderr) << "screenshots: " << home << " is in the way; remove it first\n";
        return 1;
    }
    const std::unique_ptr<const QString, void (*)(const QString *)> removeHome(
        &home, [](const QString *path) { QDir(*path).removeRecursively(); });
    QTemporaryDir scratch;
    const QString photos = home + QStringLiteral("/Images/Vacances");
    if (!scratch.isValid() || !makeHome(home, photos, appData + QStringLiteral("/Exemples"))
        || !QDir().mkpath(output)) {
        QTextStream(stderr) << "screenshots: cannot prepare " << home << '\n';
        return 1;
    }
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_DATA_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/data")));
    qputenv("XDG_STATE_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/state")));
    qputenv("LUMIVUE_APPDATA", QFile::encodeName(appData));
    // The save-as dialog opens on the working folder.
    QDir::setCurrent(home);

    // From here on, as the program starts.
    QApplication app(argc, argv);
    setUpFrenchApplication(app);

    QuietPlatform platform;
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    Startup startup(platform, AppFolders::fromEnvironment(env, QDir::homePath()),
                    AppFolders::pristineCandidates(env, QApplication::applicationDirPath()));
    if (!startup.prepare())
        return 1;

    const AppContext context{platform, startup.folders().appDir, startup.folders().backupRoot};
    FrmPrincipal window(context);
    Features features(window, context);
    window.show();

    TutorialShots shots(window, features, context, photos, output);
    QTimer::singleShot(0, &app, [&shots] { QCoreApplication::exit(shots.run() ? 0 : 1); });
    return app.exec();
}
