#include "folderstate.h"
#include "support/tempfolder.h"

#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

// Kills a real Lumivue process (crashdriver) at file steps spread over each
// operation, then starts Lumivue again, and checks that no file was left
// torn, that the start put the folder back exactly as it was before or as
// the finished operation leaves it, and that a further start finds nothing
// more to do.
class TestCrashSafety : public QObject
{
    Q_OBJECT

    struct Outcome
    {
        int exitCode = -1;
        bool killed = false;
        QByteArray out, err;
    };

    static Outcome drive(const QString &root, const QStringList &args, long killAt = 0)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", root);
        env.insert("XDG_DATA_HOME", root + "/data");
        env.insert("XDG_STATE_HOME", root + "/state");
        env.insert("LUMIVUE_KILL_AT", QString::number(killAt));
        process.setProcessEnvironment(env);
        process.start(CRASHDRIVER, args);
        process.waitForFinished(60000);
        return {process.exitCode(), process.exitStatus() == QProcess::CrashExit,
                process.readAllStandardOutput(), process.readAllStandardError()};
    }

    // Five slides, GIF and JPEG; with photos, the JPEGs are larger than a page needs.
    static void makeProject(const QString &folder, bool photos)
    {
        QStringList lines{"Nom=Vacances", "Repertoire=" + folder, "NbSprite=5", "Tag=Vacances"};
        for (int n = 0; n < 5; ++n) {
            const bool gif = n % 3 == 0;
            const QString path = folder + "/Vacances" + QString::number(n);
            if (gif) {
                // One pixel; its palette tells the slides apart.
                writeFile(path + ".gif", QByteArray("GIF89a\1\0\1\0\x80\0\0", 13)
                                             + QByteArray::number(100 + n)
                                             + QByteArray("\0\0\0,\0\0\0\0\1\0\1\0\0\2\2\x44\1\0;", 19));
                lines << "<b>Diapo " + QString::number(n) + "</b>";
                continue;
            }
            const QSize size = photos ? QSize(2400, 1600) : QSize(64 + n, 48);
            QImage image(size, QImage::Format_RGB32);
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    image.setPixel(x, y, qRgb((x * (n + 1)) & 255, (y * 7) & 255, (x ^ y) & 255));
            QVERIFY(image.save(path + ".jpg"));
            lines << "<b>Diapo " + QString::number(n) + "</b>";
        }
        writeFile(folder + "/Vacances.lmv", crlf(lines));
        writeFile(folder + "/Vacances.htm", "ancienne page\r\n");
        writeFile(folder + "/Vacances.js", "ancien script\r\n");
    }

    // What a check looks at: the project folders, or the application folder.
    static QString scopeOf(const QString &root, const QString &operation)
    {
        return operation == "template" ? root + "/data/lumivue" : root + "/work";
    }

    // Each file as it was before or as the operation leaves it, none missing.
    static bool eachFileBeforeOrAfter(const FolderState &state, const FolderState &before,
                                      const FolderState &after)
    {
        for (auto it = state.files.cbegin(); it != state.files.cend(); ++it)
            if (before.files.value(it.key()) != it.value() && after.files.value(it.key()) != it.value())
                return false;
        for (auto it = before.files.cbegin(); it != before.files.cend(); ++it)
            if (!state.files.contains(it.key()) && after.files.contains(it.key()))
                return false;
        return true;
    }

    // Thumbnails are remade whenever they look older than their picture.
    static QMap<QString, QByteArray> withoutThumbnails(const FolderState &state)
    {
        QMap<QString, QByteArray> files = state.files;
        files.removeIf([](auto it) { return it.key().contains("_vignettes/"); });
        return files;
    }

private slots:
    void killedAnywhere_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::newRow("save") << "save";
        QTest::newRow("save as") << "saveas";
        QTest::newRow("generation") << "generate";
        QTest::newRow("template replacement") << "template";
        QTest::newRow("slide deletion") << "delete";
        QTest::newRow("reordering") << "reorder";
        QTest::newRow("web photos") << "webphotos";
    }
    void killedAnywhere()
    {
        QFETCH(QString, operation);
        const int trials = qEnvironmentVariableIntValue("LUMIVUE_CRASH_TRIALS") > 0
            ? qEnvironmentVariableIntValue("LUMIVUE_CRASH_TRIALS")
            : 5;
        const quint32 seed = qEnvironmentVariableIsSet("LUMIVUE_CRASH_SEED")
            ? quint32(qEnvironmentVariableIntValue("LUMIVUE_CRASH_SEED"))
            : QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        TempFolder temp;

        // The state before: a started Lumivue, a project, a frame picture.
        const QString master = temp.path("master");
        QVERIFY(QDir().mkpath(master + "/work/proj") && QDir().mkpath(master + "/work/copie"));
        QCOMPARE(drive(master, {"start"}).exitCode, 0);
        makeProject(master + "/work/proj", operation == "webphotos");
        QImage frame(40, 30, QImage::Format_RGB32);
        frame.fill(Qt::darkGreen);
        QVERIFY(frame.save(master + "/cadre.jpg"));
        const QStringList args{operation, master + "/work/proj/Vacances.lmv",
                               operation == "saveas" ? master + "/work/copie/Voyage"
                                                     : master + "/cadre.jpg"};
        if (operation == "generate") {
            // Sound, background and thumbnails already there, as after an earlier generation.
            QCOMPARE(drive(master, args).exitCode, 0);
            QCOMPARE(drive(master, {"start"}).exitCode, 0);
        }
        const FolderState before = FolderState::of(scopeOf(master, operation), {master});

        // The operation run to its end, and the start after it.
        const QString dry = temp.path("dry");
        QVERIFY(copyFolder(master, dry));
        const auto argsIn = [&](const QString &root) {
            QStringList moved = args;
            moved.replaceInStrings(master, root);
            return moved;
        };
        const Outcome finished = drive(dry, argsIn(dry));
        QCOMPARE(finished.exitCode, 0);
        const long steps = finished.out.trimmed().toLong();
        QVERIFY(steps > 0);
        const FolderState after = FolderState::of(scopeOf(dry, operation), {dry, master});
        QVERIFY2(drive(dry, {"start"}).exitCode == 0, "start after the finished operation");
        const FolderState settled = FolderState::of(scopeOf(dry, operation), {dry, master});
        const QSet<QByteArray> whole = before.contents() + after.contents();
        QStringList faults;
        QMap<QString, int> ends;
        int leftovers = 0;
        for (int trial = 0; trial < trials; ++trial) {
            // Every step once when the trials allow it, else one at random in each stretch.
            const long killAt = trials >= steps
                ? 1 + trial % steps
                : 1 + long((trial + random.generateDouble()) * double(steps) / trials);
            const QString root = temp.path("t" + QString::number(trial));
            QVERIFY(copyFolder(master, root));
            const Outcome run = drive(root, argsIn(root), killAt);
            const QString at = QString("%1 at step %2/%3: ").arg(operation).arg(killAt).arg(steps);
            if (!run.killed) {
                faults << at + "not killed, exit " + QString::number(run.exitCode) + " " + run.err;
                continue;
            }
            const FolderState killed = FolderState::of(scopeOf(root, operation), {root, master});
            for (auto it = killed.files.cbegin(); it != killed.files.cend(); ++it)
                if (!whole.contains(it.value()))
                    faults << at + "torn or mixed file " + it.key();

            const Outcome start = drive(root, {"start"});
            const FolderState recovered = FolderState::of(scopeOf(root, operation), {root, master});
            leftovers += recovered.hidden;
            if (start.exitCode != 0 || start.err.count('\n') > 2)
                faults << at + "start failed: " + start.err;
            if (recovered == before)
                ++ends["before"];
            else if (recovered == after || recovered == settled)
                ++ends["after"];
            else if (operation == "template" && eachFileBeforeOrAfter(recovered, before, after))
                ++ends["some files before, the others after"];
            else if (operation == "generate"
                     && withoutThumbnails(recovered) == withoutThumbnails(settled)
                     && eachFileBeforeOrAfter(recovered, before, after))
                ++ends["thumbnails partly remade"];
            else if (operation == "saveas" && !recovered.files.contains("copie/Voyage.lmv")
                     && eachFileBeforeOrAfter(recovered, before, settled))
                ++ends["copy without its project file"];
            else {
                QStringList differ;
                for (auto it = recovered.files.cbegin(); it != recovered.files.cend(); ++it)
                    if (before.files.value(it.key()) != it.value())
                        differ << it.key();
                for (auto it = before.files.cbegin(); it != before.files.cend(); ++it)
                    if (!recovered.files.contains(it.key()))
                        differ << "-" + it.key();
                faults << at + "neither before nor after: " + differ.join(' ') + " " + start.err;
            }
            const Outcome again = drive(root, {"start"});
            if (again.exitCode != 0 || !again.err.isEmpty())
                faults << at + "second start: " + again.err;
            QDir(root).removeRecursively();
        }
        QStringList counts;
        for (auto it = ends.cbegin(); it != ends.cend(); ++it)
            counts << QString("%1 %2").arg(it.value()).arg(it.key());
        qInfo("%s: %d kills over %ld steps (seed %u): %s; %d temporaries left",
              qPrintable(operation), trials, steps, seed, qPrintable(counts.join(", ")), leftovers);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
