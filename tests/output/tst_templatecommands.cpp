#include "output/frmchangermodele.h"
#include "output/templatecommands.h"
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

Q_DECLARE_METATYPE(Platform::Answer)

namespace {

const QStringList defaultFiles = {"Nouveau.lmv", "Nouveau.htm",      "Nouveau.js",  "Nouveau0.gif",
                                  "imgFond.jpg", "imgFondTable.jpg", "sohifrm2.wav"};

void fillAppDir(const TempFolder &app)
{
    for (const QString &file : defaultFiles) {
        app.write(file, "current " + file.toUtf8());
        app.write("Restaurer/" + file, "pristine " + file.toUtf8());
    }
    app.write("Modeles/Bleu.htm", "template Bleu");
    app.write("Modeles/Vert.htm", "template Vert");
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

class TestTemplateCommands : public QObject
{
    Q_OBJECT
private slots:
    void restoreOnRelease_data();
    void restoreOnRelease();
    void chosenTemplateIsPutInPlace_data();
    void chosenTemplateIsPutInPlace();
};

void TestTemplateCommands::restoreOnRelease_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Platform::Answer>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("restored");

    const auto yes = Platform::Answer::Yes;
    QTest::newRow("DefaultProjectOpen") << "Nouveau" << yes << false << false;
    QTest::newRow("NamedProject") << "Vacances" << yes << true << true;
    QTest::newRow("NothingOpenYet") << "" << yes << true << true;
    QTest::newRow("CaseDiffers") << "nouveau" << yes << true << true;
    QTest::newRow("AnswerNo") << "Vacances" << Platform::Answer::No << true << false;
}

void TestTemplateCommands::restoreOnRelease()
{
    QFETCH(QString, name);
    QFETCH(Platform::Answer, answer);
    QFETCH(bool, asked);
    QFETCH(bool, restored);

    Commands c;
    Files expected = c.app.snapshot();
    if (restored) {
        for (const QString &file : defaultFiles)
            expected.insert(file, "pristine " + file.toUtf8());
    }
    c.platform.answers.enqueue(answer);
    c.project.name = name;
    QTest::mousePress(c.imgModele, Qt::LeftButton);
    QVERIFY(c.platform.messages.isEmpty()); // nothing before the release
    QTest::mouseRelease(c.imgModele, Qt::LeftButton);
    QCOMPARE(c.platform.messages.size(), asked ? 1 : 0);
    QCOMPARE(c.app.snapshot(), expected);
}

void TestTemplateCommands::chosenTemplateIsPutInPlace_data()
{
    QTest::addColumn<QString>("templateName"); // "" closes the chooser without a choice
    QTest::addColumn<bool>("vanishes");   // the template is deleted before the choice is applied
    QTest::addColumn<QByteArray>("page"); // Nouveau.htm afterwards
    QTest::addColumn<bool>("reported");

    QTest::newRow("Chosen") << "Vert.htm" << false << QByteArray("template Vert") << false;
    QTest::newRow("NoChoice") << "" << false << QByteArray("current Nouveau.htm") << false;
    QTest::newRow("TemplateVanished")
        << "Vert.htm" << true << QByteArray("current Nouveau.htm") << true;
}

// Each opening starts afresh at the template folder; the chooser is gone
// once closed, and the commands put its choice in place.
void TestTemplateCommands::chosenTemplateIsPutInPlace()
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
                chooser->templateFolders->setPath(c.app.path()); // not carried to the next opening
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

QTEST_MAIN(TestTemplateCommands)
#include "tst_templatecommands.moc"
