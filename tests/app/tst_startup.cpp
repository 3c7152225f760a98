#include "app/instancelock.h"
#include "app/startup.h"
#include "foldertree.h"
#include "support/scriptedplatform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using Tree = QMap<QString, QByteArray>;
Q_DECLARE_METATYPE(InstanceLock::Result)

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void secondLockRefusedUntilFirstEnds()
    {
        QTemporaryDir temp;
        const QString root = temp.filePath("state/lumivue");
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
        QTest::newRow("EmptyFile") << QByteArray() << false << InstanceLock::Result::Acquired;
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
        QTemporaryDir temp;
        QVERIFY(FolderTree::write(
            temp.path(), {{"lumivue.lock", content.replace("PID", QByteArray::number(pid))}}));
        // Written hours ago: a running Lumivue keeps its lock that long.
        QFile file(temp.filePath("lumivue.lock"));
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
        QTemporaryDir temp;
        const AppFolders folders{temp.filePath("data/lumivue"), temp.filePath("state/lumivue")};
        const QStringList pristine{qEnvironmentVariable("LUMIVUE_APPDATA")};
        ScriptedPlatform firstPlatform;
        Startup first(firstPlatform, folders, pristine);
        QVERIFY(first.prepare());
        QVERIFY(firstPlatform.messages.isEmpty());
        QVERIFY(QFile::exists(folders.appDir + "/Nouveau.lmv"));
        QVERIFY(QFile::exists(folders.appDir + "/Restaurer/sohifrm2.wav"));

        QVERIFY(QFile::remove(folders.appDir + "/Nouveau.lmv")); // would be filled in again
        const Tree before = FolderTree::read(temp.path());
        ScriptedPlatform platform;
        Startup second(platform, folders, pristine);
        QVERIFY(!second.prepare());
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].text, "Lumivue est déjà ouvert.");
        QCOMPARE(platform.messages[0].title, "Lumivue");
        QCOMPARE(platform.messages[0].icon, Platform::Icon::Exclamation);
        QCOMPARE(FolderTree::read(temp.path()), before);
    }

    void startRefused_data()
    {
        QTest::addColumn<Tree>("around");
        QTest::addColumn<bool>("pristineFound");
        QTest::addColumn<QString>("messagePart");
        QTest::newRow("BackupRootIsAFile") << Tree{{"state", "my file"}} << true << "sauvegarde";
        QTest::newRow("AppDirIsAFile") << Tree{{"data", "my file"}} << true << "créer son dossier";
        QTest::newRow("NoPristineFolder") << Tree{} << false << "introuvables";
    }
    void startRefused()
    {
        QFETCH(Tree, around);
        QFETCH(bool, pristineFound);
        QTemporaryDir temp;
        QVERIFY(FolderTree::write(temp.path(), around));
        const AppFolders folders{temp.filePath("data"), temp.filePath("state")};
        const QStringList pristine = pristineFound
            ? QStringList{qEnvironmentVariable("LUMIVUE_APPDATA")}
            : QStringList{temp.filePath("a"), temp.filePath("b")};
        ScriptedPlatform platform;
        Startup startup(platform, folders, pristine);
        QVERIFY(!startup.prepare());
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].icon, Platform::Icon::Stop);
        QFETCH(QString, messagePart);
        QVERIFY2(platform.messages[0].text.contains(messagePart),
                 qPrintable(platform.messages[0].text));
        if (!pristineFound)
            QVERIFY(platform.messages[0].text.contains(temp.filePath("b")));
        // Only the lock may have been made; the user's files are as they were.
        Tree after = FolderTree::read(temp.path());
        after.remove("state/");
        after.remove("state/lumivue.lock");
        QCOMPARE(after, around);
    }

    void incompleteFillStillStarts()
    {
        QTemporaryDir temp;
        const AppFolders folders{temp.filePath("data"), temp.filePath("state")};
        QVERIFY(FolderTree::write(folders.appDir, {{"Textures", "my file"}}));
        ScriptedPlatform platform;
        Startup startup(platform, folders, {qEnvironmentVariable("LUMIVUE_APPDATA")});
        QVERIFY(startup.prepare());
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].icon, Platform::Icon::Exclamation);
        QVERIFY(platform.messages[0].text.contains("Textures/"));
        QVERIFY(QFile::exists(folders.appDir + "/Nouveau.lmv"));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
