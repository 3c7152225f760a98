#include "editor/slideedits.h"
#include "editor/slidefiles.h"
#include "slidefolder.h"
#include "support/scriptedplatform.h"

#include <QTest>

using SlideFiles::Outcome;
Q_DECLARE_METATYPE(Outcome)

// The slide list's file steps and their messages, on real files.
class TestSlideFiles : public QObject
{
    Q_OBJECT
private slots:
    void add_data()
    {
        QTest::addColumn<QString>("files");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("source");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("after");
        const QString text = QStringLiteral("src/notes.jpg=Liste_des_courses");
        // clang-format off
        QTest::newRow("199 gives 200") << "src/a.jpg" << 199 << "src/a.jpg" << Outcome::Done << "P199.jpg:a.jpg";
        QTest::newRow("200 is full") << "src/a.jpg" << 200 << "src/a.jpg" << Outcome::Full << "";
        QTest::newRow("PHOTO.GIF") << "P0.jpg src/PHOTO.GIF" << 1 << "src/PHOTO.GIF" << Outcome::Done << "P0.jpg:P0.jpg P1.gif:PHOTO.GIF";
        QTest::newRow(".jpeg") << "P0.jpg src/vue.jpeg" << 1 << "src/vue.jpeg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:vue.jpeg";
        QTest::newRow("leftovers replaced") << "P0.jpg P1.gif P1.jpg src/a.jpg" << 1 << "src/a.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:a.jpg";
        QTest::newRow("the target itself") << "P0.jpg P1.jpg" << 1 << "P1.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:P1.jpg";
        QTest::newRow("from the project") << "P0.jpg P1.gif" << 1 << "P0.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:P0.jpg";
        QTest::newRow("renamed text file") << "P0.jpg " + text << 1 << "src/notes.jpg" << Outcome::NotAPicture << "P0.jpg:P0.jpg";
        QTest::newRow("PNG") << "P0.jpg src/a.png" << 1 << "src/a.png" << Outcome::NotAPicture << "P0.jpg:P0.jpg";
        QTest::newRow("folder at the target") << "P0.jpg P1.jpg/ src/a.jpg" << 1 << "src/a.jpg" << Outcome::CopyFailed << "P0.jpg:P0.jpg P1.jpg/";
        // clang-format on
    }
    void add()
    {
        QFETCH(QString, files);
        QFETCH(int, count);
        QFETCH(QString, source);
        QFETCH(Outcome, outcome);
        SlideFolder folder(files, count);
        const bool adds = outcome == Outcome::Done || outcome == Outcome::CopyFailed;
        QCOMPARE(SlideFiles::appendSlide(folder.project, folder.temp.path(source), "Mer"), outcome);
        QTEST(folder.listing(), "after");
        QCOMPARE(folder.project.slideCount, count + (adds ? 1 : 0));
        QCOMPARE(folder.project.saved, !adds);
        QCOMPARE(folder.project.htmlGenerated, !adds);
        if (adds) {
            QCOMPARE(folder.project.currentSlide, count);
            QCOMPARE(folder.project.slideLines[count], "Mer");
            QCOMPARE(folder.project.imageTypes[count], source.endsWith("GIF") ? ".gif" : ".jpg");
        }
    }

    void cutDownloadRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("JPEG") << "a.jpg";
        QTest::newRow("GIF") << "a.gif";
    }
    void cutDownloadRefused()
    {
        QFETCH(QString, name);
        SlideFolder folder("src/" + name);
        const QString path = folder.temp.path("src/" + name);
        QVERIFY(!SlideFiles::pictureType(path).isEmpty());
        QFile(path).resize(QFileInfo(path).size() - 2);
        QVERIFY(SlideFiles::pictureType(path).isEmpty());
    }

    void change_data()
    {
        QTest::addColumn<QString>("files");
        QTest::addColumn<QString>("source");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("htmlGenerated");
        QTest::addColumn<QString>("type");
        // clang-format off
        QTest::newRow("GIF given a JPEG") << "P0.jpg P1.gif src/a.jpg" << "src/a.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:a.jpg" << false << false << ".jpg";
        QTest::newRow("same type") << "P0.jpg P1.jpg src/a.jpg" << "src/a.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:a.jpg" << false << true << ".jpg";
        QTest::newRow("the target itself") << "P0.jpg P1.jpg" << "P1.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:P1.jpg" << true << true << ".jpg";
        QTest::newRow("another slide's") << "P0.gif P1.jpg" << "P0.gif" << Outcome::Done << "P0.gif:P0.gif P1.gif:P0.gif" << false << false << ".gif";
        QTest::newRow("not a picture") << "P0.jpg P1.gif src/t.gif=GIF89a" << "src/t.gif" << Outcome::NotAPicture << "P0.jpg:P0.jpg P1.gif:P1.gif" << true << true << ".gif";
        QTest::newRow("folder at the target") << "P0.jpg P1.gif P1.jpg/ src/a.jpg" << "src/a.jpg" << Outcome::CopyFailed << "P0.jpg:P0.jpg P1.gif:P1.gif P1.jpg/" << true << true << ".gif";
        // clang-format on
    }
    void change()
    {
        QFETCH(QString, files);
        QFETCH(QString, source);
        SlideFolder folder(files);
        folder.project.currentSlide = 1;
        QTEST(SlideFiles::changeImage(folder.project, folder.temp.path(source)), "outcome");
        QTEST(folder.listing(), "after");
        QTEST(folder.project.saved, "saved");
        QTEST(folder.project.htmlGenerated, "htmlGenerated");
        QTEST(folder.project.imageTypes[1], "type");
        QCOMPARE(folder.captions(), "c0 c1");
    }

    void remove_data()
    {
        QTest::addColumn<QString>("files");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("titles");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("captions");
        const QString five = "P0.jpg P1.gif P2.jpg P3.jpg P4.gif";
        const QString unchanged =
            "P0.jpg:P0.jpg P1.gif:P1.gif P2.jpg:P2.jpg P3.jpg:P3.jpg P4.gif:P4.gif";
        // clang-format off
        QTest::newRow("five-slide example") << five << 1 << "Y" << "ATTENTION" << "P0.jpg:P0.jpg P1.jpg:P2.jpg P2.jpg:P3.jpg P3.gif:P4.gif" << 1 << "c0 c2 c3 c4";
        QTest::newRow("last of three") << "P0.jpg P1.jpg P2.gif" << 2 << "Y" << "ATTENTION" << "P0.jpg:P0.jpg P1.jpg:P1.jpg P2.gif:P2.gif" << 1 << "c0 c1";
        QTest::newRow("slide 0 of two") << "P0.gif P1.jpg" << 0 << "Y" << "ATTENTION" << "P0.jpg:P1.jpg" << 0 << "c1";
        QTest::newRow("the only slide") << "P0.jpg" << 0 << "Y" << "ALERTE" << "P0.jpg:P0.jpg" << 0 << "c0";
        QTest::newRow("No") << five << 1 << "N" << "ATTENTION" << unchanged << 1 << "c0 c1 c2 c3 c4";
        QTest::newRow("a missing picture") << "P0.jpg -P1.jpg P2.gif" << 0 << "Y" << "ATTENTION" << "P1.gif:P2.gif" << 0 << "c1 c2";
        QTest::newRow("a rename that fails") << "P0.jpg P1.jpg P2.gif P3.jpg P1.gif/" << 0 << "Y" << "ATTENTION|ATTENTION" << "P0.jpg:P1.jpg P1.gif/ P2.gif:P2.gif P3.jpg:P3.jpg" << 0 << "c1  c2 c3";
        // clang-format on
    }
    void remove()
    {
        QFETCH(QString, files);
        QFETCH(QString, answers);
        SlideFolder folder(files);
        const int count = folder.project.slideCount;
        QFETCH(int, current);
        folder.project.currentSlide = std::int16_t(current);
        ScriptedPlatform platform;
        platform.answer(answers);
        const bool changed = SlideEdits::DeleteCurrentSlide(platform, folder.project);
        QTEST(platform.titles(), "titles");
        QTEST(folder.listing(), "after");
        QTEST(int(folder.project.currentSlide), "shown");
        QTEST(folder.captions(), "captions");
        QCOMPARE(folder.project.saved, !changed);
        QCOMPARE(folder.project.htmlGenerated, !changed);
        QCOMPARE(changed, answers == "Y" && count > 1);
    }

    void drop_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("dropped");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("message"); // part of it
        // clang-format off
        QTest::newRow("three files") << "P" << 1 << "a.jpg b.GIF c.jpeg" << "P1.jpg:a.jpg P2.gif:b.GIF P3.jpg:c.jpeg" << "";
        QTest::newRow("with a PNG") << "P" << 1 << "a.jpg d.png b.GIF" << "P1.jpg:a.jpg P2.gif:b.GIF" << "2 diapos ont été ajoutées.\r\nSeules les images GIF et JPEG peuvent devenir des diapos ; refusé :\r\n   « d.png »";
        QTest::newRow("passing 200") << "P" << 198 << "a.jpg b.GIF c.jpeg" << "P198.jpg:a.jpg P199.gif:b.GIF" << "2 diapos ont été ajoutées.\r\nLe diaporama est plein (200 diapos) : 1 fichier n'a pas été ajouté.";
        QTest::newRow("no project") << "" << 0 << "a.jpg" << "" << "Aucun diaporama n'est ouvert.";
        QTest::newRow("default project") << "Nouveau" << 1 << "a.jpg" << "" << "Le diaporama « Nouveau » n'a pas encore de nom.";
        // clang-format on
    }
    void drop()
    {
        QFETCH(QString, name);
        QFETCH(int, count);
        QFETCH(QString, dropped);
        QFETCH(QString, message);
        SlideFolder folder("src/a.jpg src/b.GIF src/c.jpeg src/d.png", count);
        folder.project.loaded = !name.isEmpty();
        folder.project.name = name;
        folder.project.updateBasePath();
        QStringList paths;
        for (const QString &file : dropped.split(' '))
            paths << folder.temp.path("src/" + file);
        ScriptedPlatform platform;
        const int added = SlideEdits::dropPictures(platform, folder.project, paths);
        QTEST(folder.listing(), "after");
        QCOMPARE(folder.project.slideCount, count + added);
        QCOMPARE(platform.messages.isEmpty(), message.isEmpty());
        if (!message.isEmpty())
            QVERIFY2(platform.messages.first().text.startsWith(message),
                     qPrintable(platform.messages.first().text));
        if (added > 0)
            QCOMPARE(folder.project.currentSlide, count);
    }
};

QTEST_GUILESS_MAIN(TestSlideFiles)
#include "tst_slidefiles.moc"
