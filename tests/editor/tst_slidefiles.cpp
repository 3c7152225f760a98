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
        // clang-format off
        QTest::newRow("199 gives 200") << "src/a.jpg" << 199 << "src/a.jpg" << Outcome::Done << "P199.jpg:a.jpg";
        QTest::newRow("200 is full") << "src/a.jpg" << 200 << "src/a.jpg" << Outcome::Full << "";
        QTest::newRow("PHOTO.GIF") << "P0.jpg src/PHOTO.GIF" << 1 << "src/PHOTO.GIF" << Outcome::Done << "P0.jpg:P0.jpg P1.gif:PHOTO.GIF";
        QTest::newRow(".jpeg") << "P0.jpg src/vue.jpeg" << 1 << "src/vue.jpeg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:vue.jpeg";
        QTest::newRow("leftovers replaced") << "P0.jpg P1.gif P1.jpg src/a.jpg" << 1 << "src/a.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:a.jpg";
        QTest::newRow("the target itself") << "P0.jpg P1.jpg" << 1 << "P1.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:P1.jpg";
        QTest::newRow("from the project") << "P0.jpg P1.gif" << 1 << "P0.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:P0.jpg";
        QTest::newRow("renamed text file") << "P0.jpg src/t.jpg=Liste" << 1 << "src/t.jpg" << Outcome::NotAPicture << "P0.jpg:P0.jpg";
        QTest::newRow("PNG") << "P0.jpg src/a.png" << 1 << "src/a.png" << Outcome::NotAPicture << "P0.jpg:P0.jpg";
        QTest::newRow("cut JPEG") << "P0.jpg src/cut.jpg~" << 1 << "src/cut.jpg" << Outcome::NotAPicture << "P0.jpg:P0.jpg";
        QTest::newRow("cut GIF") << "P0.jpg src/cut.gif~" << 1 << "src/cut.gif" << Outcome::NotAPicture << "P0.jpg:P0.jpg";
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
        QCOMPARE(folder.project.slideCount, count + adds);
        QCOMPARE(folder.project.saved || folder.project.htmlGenerated, !adds);
        if (adds)
            QCOMPARE(
                QStringList({QString::number(folder.project.currentSlide),
                             folder.project.slideLines[count], folder.project.imageTypes[count]}),
                QStringList(
                    {QString::number(count), "Mer", source.endsWith("GIF") ? ".gif" : ".jpg"}));
    }

    void change_data()
    {
        QTest::addColumn<QString>("files");
        QTest::addColumn<QString>("source");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("state"); // type of slide 1, saved, page generated
        // clang-format off
        QTest::newRow("GIF given a JPEG") << "P0.jpg P1.gif src/a.jpg" << "src/a.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:a.jpg" << ".jpg 0 0";
        QTest::newRow("same type") << "P0.jpg P1.jpg src/a.jpg" << "src/a.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:a.jpg" << ".jpg 0 1";
        QTest::newRow("the target itself") << "P0.jpg P1.jpg" << "P1.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:P1.jpg" << ".jpg 1 1";
        QTest::newRow("another slide's") << "P0.gif P1.jpg" << "P0.gif" << Outcome::Done << "P0.gif:P0.gif P1.gif:P0.gif" << ".gif 0 0";
        QTest::newRow("not a picture") << "P0.jpg P1.gif src/t.gif=GIF89a" << "src/t.gif" << Outcome::NotAPicture << "P0.jpg:P0.jpg P1.gif:P1.gif" << ".gif 1 1";
        QTest::newRow("folder at the target") << "P0.jpg P1.gif P1.jpg/ src/a.jpg" << "src/a.jpg" << Outcome::CopyFailed << "P0.jpg:P0.jpg P1.gif:P1.gif P1.jpg/" << ".gif 1 1";
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
        const SlideshowProject &p = folder.project;
        QTEST(QStringLiteral("%1 %2 %3").arg(p.imageTypes[1]).arg(p.saved).arg(p.htmlGenerated),
              "state");
        QCOMPARE(folder.captions(), "c0 c1");
    }

    void remove_data()
    {
        QTest::addColumn<QString>("files");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("titles");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("slides"); // the one shown: the captions
        const QString five = "P0.jpg P1.gif P2.jpg P3.jpg P4.gif";
        // clang-format off
        QTest::newRow("five-slide example") << five << 1 << "Y" << "ATTENTION" << "P0.jpg:P0.jpg P1.jpg:P2.jpg P2.jpg:P3.jpg P3.gif:P4.gif" << "1: c0 c2 c3 c4";
        QTest::newRow("last of three") << "P0.jpg P1.jpg P2.gif" << 2 << "Y" << "ATTENTION" << "P0.jpg:P0.jpg P1.jpg:P1.jpg P2.gif:P2.gif" << "1: c0 c1";
        QTest::newRow("slide 0 of two") << "P0.gif P1.jpg" << 0 << "Y" << "ATTENTION" << "P0.jpg:P1.jpg" << "0: c1";
        QTest::newRow("the only slide") << "P0.jpg" << 0 << "Y" << "ALERTE" << "P0.jpg:P0.jpg" << "0: c0";
        QTest::newRow("No") << five << 1 << "N" << "ATTENTION" << "P0.jpg:P0.jpg P1.gif:P1.gif P2.jpg:P2.jpg P3.jpg:P3.jpg P4.gif:P4.gif" << "1: c0 c1 c2 c3 c4";
        QTest::newRow("a missing picture") << "P0.jpg -P1.jpg P2.gif" << 0 << "Y" << "ATTENTION" << "P1.gif:P2.gif" << "0: c1 c2";
        QTest::newRow("a rename that fails") << "P0.jpg P1.jpg P2.gif P3.jpg P1.gif/" << 0 << "Y" << "ATTENTION|ATTENTION" << "P0.jpg:P1.jpg P1.gif/ P2.gif:P2.gif P3.jpg:P3.jpg" << "0: c1  c2 c3";
        // clang-format on
    }
    void remove()
    {
        QFETCH(QString, files);
        QFETCH(int, current);
        QFETCH(QString, answers);
        SlideFolder folder(files);
        const int count = folder.project.slideCount;
        folder.project.currentSlide = std::int16_t(current);
        ScriptedPlatform platform;
        platform.answer(answers);
        const bool changed = SlideEdits::DeleteCurrentSlide(platform, folder.project);
        QCOMPARE(changed, answers == "Y" && count > 1);
        QTEST(platform.titles(), "titles");
        QTEST(folder.listing(), "after");
        QTEST(QString::number(folder.project.currentSlide) + ": " + folder.captions(), "slides");
        QCOMPARE(folder.project.saved || folder.project.htmlGenerated, !changed);
    }

    void drop_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("dropped");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("message"); // its start
        // clang-format off
        QTest::newRow("three files") << "P" << 1 << "a.jpg b.GIF c.jpeg" << "P1.jpg:a.jpg P2.gif:b.GIF P3.jpg:c.jpeg" << "";
        QTest::newRow("with a PNG") << "P" << 1 << "a.jpg d.png b.GIF" << "P1.jpg:a.jpg P2.gif:b.GIF" << "2 diapos ont été ajoutées.\r\nCe fichier, ni GIF ni JPEG, n'a pas été ajouté :\r\n   « d.png »";
        QTest::newRow("passing 200") << "P" << 198 << "a.jpg b.GIF c.jpeg" << "P198.jpg:a.jpg P199.gif:b.GIF" << "2 diapos ont été ajoutées.\r\nLe diaporama est plein (200 diapos) : 1 fichier n'a pas été ajouté.";
        QTest::newRow("no project") << "" << 0 << "a.jpg" << "" << "Aucun diaporama n'est ouvert.";
        QTest::newRow("default project") << "Nouveau" << 1 << "a.jpg" << "" << "Le diaporama « Nouveau » n'a pas encore de nom.";
        // clang-format on
    }
    void drop()
    {
        QFETCH(QString, name);
        QFETCH(int, count);
        QFETCH(QString, message);
        SlideFolder folder("src/a.jpg src/b.GIF src/c.jpeg src/d.png", count);
        folder.project.loaded = !name.isEmpty();
        folder.project.name = name;
        folder.project.updateBasePath();
        QFETCH(QString, dropped);
        const QStringList paths =
            dropped.replace(QRegularExpression("(\\S+)"), folder.temp.path("src/\\1")).split(' ');
        ScriptedPlatform platform;
        const int added = SlideEdits::dropPictures(platform, folder.project, paths);
        QTEST(folder.listing(), "after");
        QCOMPARE(folder.project.slideCount, count + added);
        QCOMPARE(folder.project.currentSlide, added ? count : 0);
        QCOMPARE(platform.messages.value(0).text.left(message.size()), message);
        QCOMPARE(platform.messages.size(), message.isEmpty() ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(TestSlideFiles)
#include "tst_slidefiles.moc"
