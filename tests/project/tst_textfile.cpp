#include "project/textfile.h"
#include "storagefixture.h"

class TestTextFile : public QObject
{
    Q_OBJECT
private slots:
    void everyByteComesBack();
    void characters_data();
    void characters();
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
    QCOMPARE(TextFile::encode(TextFile::decode(all)), all);
}

void TestTextFile::characters_data()
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

void TestTextFile::characters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(TextFile::encode(text), bytes);
    QCOMPARE(TextFile::decode(bytes), text);
}

void TestTextFile::splitLines()
{
    QCOMPARE(TextFile::splitLines("a\r\nb\nc\rd\r\n\r\ne"),
             QStringList({"a", "b", "c", "d", "", "e"}));
    QCOMPARE(TextFile::splitLines("\r\n"), QStringList{""});
    QCOMPARE(TextFile::splitLines(""), QStringList());
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

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
