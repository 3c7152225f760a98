#include "storagefixture.h"

#include "project/textfile.h"

class TestTextFile : public QObject
{
    Q_OBJECT
private slots:
    void everyByteComesBack();
    void characters_data();
    void characters();
    void splitLines_data();
    void splitLines();
    void writeLines_data();
    void writeLines();
};

// Whatever bytes a file holds, reading and writing it again gives the same bytes.
void TestTextFile::everyByteComesBack()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = TextFile::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(TextFile::encode(text), all);
}

void TestTextFile::characters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Ascii") << "Nom=Vacances" << QByteArray("Nom=Vacances");
    QTest::newRow("Latin1Accents") << "Été à Noël" << QByteArray("\xC9t\xE9 \xE0 No\xEBl");
    QTest::newRow("EuroAndQuotes") << "€ „x“ œ Ÿ" << QByteArray("\x80 \x84x\x93 \x9C \x9F");
    QTest::newRow("OutsideIsUtf8WithBom")
        << "Café ✓ 日本"
        << QByteArray("\xEF\xBB\xBF"
                      "Caf\xC3\xA9 \xE2\x9C\x93 \xE6\x97\xA5\xE6\x9C\xAC");
    QTest::newRow("ReplacementCharIsNotAByte")
        << QString(QChar(0xFFFD)) << QByteArray("\xEF\xBB\xBF\xEF\xBF\xBD");
}

void TestTextFile::characters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(TextFile::encode(text), bytes);
    QCOMPARE(TextFile::decode(bytes), text);
}

void TestTextFile::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CrLf") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("NoFinalLineEnd") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("LfOnly") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("LoneCr") << "a\rb" << QStringList{"a", "b"};
    QTest::newRow("EmptyLineKept") << "a\r\n\r\nb\r\n" << QStringList{"a", "", "b"};
    QTest::newRow("OnlyLineEnd") << "\r\n" << QStringList{""};
    QTest::newRow("Empty") << "" << QStringList{};
}

void TestTextFile::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(TextFile::splitLines(text), lines);
}

void TestTextFile::writeLines_data()
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
void TestTextFile::writeLines()
{
    QFETCH(QString, target);
    QFETCH(bool, breakHalfWay);
    QFETCH(bool, written);
    QTemporaryDir dir;
    put(dir.filePath("p.lmv"), "old\r\n");
    put(dir.filePath("plain"), "P");
    QDir(dir.path()).mkdir("folder");
    Files expected = snapshot(dir.path());

    const QStringList lines{"Nom=é", QString(5000, 'x'), ""};
    bool ok;
    {
        FileSizeLimit limit(breakHalfWay ? 1000 : RLIM_INFINITY);
        ok = TextFile::writeLines(dir.filePath(target), lines);
    }
    QCOMPARE(ok, written);
    if (written) {
        expected[target] = "Nom=\xE9\r\n" + QByteArray(5000, 'x') + "\r\n\r\n";
        QCOMPARE(TextFile::readLines(dir.filePath(target)), lines);
    } else {
        QVERIFY(!TextFile::readLines(dir.filePath(target)) || target == "p.lmv");
    }
    QCOMPARE(snapshot(dir.path()), expected);
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
