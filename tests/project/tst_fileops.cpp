#include "project/fileops.h"
#include "project/textfile.h"
#include "storagefixture.h"

#include <QProcess>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

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

// Runs step within a few seconds, or fails. A step caught waiting on the
// FIFO at fifo is released, so that the test can end: opened at both ends and
// closed at once, the FIFO lets a waiting open go on and its reads end.
template<typename Step>
auto promptly(Step step, const QString &fifo)
{
    using namespace std::chrono_literals;
    auto done = std::async(std::launch::async, step);
    if (done.wait_for(5s) == std::future_status::timeout) {
        std::signal(SIGPIPE, SIG_IGN);
        while (done.wait_for(100ms) == std::future_status::timeout)
            ::close(::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK));
        [] { QFAIL("the step waited on a file that is no regular file"); }();
    }
    return done.get();
}

} // namespace

// The file steps of the storage and its text files.
class TestFileOps : public QObject
{
    Q_OBJECT
private slots:
    // A file exists when it can be opened for reading; a folder does not count.
    void exists()
    {
        TempFolder dir;
        dir.write({{"a.txt", "A"}, {"empty", ""}, {"folder/", ""}});
        QVERIFY(FileOps::exists(dir.path("a.txt")) && FileOps::exists(dir.path("empty")));
        QVERIFY(!FileOps::exists(dir.path("x.txt")) && !FileOps::exists(dir.path("folder")));
    }

    void step_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<Result>("expected");
        QTest::addColumn<QStringList>("changes"); // "name=content", "name=" when gone
        const auto row = [](const char *name, const char *op, const char *source,
                            const char *target, Result expected, const QStringList &changes = {}) {
            QTest::newRow(name) << op << source << target << expected << changes;
        };
        row("CopyNew", "copy", "a.txt", "c.txt", Result::Done, {"c.txt=A"});
        row("CopyOverExisting", "copy", "a.txt", "b.txt", Result::Done, {"b.txt=A"});
        row("CopySourceIsFolder", "copy", "folder", "b.txt", Result::Missing);
        row("CopyOntoItself", "copy", "a.txt", "folder/../a.txt", Result::AlreadyInPlace);
        row("CopyOntoFolder", "copy", "a.txt", "folder", Result::Failed);
        row("CopyIntoPlainFile", "copy", "a.txt", "plain/a.txt", Result::Failed);
        row("DirectOverExisting", "direct", "a.txt", "b.txt", Result::Done, {"b.txt=A"});
        row("DirectSourceMissing", "direct", "x.txt", "b.txt", Result::Missing);
        row("DirectOntoItself", "direct", "a.txt", "./a.txt", Result::AlreadyInPlace);
        row("DirectOntoFolder", "direct", "a.txt", "folder", Result::Failed);
        row("MoveOverExisting", "move", "a.txt", "b.txt", Result::Done, {"a.txt=", "b.txt=A"});
        row("MoveMissing", "move", "x.txt", "b.txt", Result::Missing);
        row("MoveOntoItself", "move", "a.txt", "./a.txt", Result::AlreadyInPlace);
        row("MoveOntoFolder", "move", "a.txt", "folder", Result::Failed);
        row("MoveFolder", "move", "folder", "z", Result::Missing);
        row("Remove", "remove", "a.txt", "", Result::Done, {"a.txt="});
        row("RemoveFolder", "remove", "folder", "", Result::Missing);
    }

    void step()
    {
        QFETCH(QString, op);
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(Result, expected);
        QFETCH(QStringList, changes);
        TempFolder dir;
        dir.write({{"a.txt", "A"}, {"b.txt", "B"}, {"folder/inside.txt", "I"}, {"plain", "P"}});
        Files expectedFiles = dir.snapshot();
        for (const QString &change : changes) {
            const auto [name, content] = std::pair(change.section('=', 0, 0),
                                                   change.section('=', 1));
            if (content.isEmpty())
                expectedFiles.remove(name);
            else
                expectedFiles[name] = content.toUtf8();
        }
        QCOMPARE(run(op, dir.path(source), dir.path(target)), expected);
        QCOMPARE(dir.snapshot(), expectedFiles);
    }

    void strangeFile_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<Result>("expected");
        for (const char *op : {"copy", "direct", "move", "remove"}) {
            for (const char *source : {"fifo", "zero", "folder"})
                QTest::addRow("%s_%s", op, source) << op << source << "t.jpg" << Result::Missing;
        }
        QTest::newRow("DirectOntoFifo") << "direct" << "a.jpg" << "fifo" << Result::Failed;
    }

    // A FIFO, a device (here through a link) or a folder in a picture's place
    // counts as missing, and no step waits on it nor reads it without end.
    void strangeFile()
    {
        QFETCH(QString, op);
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(Result, expected);
        TempFolder dir;
        dir.write({{"a.jpg", "A"}, {"t.jpg", "T"}, {"folder/", ""}});
        QCOMPARE(::mkfifo(QFile::encodeName(dir.path("fifo")).constData(), 0600), 0);
        QVERIFY(QFile::link("/dev/zero", dir.path("zero")));
        const Files before = dir.snapshot();
        const QString fifo = dir.path("fifo");
        QCOMPARE(promptly([&] { return FileOps::exists(dir.path(source)); }, fifo),
                 source == "a.jpg");
        QCOMPARE(promptly([&] { return run(op, dir.path(source), dir.path(target)); }, fifo),
                 expected);
        QCOMPARE(dir.snapshot(), before);
        QVERIFY(QFileInfo(fifo).exists() && QFileInfo(dir.path("zero")).isSymLink());
    }

    void acrossDevices_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<bool>("breakHalfWay");
        QTest::addColumn<Result>("expected");
        QTest::newRow("Move") << "move" << false << Result::Done;
        QTest::newRow("MoveBrokenHalfWay") << "move" << true << Result::Failed;
        QTest::newRow("CopyBrokenHalfWay") << "copy" << true << Result::Failed;
        QTest::newRow("DirectBrokenHalfWay") << "direct" << true << Result::Failed;
    }

    // A rename cannot cross file systems: the file is copied, checked and only
    // then the source removed; a copy broken half-way changes nothing.
    void acrossDevices()
    {
        QFETCH(QString, op);
        QFETCH(bool, breakHalfWay);
        QFETCH(Result, expected);
        TempFolder here;
        const auto there = folderOnOtherDevice(here.path());
        if (!there)
            QSKIP("no second file system (tmpfs at /dev/shm) on this machine");
        QByteArray big(3 * 1024 * 1024, Qt::Uninitialized);
        for (qsizetype i = 0; i < big.size(); ++i)
            big[i] = char(i * 7 + i / 4096);
        here.write("big.jpg", big);
        writeFile(there->filePath("big.jpg"), "previous target");
        const Files sourceBefore = here.snapshot();
        const Files targetBefore = snapshotOf(there->path());

        Result result;
        {
            FileSizeLimit limit(breakHalfWay ? 64 * 1024 : RLIM_INFINITY);
            result = run(op, here.path("big.jpg"), there->filePath("big.jpg"));
        }
        QCOMPARE(result, expected);
        if (breakHalfWay) {
            QCOMPARE(here.snapshot(), sourceBefore);
            // A direct copy leaves no half-written target; the others leave the old one.
            QCOMPARE(snapshotOf(there->path()), op == "direct" ? Files{} : targetBefore);
            return;
        }
        QCOMPARE(snapshotOf(there->path()), (Files{{"big.jpg", big}}));
        QCOMPARE(here.snapshot(), op == "move" ? Files{} : sourceBefore);
    }

    // When the source cannot be deleted after a move across file systems, the
    // copy stands and the caller is told that the source is still there.
    void sourceThatCannotGo()
    {
        TempFolder here;
        const auto there = folderOnOtherDevice(here.path());
        if (!there)
            QSKIP("no second file system (tmpfs at /dev/shm) on this machine");
        here.write("locked/a.gif", "A");
        if (QProcess::execute("chattr", {"+i", here.path("locked")}) != 0)
            QSKIP("this file system cannot make a folder immutable");
        const Result result = FileOps::move(here.path("locked/a.gif"), there->filePath("a.gif"));
        QProcess::execute("chattr", {"-i", here.path("locked")});
        QCOMPARE(result, Result::SourceKept);
        QVERIFY(FileOps::succeeded(result));
        QCOMPARE(here.snapshot(), (Files{{"locked/", "<folder>"}, {"locked/a.gif", "A"}}));
        QCOMPARE(snapshotOf(there->path()), (Files{{"a.gif", "A"}}));
    }

    // Whatever bytes a file holds, reading and writing it again gives the same bytes.
    void everyByteComesBack()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(TextFile::encode(TextFile::decode(all)), all);
    }

    void characters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("EuroAndQuotes")
            << "Été € „x“ œ Ÿ" << QByteArray("\xC9t\xE9 \x80 \x84x\x93 \x9C \x9F");
        QTest::newRow("OutsideIsUtf8WithBom") << "Café ✓"
                                              << QByteArray("\xEF\xBB\xBF"
                                                            "Caf\xC3\xA9 \xE2\x9C\x93");
        QTest::newRow("ReplacementCharIsNotAByte")
            << QString(QChar(0xFFFD)) << QByteArray("\xEF\xBB\xBF\xEF\xBF\xBD");
    }

    void characters()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(TextFile::encode(text), bytes);
        QCOMPARE(TextFile::decode(bytes), text);
    }

    void splitLines()
    {
        QCOMPARE(TextFile::splitLines("a\r\nb\nc\rd\r\n\r\ne"),
                 QStringList({"a", "b", "c", "d", "", "e"}));
        QCOMPARE(TextFile::splitLines("\r\n"), QStringList{""});
        QCOMPARE(TextFile::splitLines(""), QStringList());
    }

    void readLinesAsWhole_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray bom("\xEF\xBB\xBF");
        QTest::newRow("TwoMarks") << bom + bom; // found by the fuzzer
        QTest::newRow("MarkStartsALaterLine") << bom + "a\r\n" + bom + "b";
        QTest::newRow("CrLfAcrossReads") << QByteArray(65535, 'x') + "\r\ny\r";
        QTest::newRow("Cp1252LoneCrs") << QByteArray("\x80\r\r\n\n\xE9");
    }

    // Read line by line, a file gives the lines of the whole file decoded at once.
    void readLinesAsWhole()
    {
        QFETCH(QByteArray, bytes);
        TempFolder dir;
        dir.write("t.txt", bytes);
        QCOMPARE(TextFile::readLines(dir.path("t.txt")),
                 TextFile::splitLines(TextFile::decode(bytes)));
    }

    void writeLines_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("breakHalfWay");
        QTest::addColumn<bool>("written");
        QTest::newRow("Replaces") << "p.lmv" << false << true;
        QTest::newRow("TargetIsFolder") << "folder" << false << false;
        QTest::newRow("FolderIsPlainFile") << "plain/p.lmv" << false << false;
        QTest::newRow("BrokenHalfWay") << "p.lmv" << true << false;
    }

    // Lines end in CR LF; a write that fails leaves the previous file as it was
    // and no temporary file behind.
    void writeLines()
    {
        QFETCH(QString, target);
        QFETCH(bool, breakHalfWay);
        QFETCH(bool, written);
        TempFolder dir;
        dir.write({{"p.lmv", "old\r\n"}, {"plain", "P"}, {"folder/", ""}});
        Files expected = dir.snapshot();
        const QStringList lines{"Nom=é", QString(5000, 'x'), ""};
        bool ok;
        {
            FileSizeLimit limit(breakHalfWay ? 1000 : RLIM_INFINITY);
            ok = TextFile::writeLines(dir.path(target), lines);
        }
        QCOMPARE(ok, written);
        if (written) {
            expected[target] = "Nom=\xE9\r\n" + QByteArray(5000, 'x') + "\r\n\r\n";
            QCOMPARE(TextFile::readLines(dir.path(target)), lines);
        }
        QCOMPARE(dir.snapshot(), expected);
    }
};

QTEST_GUILESS_MAIN(TestFileOps)
#include "tst_fileops.moc"
