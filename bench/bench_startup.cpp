// Start-up of the real program against a bare Qt window, as a user waits for
// it: from the launch of the process to the end of the window's first paint.
//
//   xvfb-run -a bench_startup [pairs]        (default 15)
//   bench_startup --bare                     the bare window, stamps and quits
//
// Both are launched the same way, as fresh processes from here with
// LUMIVUE_FIRST_PAINT_EXIT set: each prints the monotonic clock once it has
// painted, and quits. The bare window fills the screen as the main window
// does. The real program goes through its own main() (options,
// folders, single instance, translations, the main window and its features),
// with empty XDG folders of its own so that nothing of a real home is used
// and every start finds the same state. The two run in alternating pairs
// (pairs.h).
#include "app/firstpaintexit.h"
#include "pairs.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>

namespace {

double monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Milliseconds from the launch to the stamp the program printed.
double launch(const QString &program, const QStringList &arguments,
              const QProcessEnvironment &environment)
{
    QProcess run;
    run.setProcessEnvironment(environment);
    const double start = monotonicMs();
    run.start(program, arguments);
    if (!run.waitForFinished(60000) || run.exitCode() != 0)
        qFatal("%s did not start and quit: %s", qPrintable(program),
               run.readAllStandardError().constData());
    bool ok = false;
    const double painted = run.readAllStandardOutput().trimmed().toDouble(&ok);
    if (!ok)
        qFatal("%s printed no time", qPrintable(program));
    return painted - start;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 2 && qstrcmp(argv[1], "--bare") == 0) {
        QApplication app(argc, argv);
        // As large as the main window, which fills the screen: the same
        // backing store to fill and flush.
        QWidget window;
        window.setGeometry(QGuiApplication::primaryScreen()->geometry());
        window.setWindowState(Qt::WindowFullScreen);
        FirstPaintExit::armFromEnvironment(window);
        window.show();
        return app.exec();
    }
    QCoreApplication app(argc, argv);
    const int pairs = argc >= 2 ? std::max(2, atoi(argv[1])) : 15;

    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LUMIVUE_FIRST_PAINT_EXIT"), QStringLiteral("1"));
    for (const char *name : {"HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CONFIG_HOME"}) {
        const QString folder = home.filePath(QLatin1String(name));
        QDir().mkpath(folder);
        environment.insert(QLatin1String(name), folder);
    }
    const QString lumivue = QStringLiteral(LUMIVUE_BINARY);
    const QString self = QCoreApplication::applicationFilePath();
    // The first start fills the application folder: done once, untimed,
    // like the disk and font caches it warms.
    launch(lumivue, {}, environment);
    launch(self, {QStringLiteral("--bare")}, environment);

    std::printf("platform %s, launch to first painted window\n",
                qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default"))));
    Pairs::report("lumivue / bare Qt window",
                  Pairs::run(
                      pairs, [&] { return launch(lumivue, {}, environment); },
                      [&] { return launch(self, {QStringLiteral("--bare")}, environment); }),
                  "ms", 1.5);
    return 0;
}
