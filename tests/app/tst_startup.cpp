#include "app/commandline.h"
#include "app/instancelock.h"
#include "app/startup.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <thread>

Q_DECLARE_METATYPE(InstanceLock::Result)
Q_DECLARE_METATYPE(CommandLine::Action)

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void secondLockRefusedUntilFirstEnds()
    {
        TempFolder temp;
        const QString root = temp.path("state/lumivue");
        auto first = std::make_unique<InstanceLock>(root);
        QCOMPARE(first->acquire(), InstanceLock::Result::Acquired);
        QCOMPARE(first->acquire(), InstanceLock::Result::Acquired); // asking again keeps it
        InstanceLock second(root);
        QCOMPARE(second.acquire(), InstanceLock::Result::HeldElsewhere);

        first.reset();
        QCOMPARE(second.acquire(), InstanceLock::Result::Acquired);
    }

    // Lock files as another process may have left them.
    void lockFileFound_data()
    {
        QTest::addColumn<QByteArray>("content"); // "PID" stands for the process of the row
        QTest::addColumn<bool>("holderRunning");
        QTest::addColumn<InstanceLock::Result>("result");
        QTest::newRow("HolderRunning")
            << QByteArray("PID\nsleep\n\n") << true << InstanceLock::Result::HeldElsewhere;
        QTest::newRow("HolderCrashed")
            << QByteArray("PID\nlumivue\n\n") << false << InstanceLock::Result::Acquired;
        QTest::newRow("Garbage") << QByteArray("not a lock\n") << false
                                 << InstanceLock::Result::Acquired;
    }
    void lockFileFound()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, holderRunning);
        QProcess holder;
        holder.start("sleep", {"60"});
        QVERIFY(holder.waitForStarted());
        const qint64 pid = holder.processId();
        if (!holderRunning) {
            holder.kill();
            QVERIFY(holder.waitForFinished());
        }
        TempFolder temp;
        temp.write("lumivue.lock", content.replace("PID", QByteArray::number(pid)));
        // Written hours ago: a running Lumivue keeps its lock that long.
        QFile file(temp.path("lumivue.lock"));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-7200),
                                 QFileDevice::FileModificationTime));
        file.close();

        InstanceLock lock(temp.path());
        QTEST(lock.acquire(), "result");
        QLockFile reader(lock.lockFilePath());
        qint64 owner = 0;
        QString host, app;
        QVERIFY(reader.getLockInfo(&owner, &host, &app));
        QCOMPARE(owner, holderRunning ? pid : QCoreApplication::applicationPid());
        holder.kill();
        holder.waitForFinished();
    }

    void secondStartTouchesNothing()
    {
        TempFolder temp;
        const AppFolders folders{temp.path("data/lumivue"), temp.path("state/lumivue")};
        const QStringList pristine{qEnvironmentVariable("LUMIVUE_APPDATA")};
        ScriptedPlatform firstPlatform;
        Startup first(firstPlatform, folders, pristine);
        QVERIFY(first.prepare());
        QVERIFY(firstPlatform.messages.isEmpty());
        QVERIFY(QFile::exists(folders.appDir + "/Nouveau.lmv"));
        QVERIFY(QFile::exists(folders.appDir + "/Restaurer/sohifrm2.wav"));

        QVERIFY(QFile::remove(folders.appDir + "/Nouveau.lmv")); // would be filled in again
        const Files before = temp.snapshot();
        ScriptedPlatform platform;
        Startup second(platform, folders, pristine);
        QVERIFY(!second.prepare());
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].text, "Lumivue est déjà ouvert.");
        QCOMPARE(platform.messages[0].title, "Lumivue");
        QCOMPARE(platform.messages[0].icon, Platform::Icon::Exclamation);
        QCOMPARE(temp.snapshot(), before);
    }

    // A second start with a project file hands it to the first and ends quietly.
    void secondStartHandsItsFileOver()
    {
        TempFolder temp;
        const AppFolders folders{temp.path("data"), temp.path("state")};
        const QStringList pristine{qEnvironmentVariable("LUMIVUE_APPDATA")};
        ScriptedPlatform platform;
        Startup first(platform, folders, pristine);
        QVERIFY(first.prepare());
        QSignalSpy handed(first.channel(), &InstanceChannel::fileHandedOver);
        Startup second(platform, folders, pristine);
        std::thread start([&] { QVERIFY(!second.prepare("relatif/é #1.lmv")); });
        QVERIFY(handed.wait());
        start.join();
        QVERIFY(second.handedOver());
        QCOMPARE(handed[0][0].toString(), QDir::current().absoluteFilePath("relatif/é #1.lmv"));
        QVERIFY(platform.messages.isEmpty());
    }

    void startRefused_data()
    {
        QTest::addColumn<Files>("around");
        QTest::addColumn<bool>("pristineFound");
        QTest::addColumn<QString>("messagePart");
        QTest::newRow("BackupRootIsAFile") << Files{{"state", "my file"}} << true << "sauvegarde";
        QTest::newRow("AppDirIsAFile") << Files{{"data", "my file"}} << true << "créer son dossier";
        QTest::newRow("NoPristineFolder") << Files{} << false << "introuvables";
    }
    void startRefused()
    {
        QFETCH(Files, around);
        QFETCH(bool, pristineFound);
        TempFolder temp;
        temp.write(around);
        const AppFolders folders{temp.path("data"), temp.path("state")};
        const QStringList pristine = pristineFound
            ? QStringList{qEnvironmentVariable("LUMIVUE_APPDATA")}
            : QStringList{temp.path("a"), temp.path("b")};
        ScriptedPlatform platform;
        Startup startup(platform, folders, pristine);
        QVERIFY(!startup.prepare());
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].icon, Platform::Icon::Stop);
        QFETCH(QString, messagePart);
        QVERIFY2(platform.messages[0].text.contains(messagePart),
                 qPrintable(platform.messages[0].text));
        if (!pristineFound)
            QVERIFY(platform.messages[0].text.contains(temp.path("b")));
        // Only the lock may have been made; the user's files are as they were.
        Files after = temp.snapshot();
        after.remove("state/");
        after.remove("state/lumivue.lock");
        QCOMPARE(after, around);
    }

    void incompleteFillStillStarts()
    {
        TempFolder temp;
        const AppFolders folders{temp.path("data"), temp.path("state")};
        temp.write("data/Textures", "my file");
        ScriptedPlatform platform;
        Startup startup(platform, folders, {qEnvironmentVariable("LUMIVUE_APPDATA")});
        QVERIFY(startup.prepare());
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].icon, Platform::Icon::Exclamation);
        QVERIFY(platform.messages[0].text.contains("Textures/"));
        QVERIFY(QFile::exists(folders.appDir + "/Nouveau.lmv"));
    }

    // Options are answered before any window system is needed.
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CommandLine::Action>("action");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("textParts");
        using A = CommandLine::Action;
        // clang-format off
        QTest::newRow("NoArgument") << QStringList{"/usr/bin/lumivue"} << A::OpenWindow << 0 << QStringList{};
        QTest::newRow("LongHelp") << QStringList{"/usr/bin/lumivue", "--help"} << A::ShowHelp << 0 << QStringList{"--help", "Affiche", "Shows"};
        QTest::newRow("ShortHelp") << QStringList{"./lumivue", "-h"} << A::ShowHelp << 0 << QStringList{"navigateur", "browser"};
        QTest::newRow("UnknownOption") << QStringList{"lumivue", "--bogus"} << A::Invalid << 2 << QStringList{"bogus", "lumivue --help"};
        QTest::newRow("ProjectFile") << QStringList{"lumivue", "fichier.lmv"} << A::OpenWindow << 0 << QStringList{};
        QTest::newRow("SecondFile") << QStringList{"lumivue", "a.lmv", "b.lmv"} << A::Invalid << 2 << QStringList{"b.lmv", "lumivue --help"};
        QTest::newRow("GenerateWithoutFile") << QStringList{"lumivue", "--generate"} << A::Invalid << 2 << QStringList{"generate", "lumivue --help"};
        QTest::newRow("HelpWinsOverStray") << QStringList{"lumivue", "x", "--help"} << A::ShowHelp << 0 << QStringList{"--help"};
        // clang-format on
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, textParts);
        const CommandLine line = CommandLine::parse(arguments);
        QTEST(line.action, "action");
        QTEST(line.exitCode(), "exitCode");
        for (const QString &part : std::as_const(textParts))
            QVERIFY2(line.text.contains(part), qPrintable(line.text));
        QVERIFY(!line.text.contains("<executable_name>"));
        QCOMPARE(line.text.isEmpty(), textParts.isEmpty());
        if (line.action == CommandLine::Action::OpenWindow)
            QCOMPARE(line.projectFile, arguments.value(1));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
