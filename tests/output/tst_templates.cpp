#include "output/defaulttemplate.h"
#include "output/frmchangermodele.h"
#include "output/templatecommands.h"
#include "output/templatereplacement.h"
#include "platform/appcontext.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"
#include "widgets/browsefolderlist.h"
#include "widgets/patternfilelist.h"
#include "widgets/picturebutton.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

using TemplateReplacement::Result;
using Restore = DefaultTemplate::RestoreResult::Outcome;

Q_DECLARE_METATYPE(Result::Page)
Q_DECLARE_METATYPE(Result::Frame)
Q_DECLARE_METATYPE(Restore)
Q_DECLARE_METATYPE(Platform::Answer)

namespace {

const QStringList defaultFiles = {"Nouveau.lmv", "Nouveau.htm",      "Nouveau.js",  "Nouveau0.gif",
                                  "imgFond.jpg", "imgFondTable.jpg", "sohifrm2.wav"};

// AppDir with its working default files, their pristine copies, a few
// templates and frame pictures.
void fillAppDir(const TempFolder &app)
{
    for (const QString &file : defaultFiles) {
        app.write(file, "current " + file.toUtf8());
        app.write("Restaurer/" + file, "pristine " + file.toUtf8());
    }
    app.write({{"Modeles/Bleu.htm", "template Bleu"},
               {"Modeles/Vert.htm", "template Vert"},
               {"Modeles/Image.htm", "template Image"},
               {"Modeles/imgFondTable.jpg", "frame of Modeles"},
               {"Cadres/bois.jpg", "frame bois"}});
}

// The template commands on buttons of their own, as the main window has them.
struct Commands
{
    ScriptedPlatform platform;
    TempFolder app;
    SlideshowProject project;
    QWidget window;
    PictureButton *imgModele = new PictureButton(&window);
    QPushButton *cmdChangerModele = new QPushButton(&window);
    TemplateCommands commands{{imgModele, cmdChangerModele},
                              project,
                              AppContext{platform, app.path(), QString()},
                              &window};

    Commands() { fillAppDir(app); }
};

} // namespace

// The default template put back and another one put in its place: the file
// steps, then the commands of the main window's buttons.
class TestTemplates : public QObject
{
    Q_OBJECT
private slots:
    void restore_data()
    {
        QTest::addColumn<Platform::Answer>("answer");
        QTest::addColumn<QStringList>("missingPristine"); // removed from Restaurer
        QTest::addColumn<QStringList>("blocked");         // a folder stands in AppDir in its place
        QTest::addColumn<Restore>("expected");
        const auto yes = Platform::Answer::Yes;
        QTest::newRow("Yes") << yes << QStringList() << QStringList() << Restore::Restored;
        QTest::newRow("No") << Platform::Answer::No << QStringList{"Nouveau.htm"} << QStringList()
                            << Restore::Declined;
        QTest::newRow("FirstAndLastMissing") << yes << QStringList{"Nouveau.lmv", "sohifrm2.wav"}
                                             << QStringList() << Restore::PartlyRestored;
        QTest::newRow("DestinationBlocked")
            << yes << QStringList() << QStringList{"Nouveau.js"} << Restore::PartlyRestored;
    }

    void restore()
    {
        QFETCH(Platform::Answer, answer);
        QFETCH(QStringList, missingPristine);
        QFETCH(QStringList, blocked);
        QFETCH(Restore, expected);
        TempFolder app;
        fillAppDir(app);
        for (const QString &file : missingPristine)
            app.remove("Restaurer/" + file);
        for (const QString &file : blocked) {
            app.remove(file);
            app.write(file + "/inside.txt", "kept");
        }
        Files expectedFiles = app.snapshot();
        ScriptedPlatform platform;
        platform.answers.enqueue(answer);

        const auto result = DefaultTemplate::RestoreDefaultTemplate(platform, app.path());
        QCOMPARE(result.outcome, expected);
        QCOMPARE(platform.messages.first().text,
                 "Vous allez restaurer le modèle par défaut.\r\n"
                 "Voulez-vous restaurer le modèle par défaut ?");
        QStringList notRestored;
        for (const QString &file : defaultFiles) {
            if (answer == Platform::Answer::No)
                break;
            if (missingPristine.contains(file) || blocked.contains(file))
                notRestored.append(file);
            else
                expectedFiles.insert(file, "pristine " + file.toUtf8());
        }
        QCOMPARE(app.snapshot(), expectedFiles);
        // One report, naming every file that kept its old content.
        QCOMPARE(platform.messages.size(), notRestored.isEmpty() ? 1 : 2);
        for (const QString &file : defaultFiles)
            QCOMPARE(platform.messages.last().text.contains(file), notRestored.contains(file));
        QCOMPARE(result.failures.size(), notRestored.size());
    }

    void replaceTemplate_data()
    {
        QTest::addColumn<QString>("templateName");
        QTest::addColumn<QString>("picture");     // relative to AppDir, "" for none
        QTest::addColumn<QString>("removeFirst"); // vanishes before the replacement
        QTest::addColumn<Result::Page>("page");
        QTest::addColumn<Result::Frame>("frame");
        QTest::addColumn<QByteArray>("nouveauHtm");
        QTest::addColumn<QByteArray>("frameAfter"); // both frame pictures, "" when unchanged

        const QByteArray current = "current Nouveau.htm";
        const QByteArray image = "template Image";
        using P = Result::Page;
        using F = Result::Frame;
        // clang-format off
        QTest::newRow("PlainTemplateIgnoresPicture")
            << "Bleu.htm"
            << "Cadres/bois.jpg"
            << "" << P::Replaced << F::NotNeeded << QByteArray("template Bleu") << QByteArray();
        QTest::newRow("TemplateMissing") << "Absent.htm" << "" << "" << P::SourceMissing << F::NotNeeded << current << QByteArray();
        QTest::newRow("FramedWithPicture") << "Image.htm" << "Cadres/bois.jpg" << "" << P::Replaced << F::Replaced << image << QByteArray("frame bois");
        QTest::newRow("FramedNoPicture") << "Image.htm" << "" << "" << P::Replaced << F::NotChosen << image << QByteArray();
        QTest::newRow("FramedPictureVanished") << "Image.htm" << "Cadres/bois.jpg" << "Cadres/bois.jpg" << P::Replaced << F::SourceMissing << image << QByteArray();
        // The chosen picture is one of the two it is copied to.
        QTest::newRow("PictureIsModelesFrame")
            << "Image.htm"
            << "Modeles/imgFondTable.jpg"
            << "" << P::Replaced << F::Replaced << image << QByteArray("frame of Modeles");
        // clang-format on
    }

    void replaceTemplate()
    {
        QFETCH(QString, templateName);
        QFETCH(QString, picture);
        QFETCH(QString, removeFirst);
        QFETCH(Result::Page, page);
        QFETCH(Result::Frame, frame);
        QFETCH(QByteArray, nouveauHtm);
        QFETCH(QByteArray, frameAfter);
        TempFolder app, backupRoot;
        fillAppDir(app);
        if (!removeFirst.isEmpty())
            app.remove(removeFirst);
        Files expectedFiles = app.snapshot();

        const QString picturePath = picture.isEmpty() ? QString() : app.path(picture);
        const Result result = TemplateReplacement::replaceTemplate(app.path(), templateName,
                                                                   picturePath, backupRoot.path());
        QCOMPARE(result.page, page);
        QCOMPARE(result.frame, frame);
        expectedFiles.insert("Nouveau.htm", nouveauHtm);
        if (!frameAfter.isEmpty()) {
            expectedFiles.insert("imgFondTable.jpg", frameAfter);
            expectedFiles.insert("Modeles/imgFondTable.jpg", frameAfter);
        }
        QCOMPARE(app.snapshot(), expectedFiles);
        QVERIFY(QDir(backupRoot.path()).isEmpty()); // nothing left for the next start to settle
        // A failure is explained, naming the template; a success says nothing.
        const QString text = TemplateReplacement::failureText(result, templateName, picturePath);
        QCOMPARE(text.isEmpty(), result.succeeded());
        QVERIFY2(text.isEmpty() || text.contains(templateName), qPrintable(text));
    }

    void restoreOnRelease_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("asked");
        QTest::newRow("DefaultProjectOpen") << "Nouveau" << false;
        QTest::newRow("NamedProject") << "Vacances" << true;
        QTest::newRow("CaseDiffers") << "nouveau" << true;
    }

    // Never with the default project open.
    void restoreOnRelease()
    {
        QFETCH(QString, name);
        QFETCH(bool, asked);
        Commands c;
        c.platform.answers.enqueue(Platform::Answer::Yes);
        c.project.name = name;
        emit c.imgModele->released(); // a press alone is the picture button's own test
        QCOMPARE(c.platform.messages.size(), int(asked));
        QCOMPARE(c.app.read("Nouveau.htm"), asked ? "pristine Nouveau.htm" : "current Nouveau.htm");
    }

    void chosenTemplateIsPutInPlace_data()
    {
        QTest::addColumn<QString>("templateName"); // "" closes the chooser without a choice
        QTest::addColumn<bool>("vanishes"); // the template is deleted before the choice is applied
        QTest::addColumn<QByteArray>("page"); // Nouveau.htm afterwards
        QTest::addColumn<bool>("reported");

        QTest::newRow("Chosen") << "Vert.htm" << false << QByteArray("template Vert") << false;
        QTest::newRow("NoChoice") << "" << false << QByteArray("current Nouveau.htm") << false;
        QTest::newRow("TemplateVanished")
            << "Vert.htm" << true << QByteArray("current Nouveau.htm") << true;
    }

    // Each opening starts afresh at the template folder; the chooser is gone
    // once closed, and the commands put its choice in place.
    void chosenTemplateIsPutInPlace()
    {
        QFETCH(QString, templateName);
        QFETCH(bool, vanishes);
        QFETCH(QByteArray, page);
        QFETCH(bool, reported);

        Commands c;
        c.window.show();
        c.platform.answers.enqueue(Platform::Answer::Yes);
        QPointer<FrmChangerModele> seen;
        for (int opening = 0; opening < 2; ++opening) {
            QTimer::singleShot(0, this, [&] {
                auto *chooser = qobject_cast<FrmChangerModele *>(QApplication::activeModalWidget());
                // Closed whatever the checks say, so that a failure cannot hang the test.
                const auto closeModal = qScopeGuard([chooser] {
                    if (chooser)
                        chooser->close();
                });
                QVERIFY(chooser);
                QVERIFY(chooser != seen);
                seen = chooser;
                QCOMPARE(chooser->templateFolders->path(), c.app.path("Modeles"));
                if (opening == 0 || templateName.isEmpty()) {
                    chooser->templateFolders->setPath(
                        c.app.path()); // not carried to the next opening
                    return;
                }
                QTest::mouseClick(chooser->cmdOpen, Qt::LeftButton);
                chooser->templateFiles->selectFile(templateName);
                if (vanishes)
                    c.app.remove("Modeles/" + templateName);
                QTest::mouseClick(chooser->applyButton, Qt::LeftButton);
            });
            c.cmdChangerModele->click();
            QVERIFY(seen.isNull());
        }
        QCOMPARE(c.app.read("Nouveau.htm"), page);
        QCOMPARE(c.platform.messages.size(), int(!templateName.isEmpty()) + int(reported));
        if (reported)
            QCOMPARE(c.platform.messages.last().title, QStringLiteral("ALERTE"));
    }
};

QTEST_MAIN(TestTemplates)
#include "tst_templates.moc"
