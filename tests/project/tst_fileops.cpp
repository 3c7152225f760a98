#include "storagefixture.h"

#include "project/fileops.h"

#include <QProcess>

using FileOps::Result;
Q_DECLARE_METATYPE(Result)

namespace {

Result run(const QString &op, const QString &source, const QString &target)
{
    if (op == "copy")
        return FileOps::copy(source, target);
    if (op == "move")
        return FileOps::move(source, target);
    if (op == "direct")
        return FileOps::copyDirect(source, target);
    return FileOps::remove(source);
}

} // namespace

class TestFileOps : public QObject
{
    Q_OBJECT
private slots:
    void exists_data();
    void exists();
    void step_data();
    void step();
    void acrossDevices_data();
    void acrossDevices();
    void sourceThatCannotGo();
};

void TestFileOps::exists_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("expected");
    QTest::newRow("File") << "a.txt" << true;
    QTest::newRow("EmptyFile") << "empty" << true;
    QTest::newRow("Missing") << "x.txt" << false;
    QTest::newRow("Folder") << "folder" << false;
}

void TestFileOps::exists()
{
    QFETCH(QString, entry);
    QFETCH(bool, expected);
    QTemporaryDir dir;
    put(dir.filePath("a.txt"), "A");
    put(dir.filePath("empty"), "");
    QDir(dir.path()).mkdir("folder");
    QCOMPARE(FileOps::exists(dir.filePath(entry)), expected);
}

void TestFileOps::step_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<Result>("expected");
    // Entries that change, as "path=content" ("<missing>" when gone); all others stay.
    QTest::addColumn<QStringList>("changes");

    QTest::newRow("CopyNew") << "copy"
                             << "a.txt"
                             << "c.txt" << Result::Done << QStringList{"c.txt=A"};
    QTest::newRow("CopyOverExisting") << "copy"
                                      << "a.txt"
                                      << "b.txt" << Result::Done << QStringList{"b.txt=A"};
    QTest::newRow("CopySourceMissing") << "copy"
                                       << "x.txt"
                                       << "b.txt" << Result::Missing << QStringList{};
    QTest::newRow("CopySourceIsFolder") << "copy"
                                        << "folder"
                                        << "b.txt" << Result::Missing << QStringList{};
    QTest::newRow("CopyOntoItself") << "copy"
                                    << "a.txt"
                                    << "folder/../a.txt" << Result::AlreadyInPlace << QStringList{};
    QTest::newRow("CopyOntoFolder") << "copy"
                                    << "a.txt"
                                    << "folder" << Result::Failed << QStringList{};
    QTest::newRow("CopyIntoPlainFile") << "copy"
                                       << "a.txt"
                                       << "plain/a.txt" << Result::Failed << QStringList{};
    QTest::newRow("CopyIntoMissingFolder") << "copy"
                                           << "a.txt"
                                           << "none/a.txt" << Result::Failed << QStringList{};
    QTest::newRow("DirectOverExisting") << "direct"
                                        << "a.txt"
                                        << "b.txt" << Result::Done << QStringList{"b.txt=A"};
    QTest::newRow("DirectSourceMissing") << "direct"
                                         << "x.txt"
                                         << "b.txt" << Result::Missing << QStringList{};
    QTest::newRow("DirectOntoItself") << "direct"
                                      << "a.txt"
                                      << "./a.txt" << Result::AlreadyInPlace << QStringList{};
    QTest::newRow("DirectOntoFolder") << "direct"
                                      << "a.txt"
                                      << "folder" << Result::Failed << QStringList{};
    QTest::newRow("MoveRename") << "move"
                                << "a.txt"
                                << "c.txt" << Result::Done
                                << QStringList{"a.txt=<missing>", "c.txt=A"};
    QTest::newRow("MoveOverExisting")
        << "move"
        << "a.txt"
        << "b.txt" << Result::Done << QStringList{"a.txt=<missing>", "b.txt=A"};
    QTest::newRow("MoveMissing") << "move"
                                 << "x.txt"
                                 << "b.txt" << Result::Missing << QStringList{};
    QTest::newRow("MoveOntoItself") << "move"
                                    << "a.txt"
                                    << "./a.txt" << Result::AlreadyInPlace << QStringList{};
    QTest::newRow("MoveOntoFolder") << "move"
                                    << "a.txt"
                                    << "folder" << Result::Failed << QStringList{};
    QTest::newRow("MoveIntoPlainFile") << "move"
                                       << "a.txt"
                                       << "plain/a.txt" << Result::Failed << QStringList{};
    QTest::newRow("MoveFolder") << "move"
                                << "folder"
                                << "z" << Result::Missing << QStringList{};
    QTest::newRow("Remove") << "remove"
                            << "a.txt"
                            << "" << Result::Done << QStringList{"a.txt=<missing>"};
    QTest::newRow("RemoveMissing") << "remove"
                                   << "x.txt"
                                   << "" << Result::Missing << QStringList{};
    QTest::newRow("RemoveFolder") << "remove"
                                  << "folder"
                                  << "" << Result::Missing << QStringList{};
}

void TestFileOps::step()
{
    QFETCH(QString, op);
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(Result, expected);
    QFETCH(QStringList, changes);

    QTemporaryDir dir;
    put(dir.filePath("a.txt"), "A");
    put(dir.filePath("b.txt"), "B");
    put(dir.filePath("folder/inside.txt"), "I");
    put(dir.filePath("plain"), "P");
    Files expectedFiles = snapshot(dir.path());
    for (const QString &change : changes) {
        const auto parts = change.split('=');
        if (parts[1] == "<missing>")
            expectedFiles.remove(parts[0]);
        else
            expectedFiles[parts[0]] = parts[1].toUtf8();
    }

    QCOMPARE(run(op, dir.filePath(source), dir.filePath(target)), expected);
    QCOMPARE(snapshot(dir.path()), expectedFiles);
}

void TestFileOps::acrossDevices_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<bool>("breakHalfWay");
    QTest::addColumn<Result>("expected");
    QTest::newRow("Move") << "move" << false << Result::Done;
    QTest::newRow("MoveBrokenHalfWay") << "move" << true << Result::Failed;
    QTest::newRow("Copy") << "copy" << false << Result::Done;
    QTest::newRow("CopyBrokenHalfWay") << "copy" << true << Result::Failed;
    QTest::newRow("DirectBrokenHalfWay") << "direct" << true << Result::Failed;
}

// A rename cannot cross file systems: the file is copied, checked and only
// then the source removed; a copy broken half-way changes nothing.
void TestFileOps::acrossDevices()
{
    QFETCH(QString, op);
    QFETCH(bool, breakHalfWay);
    QFETCH(Result, expected);

    QTemporaryDir here;
    const auto there = folderOnOtherDevice(here.path());
    if (!there)
        QSKIP("no second file system (tmpfs at /dev/shm) on this machine");

    QByteArray big(3 * 1024 * 1024, Qt::Uninitialized);
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = char(i * 7 + i / 4096);
    put(here.filePath("big.jpg"), big);
    put(there->filePath("big.jpg"), "previous target");
    const Files sourceBefore = snapshot(here.path());
    const Files targetBefore = snapshot(there->path());

    Result result;
    {
        FileSizeLimit limit(breakHalfWay ? 64 * 1024 : RLIM_INFINITY);
        result = run(op, here.filePath("big.jpg"), there->filePath("big.jpg"));
    }
    QCOMPARE(result, expected);
    if (breakHalfWay) {
        QCOMPARE(snapshot(here.path()), sourceBefore);
        // A direct copy leaves no half-written target; the others leave the old one.
        QCOMPARE(snapshot(there->path()), op == "direct" ? Files{} : targetBefore);
        return;
    }
    QCOMPARE(snapshot(there->path()), (Files{{"big.jpg", big}}));
    QCOMPARE(snapshot(here.path()), op == "move" ? Files{} : sourceBefore);
}

// When the source cannot be deleted after a move across file systems, the
// copy stands and the caller is told that the source is still there.
void TestFileOps::sourceThatCannotGo()
{
    QTemporaryDir here;
    const auto there = folderOnOtherDevice(here.path());
    if (!there)
        QSKIP("no second file system (tmpfs at /dev/shm) on this machine");
    put(here.filePath("locked/a.gif"), "A");
    if (QProcess::execute("chattr", {"+i", here.filePath("locked")}) != 0)
        QSKIP("this file system cannot make a folder immutable");

    const Result result = FileOps::move(here.filePath("locked/a.gif"), there->filePath("a.gif"));
    QProcess::execute("chattr", {"-i", here.filePath("locked")});
    QCOMPARE(result, Result::SourceKept);
    QVERIFY(FileOps::succeeded(result));
    QCOMPARE(snapshot(here.path()), (Files{{"locked", "<folder>"}, {"locked/a.gif", "A"}}));
    QCOMPARE(snapshot(there->path()), (Files{{"a.gif", "A"}}));
}

QTEST_GUILESS_MAIN(TestFileOps)
#include "tst_fileops.moc"
