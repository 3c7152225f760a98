#include "editor/applyslideorder.h"
#include "project/fileops.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QTest>

// A reorder that cannot finish leaves every picture and slide as it was.
// (Reorders that succeed are checked on disk by the sorter's tests.)
class TestApplySlideOrder : public QObject
{
    Q_OBJECT
private slots:
    void failureChangesNothing_data();
    void failureChangesNothing();
};

// provocation, n a number:
//   "missing n" / "folder n": slide n's picture gone / a folder in its place;
//   "stray name": a file already holds a name that the renames need;
//   "vanish n": the source of rename n (counted from 1) disappears just before;
//   "refuse n m": renames n and m are refused;
//   "long": the project's name leaves no room for the temporary names of
//            positions 10 and up, which are one character longer.
void TestApplySlideOrder::failureChangesNothing_data()
{
    QTest::addColumn<QString>("setup");    // the slides (g: GIF, j: JPEG), the provocation
    QTest::addColumn<QString>("message");  // a part of the one message
    QTest::addColumn<QStringList>("left"); // pictures not put back, as "name=slide"

    const QString back = ".\r\n\r\nToutes les images ont été remises en place. L'ordre des "
                         "diapositives n'a pas été modifié.";
    const QString missing =
        " est introuvable.\r\n\r\nL'ordre des diapositives n'a pas été modifié.";
    const QString taken = " occupe un nom";
    QTest::newRow("Missing") << "jgj missing 2"
                             << "Vacances2.jpg" + missing << QStringList();
    QTest::newRow("Folder") << "jgj folder 0"
                            << "Vacances0.jpg" + missing << QStringList();
    QTest::newRow("TemporaryNameTaken") << "jgj stray Vacances_temp_0.jpg"
                                        << "_temp_0.jpg" + taken << QStringList();
    QTest::newRow("NewNameTaken") << "gjj stray Vacances0.jpg"
                                  << "Vacances0.jpg" + taken << QStringList();
    QTest::newRow("VanishesMidway")
        << "jgjgj vanish 3" << QString("Vacances1.gif n'a pas pu") << QStringList();
    QTest::newRow("FirstToFinalRefused") << "jgjgj refuse 5"
                                         << "Vacances0.jpg" + back << QStringList();
    QTest::newRow("LastToFinalRefused") << "jgjgj refuse 8"
                                        << "Vacances4.jpg" + back << QStringList();
    QTest::newRow("NameTooLong") << "jjjjjjjjjjjj long"
                                 << "_temp_10.jpg" + back << QStringList();
    // The last rename fails and so does undoing the one before it.
    QTest::newRow("UndoRefused") << "jjj refuse 4 5" << QString("doivent être renommés à la main")
                                 << QStringList{"Vacances0.jpg=2", "Vacances_temp_2.jpg=0"};
}

void TestApplySlideOrder::failureChangesNothing()
{
    QFETCH(QString, setup);
    QFETCH(QString, message);
    QFETCH(QStringList, left);

    QStringList words = setup.split(' ');
    const QString types = words.takeFirst();
    TempFolder dir;
    ScriptedPlatform platform;
    SlideshowProject project;
    // 244 characters and "_temp_10.jpg" make 256, one more than a name may have.
    project.name = QString(words[0] == "long" ? 236 : 0, 'x') + "Vacances";
    project.folder = dir.path();
    project.updateBasePath();
    project.slideCount = std::int16_t(types.size());
    for (int k = 0; k < types.size(); ++k) {
        project.imageTypes[k] = types[k] == 'g' ? ".gif" : ".jpg";
        project.slideLines[k] = QStringLiteral("caption %1").arg(k);
        writeFile(project.imagePath(k), "picture " + QByteArray::number(k));
    }
    const QString picture = words.size() > 1
        ? QFileInfo(project.imagePath(words[1].toInt())).fileName()
        : "";
    if (words[0] == "missing" || words[0] == "folder")
        dir.remove(picture);
    if (words[0] == "folder" || words[0] == "stray")
        dir.write(words[0] == "folder" ? picture + "/" : words[1], "stray");
    const Files before = dir.snapshot();
    const SlideshowProject was = project;

    int renames = 0;
    const RenameStep rename = [&](const QString &from, const QString &to) {
        const QString n = QString::number(++renames);
        if (words[0] == "vanish" && words[1] == n)
            QFile::remove(from);
        return !(words[0] == "refuse" && words.contains(n)) && FileOps::renameNew(from, to);
    };
    std::vector<int> reversed;
    for (int k = types.size() - 1; k >= 0; --k)
        reversed.push_back(k);
    QVERIFY(!ApplySlideOrder(project, reversed, platform, rename));

    Files expected = before;
    if (words[0] == "vanish") // the one picture that truly went
        expected.remove("Vacances1.gif");
    for (const QString &entry : left)
        expected.remove(QFileInfo(project.imagePath(entry.section('=', 1).toInt())).fileName());
    for (const QString &entry : left)
        expected.insert(entry.section('=', 0, 0), "picture " + entry.section('=', 1).toLatin1());
    QCOMPARE(dir.snapshot(), expected);
    QCOMPARE(project.slideLines, was.slideLines);
    QCOMPARE(project.imageTypes, was.imageTypes);
    QVERIFY(project.saved);
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY2(platform.messages[0].text.contains(message), qPrintable(platform.messages[0].text));
}

QTEST_GUILESS_MAIN(TestApplySlideOrder)
#include "tst_applyslideorder.moc"
