#include "editor/applyslideorder.h"
#include "project/fileops.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QTest>

#include <numeric>

// A reorder that cannot finish leaves every picture and slide as it was.
class TestApplySlideOrder : public QObject
{
    Q_OBJECT
private slots:
    // "missing n" / "folder n": slide n's picture gone / a folder in its place;
    // "stray name": that name is taken; "vanish n": the source of rename n (from
    // 1) goes just before it; "refuse n": rename n fails; "long": no room
    // in a name for the temporary names of positions 10 and up.
    void failureChangesNothing_data()
    {
        QTest::addColumn<QString>("setup");   // the slides (g: GIF, j: JPEG), the provocation
        QTest::addColumn<QString>("message"); // a part of the one message

        const QString back("%1.\r\n\r\nToutes les images ont été remises en place. L'ordre des "
                           "diapositives n'a pas été modifié.");
        const QString missing(
            "%1 est introuvable.\r\n\r\nL'ordre des diapositives n'a pas été modifié.");
        const QString taken("%1 occupe un nom");
        QTest::newRow("Missing") << "jgj missing 2" << missing.arg("Vacances2.jpg");
        QTest::newRow("Folder") << "jgj folder 0" << missing.arg("Vacances0.jpg");
        QTest::newRow("TemporaryNameTaken")
            << "jgj stray Vacances_temp_0.jpg" << taken.arg("_temp_0.jpg");
        QTest::newRow("NewNameTaken") << "gjj stray Vacances0.jpg" << taken.arg("Vacances0.jpg");
        QTest::newRow("VanishesMidway") << "jgjgj vanish 3" << back.arg("Vacances1.gif").left(13);
        QTest::newRow("ToFinalRefused") << "jgjgj refuse 8" << back.arg("Vacances4.jpg");
        QTest::newRow("NameTooLong") << "jjjjjjjjjjjj long" << back.arg("_temp_10.jpg");
    }

    void failureChangesNothing()
    {
        QFETCH(QString, setup);
        QFETCH(QString, message);

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
        const QString picture = QFileInfo(project.imagePath(words.value(1).toInt())).fileName();
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
        std::vector<int> reversed(types.size());
        std::iota(reversed.rbegin(), reversed.rend(), 0);
        QVERIFY(!ApplySlideOrder(project, reversed, platform, rename));

        Files expected = before;
        if (words[0] == "vanish") // the one picture that truly went
            expected.remove("Vacances1.gif");
        QCOMPARE(dir.snapshot(), expected);
        QCOMPARE(project.slideLines, was.slideLines);
        QCOMPARE(project.imageTypes, was.imageTypes);
        QVERIFY(project.saved);
        QCOMPARE(platform.messages.size(), 1);
        QVERIFY2(platform.messages[0].text.contains(message),
                 qPrintable(platform.messages[0].text));
    }
};

QTEST_GUILESS_MAIN(TestApplySlideOrder)
#include "tst_applyslideorder.moc"
