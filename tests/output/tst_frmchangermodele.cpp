#include "appdirfixture.h"
#include "output/browsefolderlist.h"
#include "output/frmchangermodele.h"
#include "output/patternfilelist.h"
#include "output/templatepreview.h"
#include "support/scriptedplatform.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using Files = QMap<QString, QByteArray>;
Q_DECLARE_METATYPE(Platform::Answer)

namespace {

QByteArray jpeg(Qt::GlobalColor colour)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

// An application folder with a current page, a few templates (one in a
// subfolder of the template folder) and frame pictures.
void fillAppDir(const AppDirFixture &app)
{
    app.write("Nouveau.htm", "current page");
    app.write("Nouveau.js", "current script");
    app.write("imgFondTable.jpg", jpeg(Qt::red));
    app.write("Modeles/Bleu.htm", "template Bleu");
    app.write("Modeles/Image.htm", "template Image");
    app.write("Modeles/Vert.htm", "template Vert");
    app.write("Modeles/notes.txt", "not a template");
    app.write("Modeles/imgFondTable.jpg", jpeg(Qt::green));
    app.write("Modeles/Sub/Bleu.htm", "template Bleu of Sub");
    app.write("Modeles/Sub/Seul.htm", "only in Sub");
    app.write("Modeles/Cadres/bois.jpg", jpeg(Qt::blue));
    app.write("Modeles2/Bleu.htm", "template Bleu of Modeles2");
}

QStringList listed(const QListWidget *list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names.append(list->item(row)->text());
    return names;
}

// Moves a folder list along a path of rows named like "Sub" or "..", as the
// user does with Enter on each row.
void browse(BrowseFolderList *folders, const QStringList &steps)
{
    for (const QString &step : steps) {
        const auto found = folders->list()->findItems(step, Qt::MatchExactly);
        QVERIFY2(found.size() == 1, qPrintable(step));
        folders->list()->setCurrentItem(found.first());
        QTest::keyClick(folders->list(), Qt::Key_Return);
    }
}

void click(QListWidget *list, const QString &name)
{
    const auto found = list->findItems(name, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(name));
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
    QVERIFY(found.first()->isSelected());
}

} // namespace

class TestFrmChangerModele : public QObject
{
    Q_OBJECT
private slots:
    void opening();
    void helpButton();
    void folderRule_data();
    void folderRule();
    void framePicker();
    void preview_data();
    void preview();
    void command1_data();
    void command1();
    void doubleClickApplies();
};

void TestFrmChangerModele::opening()
{
    AppDirFixture app;
    fillAppDir(app);
    ScriptedPlatform platform;
    FrmChangerModele chooser(platform, app.appDir());
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));

    QCOMPARE(chooser.objectName(), QStringLiteral("frmChangerModele"));
    QCOMPARE(chooser.windowTitle(), QStringLiteral("Modèle"));
    QVERIFY(chooser.isModal());
    const QPoint screenCentre = chooser.screen()->geometry().center();
    QVERIFY(qAbs(chooser.frameGeometry().center().x() - screenCentre.x()) <= 1);
    QVERIFY(qAbs(chooser.frameGeometry().center().y() - screenCentre.y()) <= 1);

    QCOMPARE(chooser.Dir1->path(), app.path("Modeles"));
    QCOMPARE(chooser.Dir2->path(), app.path("Modeles"));
    QCOMPARE(chooser.File2->folder(), app.path("Modeles"));
    for (QWidget *hidden : {static_cast<QWidget *>(chooser.Dir1),
                            static_cast<QWidget *>(chooser.File1),
                            static_cast<QWidget *>(chooser.Dir2),
                            static_cast<QWidget *>(chooser.File2),
                            static_cast<QWidget *>(chooser.Label2),
                            static_cast<QWidget *>(chooser.imgVisu)})
        QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
    QCOMPARE(chooser.cmdOpen->toolTip(), QStringLiteral("Ouvrir un fichier HTML existant"));
    QCOMPARE(chooser.Label2->text(), QStringLiteral("Choisissez l'image de fond de cadre :"));

    QTest::mouseClick(chooser.cmdOpen, Qt::LeftButton);
    QVERIFY(chooser.Dir1->isVisible());
    QVERIFY(chooser.File1->isVisible());
    QCOMPARE(listed(chooser.File1), (QStringList{"Bleu.htm", "Image.htm", "Vert.htm"}));
    QCOMPARE(listed(chooser.Dir1->list()), (QStringList{"..", "Cadres", "Sub"}));
    QCOMPARE(listed(chooser.File2), (QStringList{"imgFondTable.jpg"}));
    QVERIFY(platform.messages.isEmpty());
}

void TestFrmChangerModele::helpButton()
{
    AppDirFixture app;
    fillAppDir(app);
    const Files before = app.snapshot();
    ScriptedPlatform platform;
    FrmChangerModele chooser(platform, app.appDir());
    chooser.show();
    QTest::mouseClick(chooser.cmdHelp, Qt::LeftButton);
    QCOMPARE(platform.shellRequests,
             QStringList{app.path("Aide_Contextuelle/ChangerModele.htm")});
    QVERIFY(chooser.isVisible());
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(app.snapshot(), before);
}

void TestFrmChangerModele::folderRule_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("folder");  // relative to AppDir
    QTest::addColumn<bool>("file1Shown");
    QTest::addColumn<QStringList>("files");

    QTest::newRow("Subfolder") << QStringList{"Sub"} << "Modeles/Sub" << true
                               << QStringList{"Bleu.htm", "Seul.htm"};
    QTest::newRow("BackFromSubfolder") << QStringList{"Sub", ".."} << "Modeles" << true
                                       << QStringList{"Bleu.htm", "Image.htm", "Vert.htm"};
    QTest::newRow("OutOfModeles") << QStringList{".."} << "" << false
                                  << QStringList{"Nouveau.htm"};
    // Containment is a plain text test: a sibling whose name starts alike counts.
    QTest::newRow("SiblingSharingPrefix") << QStringList{"..", "Modeles2"} << "Modeles2" << true
                                          << QStringList{"Bleu.htm"};
    QTest::newRow("OutAndBackIn") << QStringList{"..", "Modeles", "Sub"} << "Modeles/Sub" << true
                                  << QStringList{"Bleu.htm", "Seul.htm"};
}

void TestFrmChangerModele::folderRule()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, folder);
    QFETCH(bool, file1Shown);
    QFETCH(QStringList, files);

    AppDirFixture app;
    fillAppDir(app);
    ScriptedPlatform platform;
    FrmChangerModele chooser(platform, app.appDir());
    chooser.show();
    QTest::mouseClick(chooser.cmdOpen, Qt::LeftButton);
    browse(chooser.Dir1, steps);

    const QString expectedFolder = folder.isEmpty() ? app.appDir() : app.path(folder);
    QCOMPARE(chooser.Dir1->path(), expectedFolder);
    QCOMPARE(chooser.File1->folder(), expectedFolder);
    QCOMPARE(listed(chooser.File1), files);
    QCOMPARE(chooser.File1->isVisible(), file1Shown);

    // Pressing the open button again keeps the rule: no files from elsewhere.
    QTest::mouseClick(chooser.cmdOpen, Qt::LeftButton);
    QCOMPARE(chooser.File1->isVisible(), file1Shown);
}

void TestFrmChangerModele::framePicker()
{
    AppDirFixture app;
    fillAppDir(app);
    ScriptedPlatform platform;
    FrmChangerModele chooser(platform, app.appDir());
    chooser.show();
    QTest::mouseClick(chooser.cmdOpen, Qt::LeftButton);
    const QWidget *picker[] = {chooser.Label2, chooser.Dir2, chooser.File2, chooser.imgVisu};

    click(chooser.File1, "Image.htm");
    QCOMPARE(chooser.chosenTemplate(), QStringLiteral("Image.htm"));
    for (const QWidget *part : picker)
        QVERIFY2(part->isVisible(), qPrintable(part->objectName()));

    browse(chooser.Dir2, {"Cadres"});
    QCOMPARE(listed(chooser.File2), QStringList{"bois.jpg"});
    click(chooser.File2, "bois.jpg");
    const QImage preview = chooser.imgVisu->pixmap().toImage();
    QVERIFY(!preview.isNull());
    const QColor centre = preview.pixelColor(preview.rect().center());
    QVERIFY2(centre.blue() > 200 && centre.red() < 60, qPrintable(centre.name()));

    // Another folder: the preview no longer shows a picture that would not be used.
    browse(chooser.Dir2, {".."});
    QVERIFY(chooser.imgVisu->pixmap().isNull());

    click(chooser.File1, "Bleu.htm");
    QCOMPARE(chooser.chosenTemplate(), QStringLiteral("Bleu.htm"));
    for (const QWidget *part : picker)
        QVERIFY2(!part->isVisible(), qPrintable(part->objectName()));
    QVERIFY(platform.messages.isEmpty());
}

void TestFrmChangerModele::preview_data()
{
    QTest::addColumn<QStringList>("dir1Steps");
    QTest::addColumn<QString>("templateName");
    QTest::addColumn<QString>("shows");  // "picture", "text" or "" for hidden

    QTest::newRow("DesignWithPreview") << QStringList() << "Bleu.htm" << "picture";
    QTest::newRow("DesignWithoutPreview") << QStringList() << "Vert.htm" << "text";
    // As for the copy, the design of the template folder itself is shown.
    QTest::newRow("SameNameInSubfolder") << QStringList{"Sub"} << "Bleu.htm" << "picture";
    QTest::newRow("LeftTemplateFolder") << QStringList{"Sub", "..", ".."} << "" << "";
}

void TestFrmChangerModele::preview()
{
    QFETCH(QStringList, dir1Steps);
    QFETCH(QString, templateName);
    QFETCH(QString, shows);

    AppDirFixture app;
    fillAppDir(app);
    QImage blue(640, 400, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    QVERIFY(blue.save(app.path("Modeles/Bleu.png")));
    ScriptedPlatform platform;
    FrmChangerModele chooser(platform, app.appDir());
    chooser.show();
    QVERIFY(!chooser.imgApercu->isVisible());
    QTest::mouseClick(chooser.cmdOpen, Qt::LeftButton);
    click(chooser.File1, "Bleu.htm");
    browse(chooser.Dir1, dir1Steps);
    if (!templateName.isEmpty())
        click(chooser.File1, templateName);

    QCOMPARE(chooser.imgApercu->isVisible(), !shows.isEmpty());
    const QImage shown = chooser.imgApercu->pixmap().toImage();
    if (shows == "picture") {
        QVERIFY(chooser.imgApercu->contentsRect().size().expandedTo(shown.size())
                == chooser.imgApercu->contentsRect().size());
        QVERIFY2(qAbs(shown.width() * 10 - shown.height() * 16) <= 16, "proportions kept");
        QCOMPARE(shown.pixelColor(shown.rect().center()), QColor(Qt::blue));
    } else if (shows == "text") {
        QVERIFY(shown.isNull());
        QCOMPARE(chooser.imgApercu->text(), QStringLiteral("Pas d'aperçu pour ce modèle"));
    }
}

void TestFrmChangerModele::command1_data()
{
    QTest::addColumn<QStringList>("dir1Steps");
    QTest::addColumn<QString>("templateName");  // clicked in File1, "" for none
    QTest::addColumn<QStringList>("dir2Steps");
    QTest::addColumn<QString>("picture");       // clicked in File2, "" for none
    QTest::addColumn<QStringList>("leaveBefore"); // Dir1 steps after the choice
    QTest::addColumn<QString>("removeBefore");  // vanishes before Command1
    QTest::addColumn<Platform::Answer>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("pageFrom");      // where Nouveau.htm comes from, "" unchanged
    QTest::addColumn<QString>("frameFrom");     // where both frame pictures come from
    QTest::addColumn<bool>("reported");         // a failure was told to the user

    const auto yes = Platform::Answer::Yes;
    const QStringList none;
    QTest::newRow("NothingChosen") << none << "" << none << "" << none << "" << yes << false
                                   << "" << "" << false;
    QTest::newRow("PlainTemplate") << none << "Bleu.htm" << none << "" << none << "" << yes
                                   << true << "Modeles/Bleu.htm" << "" << false;
    QTest::newRow("AnswerNo") << none << "Bleu.htm" << none << "" << none << ""
                              << Platform::Answer::No << true << "" << "" << false;
    QTest::newRow("SubfolderCopiesFromModeles")
        << QStringList{"Sub"} << "Bleu.htm" << none << "" << none << "" << yes << true
        << "Modeles/Bleu.htm" << "" << false;
    QTest::newRow("SubfolderOnlyTemplate") << QStringList{"Sub"} << "Seul.htm" << none << ""
                                           << none << "" << yes << true << "" << "" << true;
    QTest::newRow("LeftModelesJustCloses") << none << "Bleu.htm" << none << ""
                                           << QStringList{".."} << "" << yes << false << ""
                                           << "" << false;
    QTest::newRow("FramedWithPicture")
        << none << "Image.htm" << QStringList{"Cadres"} << "bois.jpg" << none << "" << yes
        << true << "Modeles/Image.htm" << "Modeles/Cadres/bois.jpg" << false;
    QTest::newRow("FramedNoPicture") << none << "Image.htm" << none << "" << none << "" << yes
                                     << true << "Modeles/Image.htm" << "" << true;
    QTest::newRow("FramedPictureIsModelesFrame")
        << none << "Image.htm" << none << "imgFondTable.jpg" << none << "" << yes << true
        << "Modeles/Image.htm" << "Modeles/imgFondTable.jpg" << false;
    QTest::newRow("FramedPictureVanished")
        << none << "Image.htm" << QStringList{"Cadres"} << "bois.jpg" << none
        << "Modeles/Cadres/bois.jpg" << yes << true << "Modeles/Image.htm" << "" << true;
    QTest::newRow("TemplateVanished") << none << "Vert.htm" << none << "" << none
                                      << "Modeles/Vert.htm" << yes << true << "" << "" << true;
}

void TestFrmChangerModele::command1()
{
    QFETCH(QStringList, dir1Steps);
    QFETCH(QString, templateName);
    QFETCH(QStringList, dir2Steps);
    QFETCH(QString, picture);
    QFETCH(QStringList, leaveBefore);
    QFETCH(QString, removeBefore);
    QFETCH(Platform::Answer, answer);
    QFETCH(bool, asked);
    QFETCH(QString, pageFrom);
    QFETCH(QString, frameFrom);
    QFETCH(bool, reported);

    AppDirFixture app;
    fillAppDir(app);
    ScriptedPlatform platform;
    platform.answers.enqueue(answer);
    FrmChangerModele chooser(platform, app.appDir());
    chooser.show();
    QTest::mouseClick(chooser.cmdOpen, Qt::LeftButton);
    browse(chooser.Dir1, dir1Steps);
    if (!templateName.isEmpty())
        click(chooser.File1, templateName);
    browse(chooser.Dir2, dir2Steps);
    if (!picture.isEmpty())
        click(chooser.File2, picture);
    browse(chooser.Dir1, leaveBefore);
    if (!removeBefore.isEmpty())
        app.remove(removeBefore);

    Files expected = app.snapshot();
    if (!pageFrom.isEmpty())
        expected.insert("Nouveau.htm", expected.value(pageFrom));
    if (!frameFrom.isEmpty()) {
        const QByteArray frame = expected.value(frameFrom);
        expected.insert("imgFondTable.jpg", frame);
        expected.insert("Modeles/imgFondTable.jpg", frame);
    }

    QTest::mouseClick(chooser.Command1, Qt::LeftButton);
    QVERIFY(!chooser.isVisible());
    QCOMPARE(app.snapshot(), expected);

    QCOMPARE(platform.messages.size(), int(asked) + int(reported));
    if (asked) {
        const auto &question = platform.messages.first();
        QCOMPARE(question.text, QStringLiteral("Voules-vous remplacer le modèle par défaut\r\n"
                                               "pour les présentations \r\n"
                                               "par le fichier-modèle ")
                                    + templateName);
        QCOMPARE(question.buttons, Platform::Buttons::YesNo);
        QCOMPARE(question.icon, Platform::Icon::None);
        QVERIFY(question.title.isEmpty());
    }
    if (reported) {
        const auto &report = platform.messages.last();
        QCOMPARE(report.buttons, Platform::Buttons::Ok);
        QVERIFY2(report.text.contains(templateName), qPrintable(report.text));
    }
}

void TestFrmChangerModele::doubleClickApplies()
{
    AppDirFixture app;
    fillAppDir(app);
    ScriptedPlatform platform;
    platform.answers.enqueue(Platform::Answer::Yes);
    FrmChangerModele chooser(platform, app.appDir());
    chooser.show();
    QTest::mouseClick(chooser.cmdOpen, Qt::LeftButton);
    Files expected = app.snapshot();
    expected.insert("Nouveau.htm", "template Vert");

    const auto item = chooser.File1->findItems("Vert.htm", Qt::MatchExactly).value(0);
    QVERIFY(item);
    const QPoint at = chooser.File1->visualItemRect(item).center();
    QTest::mouseClick(chooser.File1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(chooser.File1->viewport(), Qt::LeftButton, {}, at);

    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(platform.messages.first().text.endsWith("Vert.htm"));
    QVERIFY(!chooser.isVisible());
    QCOMPARE(app.snapshot(), expected);
}

QTEST_MAIN(TestFrmChangerModele)
#include "tst_frmchangermodele.moc"
