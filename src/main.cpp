#include "app/commandline.h"
#include "app/features.h"
#include "app/frenchapplication.h"
#include "app/firstpaintexit.h"
#include "app/frmprincipal.h"
#include "app/headlessstart.h"
#include "app/startup.h"
#include "platform/qtplatform.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTextStream>

namespace {

QStringList argumentList(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char *argv[])
{
    // Options are answered before any window system is needed.
    const CommandLine commandLine = CommandLine::parse(argumentList(argc, argv));
    if (commandLine.action == CommandLine::Action::ShowHelp) {
        QTextStream(stdout) << commandLine.text;
        return commandLine.exitCode();
    }
    if (commandLine.action == CommandLine::Action::Invalid) {
        QTextStream(stderr) << commandLine.text;
        return commandLine.exitCode();
    }
    if (commandLine.action == CommandLine::Action::Generate) {
        // No window system: the generation runs on a core application.
        QCoreApplication app(argc, argv);
        QTextStream out(stdout), err(stderr);
        return HeadlessStart::generate(commandLine.projectFile,
                                       QProcessEnvironment::systemEnvironment(), QDir::homePath(),
                                       QCoreApplication::applicationDirPath(), out, err);
    }

    QApplication app(argc, argv);
    setUpFrenchApplication(app);

    QtPlatform platform;
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    Startup startup(platform, AppFolders::fromEnvironment(env, QDir::homePath()),
                    AppFolders::pristineCandidates(env, QApplication::applicationDirPath()));
    if (!startup.prepare(commandLine.projectFile))
        return startup.handedOver() ? 0 : 1;

    const AppContext context{platform, startup.folders().appDir, startup.folders().backupRoot};
    FrmPrincipal window(context);
    Features features(window, context);
    QObject::connect(startup.channel(), &InstanceChannel::fileHandedOver, &window,
                     [&features](const QString &file) { features.fileHandedOver(file); });
    FirstPaintExit::armFromEnvironment(window);
    window.show();
    features.openAtStart(commandLine.projectFile);
    return app.exec();
}
