#include "folderstate.h"
#include "support/tempfolder.h"

#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QStorageInfo>
#include <QTest>

#include <sched.h>
#include <sys/mount.h>

// A real Lumivue (crashdriver) runs one operation on a project under root:
// killed at file steps spread over the operation, then started again; or
// with a fault put in its way for real.
class TestCrashSafety : public QObject
{
    Q_OBJECT

    struct Run
    {
        int exitCode = -1;
        bool killed = false;
        QByteArray out, err;
    };
    bool m_ownMounts = false;
    QTemporaryDir m_masters;
    QMap<QString, QPair<QSet<QByteArray>, QByteArray>> m_clean; // per operation

    static Run drive(const QString &root, const QStringList &args, long killAt = 0,
                     const QStringList &wrapper = {}, const QString &state = "/state")
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", root + "/data");
        env.insert("XDG_STATE_HOME", state.startsWith("/dev/shm") ? state : root + state);
        env.insert("LUMIVUE_KILL_AT", QString::number(killAt));
        process.setProcessEnvironment(env);
        process.start(wrapper.value(0, CRASHDRIVER),
                      wrapper.mid(1)
                          + (wrapper.isEmpty() ? args : QStringList{CRASHDRIVER} + args));
        if (!process.waitForFinished(30000))
            return process.kill(), process.waitForFinished(), Run{-1, false, {}, "hang"};
        return {process.exitCode(), process.exitStatus() == QProcess::CrashExit,
                process.readAllStandardOutput(), process.readAllStandardError()};
    }
    static QStringList argsFor(const QString &operation, const QString &root)
    {
        return {operation, root + "/work/proj/Vacances.lmv",
                operation == "saveas" ? root + "/work/copie/Voyage" : root + "/cadre.jpg"};
    }
    // A started Lumivue; five slides, GIF and JPEG (with photos, JPEGs larger
    // than a page needs); a picture to add or to frame a page with.
    static void makeMaster(const QString &root, bool photos)
    {
        QVERIFY(QDir().mkpath(root + "/work/proj") && QDir().mkpath(root + "/work/copie"));
        QCOMPARE(drive(root, {"start"}).exitCode, 0);
        QStringList lines{"Nom=Vacances", "Repertoire=" + root, "NbSprite=5", "Tag=Vacances"};
        for (int n = 0; n < 5; ++n) {
            const QString path = root + "/work/proj/Vacances" + QString::number(n);
            lines << "<b>Diapo " + QString::number(n) + "</b>";
            if (n % 3 == 0) { // one pixel; its palette tells the slides apart
                writeFile(path + ".gif",
                          QByteArray("GIF89a\1\0\1\0\x80\0\0", 13) + QByteArray::number(100 + n)
                              + QByteArray("\0\0\0,\0\0\0\0\1\0\1\0\0\2\2\x44\1\0;", 19));
                continue;
            }
            QImage image(photos ? QSize(2400, 1600) : QSize(64 + n, 48), QImage::Format_RGB32);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    image.setPixel(x, y, qRgb(x * (n + 1) & 255, y * 7 & 255, (x ^ y) & 255));
            QVERIFY(image.save(path + ".jpg"));
        }
        writeFile(root + "/work/proj/Vacances.lmv", crlf(lines));
        writeFile(root + "/work/proj/Vacances.htm", "ancienne page\r\n");
        writeFile(root + "/work/proj/Vacances.js", "ancien script\r\n");
        // The user's own files where the project is saved as: one of them in the copy's way.
        writeFile(root + "/work/copie/Voyage.htm", "page d'un ancien diaporama\r\n");
        writeFile(root + "/work/copie/notes.txt", "à garder\r\n");
        QImage frame(40, 30, QImage::Format_RGB32);
        frame.fill(Qt::darkGreen);
        QVERIFY(frame.save(root + "/cadre.jpg"));
    }
    static bool copy(const QString &from, const QString &to)
    {
        return QProcess::execute("cp", {"-a", from, to}) == 0;
    }
    // Each file as it was before or as after, none that after keeps missing.
    static bool eachFileBeforeOrAfter(const FolderState &state, const FolderState &before,
                                      const FolderState &after, const QString &ignored = "\n")
    {
        for (const auto &[name, digest] : state.files.asKeyValueRange())
            if (!name.contains(ignored) && before.files.value(name) != digest
                && after.files.value(name) != digest)
                return false;
        for (const auto &[name, digest] : after.files.asKeyValueRange())
            if (!name.contains(ignored) && !state.files.contains(name)
                && before.files.contains(name))
                return false;
        return true;
    }
    // Contents under the project folders and the backup root, whatever their names.
    static QSet<QByteArray> contents(const QString &root, const QString &backupRoot,
                                     const QString &master)
    {
        return FolderState(root + "/work", {root, master}).contents()
            + FolderState(backupRoot, {root, master}).contents();
    }

private slots:
    void initTestCase()
    {
        // Mounts of its own let a fault give the project a small, full disk.
        m_ownMounts = ::unshare(CLONE_NEWNS) == 0
            && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }

    void killedAnywhere_data()
    {
        QTest::addColumn<QString>("operation");
        for (const char *operation :
             {"save", "saveas", "generate", "template", "delete", "reorder", "webphotos"})
            QTest::newRow(operation) << operation;
    }
    // No file is left torn; the next start leaves the folder exactly as it
    // was before or as the finished operation leaves it (the thumbnails, a
    // cache, each old or new), and a further start finds nothing to do.
    void killedAnywhere()
    {
        QFETCH(QString, operation);
        const int trials = std::max(5, qEnvironmentVariableIntValue("LUMIVUE_CRASH_TRIALS"));
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        TempFolder temp;
        const QString master = temp.path("master"), dry = temp.path("dry");
        makeMaster(master, operation == "webphotos");
        const QString scope = operation == "template" ? "/data/lumivue" : "/work";
        if (operation == "generate") { // sound, backgrounds and thumbnails already made once
            QCOMPARE(drive(master, argsFor(operation, master)).exitCode, 0);
            QCOMPARE(drive(master, {"start"}).exitCode, 0);
        }
        const FolderState before(master + scope, {master});
        QVERIFY(copy(master, dry));
        const Run finished = drive(dry, argsFor(operation, dry));
        const long steps = finished.out.trimmed().toLong();
        QVERIFY2(finished.exitCode == 0 && steps > 0, finished.err);
        const FolderState after(dry + scope, {dry, master});
        QCOMPARE(drive(dry, {"start"}).exitCode, 0);
        const FolderState settled(dry + scope, {dry, master});

        QStringList faults;
        QMap<QString, int> ends;
        for (int trial = 0; trial < trials; ++trial) {
            // Every step once when the trials allow it, else one at random in each stretch.
            const long killAt = trials >= steps
                ? 1 + trial % steps
                : 1 + long((trial + random.generateDouble()) * double(steps) / trials);
            const QString root = temp.path("t" + QString::number(trial));
            QVERIFY(copy(master, root));
            const Run run = drive(root, argsFor(operation, root), killAt);
            const QString at = QString("step %1/%2: ").arg(killAt).arg(steps);
            const FolderState killed(root + scope, {root, master});
            if (!run.killed || !(before.contents() + after.contents()).contains(killed.contents()))
                faults << at + "not killed, or a torn file " + run.err;
            const Run start = drive(root, {"start"});
            const FolderState recovered(root + scope, {root, master});
            // A staging folder or a new file not yet in place is hidden: only counted.
            const QString end = recovered.temporaries > 0 ? ""
                : recovered == before                        ? "before"
                : recovered == after || recovered == settled ? "after"
                : operation == "generate"
                    && eachFileBeforeOrAfter(recovered, settled, settled, "_vignettes/")
                    && eachFileBeforeOrAfter(recovered, before, after)
                ? "thumbnails partly remade"
                : "";
            ++ends[end];
            if (end.isEmpty() || start.exitCode != 0 || drive(root, {"start"}).err != "")
                faults << at + "left neither before nor after, files of its own left behind, "
                               "or started twice: " + start.err;
            QDir(root).removeRecursively();
        }
        qInfo() << operation << "kills at" << steps << "steps, seed" << seed << ends;
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

    void faultMatrix_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("fault");
        for (const char *operation : {"open", "close", "add", "save", "saveas", "generate",
                                      "template", "delete", "reorder", "webphotos"})
            for (const char *fault :
                 {"backup root unwritable", "disk full", "files missing", "foreign backup set",
                  "backup on another file system", "picture unreadable", "picture corrupt",
                  "FIFO for a picture"})
                QTest::addRow("%s / %s", operation, fault) << operation << fault;
    }
    // Whatever fails, no file that the operation keeps without the fault is
    // lost, and no message is shown twice. Each cell is printed: the same end
    // as without the fault, or what was told.
    void faultMatrix()
    {
        QFETCH(QString, operation);
        QFETCH(QString, fault);
        TempFolder temp;
        // One project and one run without fault per operation, for every fault.
        const QString master = m_masters.path() + "/" + operation, root = temp.path("cell");
        if (!m_clean.contains(operation)) {
            makeMaster(master, operation == "webphotos");
            const QString clean = m_masters.path() + "/clean-" + operation;
            QVERIFY(copy(master, clean));
            const Run run = drive(clean, argsFor(operation, clean));
            QCOMPARE(run.exitCode, 0);
            m_clean[operation] = {contents(clean, clean + "/state/lumivue", master), run.err};
        }
        const auto &[kept, cleanErr] = m_clean[operation];
        QVERIFY(copy(master, root));

        QStringList wrapper; // without the power to pass over file permissions, as a user
        const QStringList user{"setpriv", "--bounding-set=-dac_override,-dac_read_search",
                               "--inh-caps=-dac_override,-dac_read_search"};
        QString state = "/state";
        const QString proj = root + "/work/proj";
        if (fault == "backup root unwritable") {
            QVERIFY(
                QFile::setPermissions(root + "/state/lumivue", QFile::ReadOwner | QFile::ExeOwner));
            wrapper = user;
        } else if (fault == "disk full") {
            if (!m_ownMounts)
                QSKIP("no mount namespace of its own here: no small disk can be made");
            QVERIFY(QDir(proj).removeRecursively() && QDir().mkpath(proj));
            QVERIFY(::mount("tmpfs", proj.toUtf8(), "tmpfs", 0, "size=4m") == 0);
            QVERIFY(QProcess::execute("sh",
                                      {"-c",
                                       "cp -a " + master + "/work/proj/. " + proj
                                           + " && cat /dev/zero > " + proj + "/.filler"})
                    != 0);
        } else if (fault == "files missing") {
            QVERIFY(QFile::remove(proj + "/Vacances2.jpg")
                    && QFile::remove(proj + "/Vacances.htm"));
        } else if (fault == "foreign backup set") { // another project's, left by a run cut short
            QVERIFY(copy(proj, root + "/work/autre"));
            QVERIFY(QProcess::execute("sh",
                                      {"-c",
                                       "cd " + proj + " && for f in *; do cp $f " + root
                                           + "/state/lumivue/aaaa${f#Vacances}; done"})
                    == 0);
            writeFile(root + "/state/lumivue/aaaa.owner",
                      crlf({root + "/work/autre/Vacances", "5"}));
        } else if (fault == "backup on another file system") {
            state = "/dev/shm/" + QFileInfo(temp.path()).fileName();
            if (QStorageInfo("/dev/shm").device() == QStorageInfo(root).device())
                QSKIP("no second file system (tmpfs at /dev/shm) on this machine");
            QVERIFY(copy(root + "/state", state));
        } else if (fault == "picture unreadable") {
            QVERIFY(QFile::setPermissions(proj + "/Vacances1.jpg", {}));
            wrapper = user;
        } else if (fault == "FIFO for a picture") {
            QVERIFY(QFile::remove(proj + "/Vacances1.jpg"));
            QCOMPARE(QProcess::execute("mkfifo", {proj + "/Vacances1.jpg"}), 0);
        } else if (fault == "picture corrupt") {
            writeFile(proj + "/Vacances1.jpg", "pas une image");
        }
        const QString backupRoot = (state.startsWith("/dev/shm") ? state : root + state)
            + "/lumivue";
        const QSet<QByteArray> before = contents(root, backupRoot, master);
        const Run run = drive(root, argsFor(operation, root), 0, wrapper, state);
        const QSet<QByteArray> after = contents(root, backupRoot, master);
        const QStringList told = QString(run.err).split("\n").filter(
            QRegularExpression("^[^\\s:][^:]{0,40} : "));
        ::umount(proj.toUtf8());
        if (state.startsWith("/dev/shm"))
            QDir(state).removeRecursively();
        QFile::setPermissions(root + "/state/lumivue",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        qInfo() << "CELL |" << operation << "|" << fault << "|" << run.exitCode << "|"
                << (after == kept && run.err == cleanErr ? "as without fault"
                        : told.isEmpty()                 ? QString("ends otherwise, nothing told")
                                                         : told.join(" / ").left(150));
        QVERIFY2(run.err != "hang", "the operation never ended");
        QVERIFY2((before & kept) - after == QSet<QByteArray>{}, "a project file was lost");
        QCOMPARE(QSet<QString>(told.cbegin(), told.cend()).size(), told.size());
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
