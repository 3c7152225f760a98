// Start-up time of the main window against a bare Qt window.
//
//   bench_startup [runs]          runs both in fresh processes, prints medians
//   bench_startup --child KIND    one start-up (KIND = window or bare), prints
//                                 "<to shown ms> <whole process ms>"
//   bench_startup --hold          shows the main window until it is closed
//
// "To shown" runs from the first line of main() to the end of the window's
// first paint, so the font list, the pictures, the layout and the tiled
// background are all in it; the parent also times each child from launch to
// exit. The application folder is the built one (build/src/appdata).
#include "app/frmprincipal.h"
#include "platform/qtplatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

// Counts the first paint of a top-level window.
class FirstPaint : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

int child(int argc, char *argv[], const QString &kind, bool hold)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    QtPlatform platform;
    QTemporaryDir backupRoot;
    std::unique_ptr<QWidget> window;
    if (kind == QLatin1String("bare"))
        window = std::make_unique<QWidget>();
    else
        window = std::make_unique<FrmPrincipal>(platform, QStringLiteral(LUMIVUE_BENCH_APPDATA),
                                                backupRoot.path());
    FirstPaint paint;
    window->installEventFilter(&paint);
    window->show();
    while (!paint.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    const double shownMs = sinceMain.nsecsElapsed() / 1e6;
    if (hold)
        return app.exec();
    std::printf("%.2f\n", shownMs);
    return 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Figures
{
    double shown = 0;
    double process = 0;
};

Figures measure(const QString &self, const QString &kind, int runs)
{
    std::vector<double> shown, process;
    for (int i = 0; i < runs; ++i) {
        QProcess run;
        QElapsedTimer clock;
        clock.start();
        run.start(self, {QStringLiteral("--child"), kind});
        run.waitForFinished(60000);
        process.push_back(clock.nsecsElapsed() / 1e6);
        shown.push_back(run.readAllStandardOutput().trimmed().toDouble());
    }
    return {median(shown), median(process)};
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], "--child") == 0)
        return child(argc, argv, QString::fromLocal8Bit(argv[2]), false);
    if (argc >= 2 && qstrcmp(argv[1], "--hold") == 0)
        return child(argc, argv, QStringLiteral("window"), true);

    QCoreApplication app(argc, argv);
    const int runs = argc >= 2 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 15;
    const QString self = QCoreApplication::applicationFilePath();
    measure(self, QStringLiteral("window"), 1); // warms the disk and font caches
    const Figures bare = measure(self, QStringLiteral("bare"), runs);
    const Figures window = measure(self, QStringLiteral("window"), runs);

    QTextStream out(stdout);
    out << "platform " << qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default"))
        << ", median of " << runs << " fresh processes each\n";
    out << QStringLiteral("%1 %2 %3\n")
               .arg(QString(), -22)
               .arg(QStringLiteral("to shown ms"), 14)
               .arg(QStringLiteral("process ms"), 12);
    const auto row = [&out](const char *name, const Figures &f) {
        out << QStringLiteral("%1 %2 %3\n")
                   .arg(QLatin1String(name), -22)
                   .arg(f.shown, 14, 'f', 1)
                   .arg(f.process, 12, 'f', 1);
    };
    row("bare QWidget", bare);
    row("main window", window);
    out << QStringLiteral("%1 %2 %3\n")
               .arg(QStringLiteral("ratio"), -22)
               .arg(window.shown / bare.shown, 14, 'f', 2)
               .arg(window.process / bare.process, 12, 'f', 2);
    return 0;
}
