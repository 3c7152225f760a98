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
    void edit_data()
    {
        QTest::addColumn<QString>("files");
        QTest::addColumn<int>("count");      // -1: as many as the pictures P<n>
        QTest::addColumn<QString>("source"); // drop: the files, in order
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("after");
        // slides/current, the current slide's caption and type, saved and page generated
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("add: 199 gives 200") << "src/a.jpg" << 199 << "src/a.jpg" << Outcome::Done << "P199.jpg:a.jpg" << "200/199 Mer.jpg 00" << "";
        QTest::newRow("add: 200 is full") << "src/a.jpg" << 200 << "src/a.jpg" << Outcome::Full << "" << "200/1  11" << "";
        QTest::newRow("add: PHOTO.GIF") << "P0.jpg src/PHOTO.GIF" << -1 << "src/PHOTO.GIF" << Outcome::Done << "P0.jpg:P0.jpg P1.gif:PHOTO.GIF" << "2/1 Mer.gif 00" << "";
        QTest::newRow("add: .jpeg") << "P0.jpg src/vue.jpeg" << -1 << "src/vue.jpeg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:vue.jpeg" << "2/1 Mer.jpg 00" << "";
        QTest::newRow("add: leftovers replaced") << "P0.jpg P1.gif P1.jpg src/a.jpg" << 1 << "src/a.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:a.jpg" << "2/1 Mer.jpg 00" << "";
        QTest::newRow("add: the target itself") << "P0.jpg P1.jpg" << 1 << "P1.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:P1.jpg" << "2/1 Mer.jpg 00" << "";
        QTest::newRow("add: from the project") << "P0.jpg P1.gif" << 1 << "P0.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:P0.jpg" << "2/1 Mer.jpg 00" << "";
        QTest::newRow("add: renamed text file") << "P0.jpg src/t.jpg=Liste" << -1 << "src/t.jpg" << Outcome::NotAPicture << "P0.jpg:P0.jpg" << "1/1  11" << "";
        QTest::newRow("add: PNG") << "P0.jpg src/a.png" << -1 << "src/a.png" << Outcome::NotAPicture << "P0.jpg:P0.jpg" << "1/1  11" << "";
        QTest::newRow("add: cut JPEG") << "P0.jpg src/cut.jpg~" << -1 << "src/cut.jpg" << Outcome::NotAPicture << "P0.jpg:P0.jpg" << "1/1  11" << "";
        QTest::newRow("add: cut GIF") << "P0.jpg src/cut.gif~" << -1 << "src/cut.gif" << Outcome::NotAPicture << "P0.jpg:P0.jpg" << "1/1  11" << "";
        QTest::newRow("add: folder at the target") << "P0.jpg P1.jpg/ src/a.jpg" << -1 << "src/a.jpg" << Outcome::CopyFailed << "P0.jpg:P0.jpg P1.jpg/" << "2/1 Mer.jpg 00" << "";
        QTest::newRow("change: GIF given a JPEG") << "P0.jpg P1.gif src/a.jpg" << -1 << "src/a.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:a.jpg" << "2/1 c1.jpg 00" << "";
        QTest::newRow("change: same type") << "P0.jpg P1.jpg src/a.jpg" << -1 << "src/a.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:a.jpg" << "2/1 c1.jpg 01" << "";
        QTest::newRow("change: the target itself") << "P0.jpg P1.jpg" << -1 << "P1.jpg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:P1.jpg" << "2/1 c1.jpg 11" << "";
        QTest::newRow("change: another slide's") << "P0.gif P1.jpg" << -1 << "P0.gif" << Outcome::Done << "P0.gif:P0.gif P1.gif:P0.gif" << "2/1 c1.gif 00" << "";
        QTest::newRow("change: not a picture") << "P0.jpg P1.gif src/t.gif=GIF89a" << -1 << "src/t.gif" << Outcome::NotAPicture << "P0.jpg:P0.jpg P1.gif:P1.gif" << "2/1 c1.gif 11" << "";
        QTest::newRow("change: folder at the target") << "P0.jpg P1.gif P1.jpg/ src/a.jpg" << -1 << "src/a.jpg" << Outcome::CopyFailed << "P0.jpg:P0.jpg P1.gif:P1.gif P1.jpg/" << "2/1 c1.gif 11" << "";
        QTest::newRow("drop: three files") << "P0.jpg src/a.jpg src/b.GIF src/c.jpeg" << -1 << "src/a.jpg src/b.GIF src/c.jpeg" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:a.jpg P2.gif:b.GIF P3.jpg:c.jpeg" << "4/1 .jpg 00" << "";
        QTest::newRow("drop: with a PNG") << "P0.jpg src/a.jpg src/d.png src/b.GIF" << -1 << "src/a.jpg src/d.png src/b.GIF" << Outcome::Done << "P0.jpg:P0.jpg P1.jpg:a.jpg P2.gif:b.GIF" << "3/1 .jpg 00" << "2 diapos ont été ajoutées.\r\nCe fichier, ni GIF ni JPEG, n'a pas été ajouté :\r\n   « d.png »";
        QTest::newRow("drop: passing 200") << "src/a.jpg src/b.GIF src/c.jpeg" << 198 << "src/a.jpg src/b.GIF src/c.jpeg" << Outcome::Done << "P198.jpg:a.jpg P199.gif:b.GIF" << "200/198 .jpg 00" << "2 diapos ont été ajoutées.\r\nLe diaporama est plein (200 diapos) : 1 fichier n'a pas été ajouté.";
        QTest::newRow("drop: no project") << "P0.jpg src/a.jpg" << -1 << "src/a.jpg" << Outcome::Done << "P0.jpg:P0.jpg" << "1/1  11" << "Aucun diaporama n'est ouvert.\r\nCréez un nouveau diaporama ou ouvrez-en un,\r\npuis déposez-y vos images.";
        QTest::newRow("drop: default project") << "P0.jpg src/a.jpg" << -1 << "src/a.jpg" << Outcome::Done << "P0.jpg:P0.jpg" << "1/1  11" << "Le diaporama « Nouveau » n'a pas encore de nom.\r\nEnregistrez-le d'abord sous un nom à vous (« Enregistrer sous... »),\r\npuis déposez-y vos images.";
        // clang-format on
    }
    void edit()
    {
        QFETCH(QString, files);
        QFETCH(int, count);
        QFETCH(QString, source);
        SlideFolder folder(files, count);
        SlideshowProject &p = folder.project;
        p.currentSlide = 1;
        const QByteArray tag = QTest::currentDataTag();
        ScriptedPlatform platform;
        if (tag.startsWith("drop")) {
            p.loaded = !tag.contains("no project");
            p.name = tag.contains("default") ? "Nouveau" : "P";
            const QStringList paths = source.split(' ').replaceInStrings(QRegularExpression("^"),
                                                                         folder.temp.path(""));
            SlideEdits::dropPictures(platform, p, paths);
        } else {
            QTEST(tag.startsWith("add")
                      ? SlideFiles::appendSlide(p, folder.temp.path(source), "Mer")
                      : SlideFiles::changeImage(p, folder.temp.path(source)),
                  "outcome");
        }
        QTEST(platform.messages.value(0).text, "message");
        QTEST(folder.listing(), "after");
        QTEST(QStringLiteral("%1/%2 %3%4 %5%6")
                  .arg(p.slideCount)
                  .arg(p.currentSlide)
                  .arg(p.slideLines[p.currentSlide], p.imageTypes[p.currentSlide])
                  .arg(p.saved)
                  .arg(p.htmlGenerated),
              "state");
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
};

QTEST_GUILESS_MAIN(TestSlideFiles)
#include "tst_slidefiles.moc"
