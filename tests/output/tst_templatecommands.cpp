#include "appdirfixture.h"
#include "app/frmprincipal.h"
#include "widgets/picturebutton.h"
#include "widgets/browsefolderlist.h"
#include "output/frmchangermodele.h"
#include "output/templatecommands.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QWidget>

using Files = QMap<QString, QByteArray>;
Q_DECLARE_METATYPE(Platform::Answer)

namespace {

const QStringList defaultFiles = {"Nouveau.lmv", "Nouveau.htm", "Nouveau.js", "Nouveau0.gif",
                                  "imgFond.jpg", "imgFondTable.jpg", "sohifrm2.wav"};

void fillAppDir(const AppDirFixture &app)
{
    for (const QString &file : defaultFiles) {
        app.write(file, "current " + file.toUtf8());
        app.write("Restaurer/" + file, "pristine " + file.toUtf8());
    }
    app.write("Modeles/Bleu.htm", "template Bleu");
}

} // namespace

class TestTemplateCommands : public QObject
{
    Q_OBJECT
private slots:
    void restoreRequested_data();
    void restoreRequested();
    void chooseTemplateOpensAFreshChooser();
    void mainWindowButtons_data();
    void mainWindowButtons();
};

void TestTemplateCommands::restoreRequested_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<Platform::Answer>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("restored");

    const auto yes = Platform::Answer::Yes;
    QTest::newRow("DefaultProjectOpen") << "Nouveau" << true << yes << false << false;
    QTest::newRow("DefaultProjectFinalised") << "Nouveau" << false << yes << false << false;
    QTest::newRow("NamedProject") << "Vacances" << true << yes << true << true;
    QTest::newRow("NamedProjectNotLoaded") << "Vacances" << false << yes << true << true;
    QTest::newRow("NothingOpenYet") << "" << false << yes << true << true;
    QTest::newRow("CaseDiffers") << "nouveau" << true << yes << true << true;
    QTest::newRow("NamedProjectAnswerNo") << "Vacances" << true << Platform::Answer::No << true
                                          << false;
}

void TestTemplateCommands::restoreRequested()
{
    QFETCH(QString, name);
    QFETCH(bool, loaded);
    QFETCH(Platform::Answer, answer);
    QFETCH(bool, asked);
    QFETCH(bool, restored);

    AppDirFixture app;
    fillAppDir(app);
    Files expected = app.snapshot();
    if (restored) {
        for (const QString &file : defaultFiles)
            expected.insert(file, "pristine " + file.toUtf8());
    }

    ScriptedPlatform platform;
    platform.answers.enqueue(answer);
    SlideshowProject project;
    project.name = name;
    project.loaded = loaded;
    QWidget window;
    TemplateCommands commands(platform, app.appDir(), project, &window);
    commands.restoreRequested();

    QCOMPARE(platform.messages.size(), asked ? 1 : 0);
    if (asked)
        QCOMPARE(platform.messages.first().title, QStringLiteral("ALERTE"));
    QCOMPARE(app.snapshot(), expected);
}

void TestTemplateCommands::chooseTemplateOpensAFreshChooser()
{
    AppDirFixture app;
    fillAppDir(app);
    const Files before = app.snapshot();
    ScriptedPlatform platform;
    SlideshowProject project;
    QWidget window;
    window.show();
    TemplateCommands commands(platform, app.appDir(), project, &window);

    // Each opening starts afresh at the template folder; what the first
    // chooser browsed does not carry over to the second.
    QList<QPointer<FrmChangerModele>> seen;
    for (int opening = 0; opening < 2; ++opening) {
        bool inspected = false;
        QTimer::singleShot(0, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            // Closed whatever the checks say, so that a failure cannot hang the test.
            const auto closeModal = qScopeGuard([modal] { if (modal) modal->close(); });
            auto *chooser = qobject_cast<FrmChangerModele *>(modal);
            QVERIFY(chooser);
            inspected = true;
            seen.append(chooser);
            QCOMPARE(chooser->parentWidget(), &window);
            QCOMPARE(chooser->Dir1->path(), app.path("Modeles"));
            QVERIFY(chooser->Dir1->isHidden());
            chooser->Dir1->setPath(app.appDir());
        });
        commands.chooseTemplate();
        QVERIFY(inspected);
    }
    QCOMPARE(seen.size(), 2);
    for (const auto &chooser : seen)
        QVERIFY(chooser.isNull());  // destroyed once closed
    QVERIFY(window.findChildren<FrmChangerModele *>().isEmpty());
    QVERIFY(platform.messages.isEmpty());
    QCOMPARE(app.snapshot(), before);
}

void TestTemplateCommands::mainWindowButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("restored");
    QTest::newRow("DefaultProject") << "Nouveau" << false;
    QTest::newRow("NamedProject") << "Vacances" << true;
}

// The commands as the main window wires them: imgModele acts on release,
// cmdChangerModele opens the chooser.
void TestTemplateCommands::mainWindowButtons()
{
    QFETCH(QString, name);
    QFETCH(bool, restored);

    AppDirFixture app;
    fillAppDir(app);
    QTemporaryDir backupRoot;
    Files expected = app.snapshot();
    if (restored) {
        for (const QString &file : defaultFiles)
            expected.insert(file, "pristine " + file.toUtf8());
    }
    ScriptedPlatform platform;
    platform.answers.enqueue(Platform::Answer::Yes);
    FrmPrincipal window(platform, app.appDir(), backupRoot.path());
    window.project.name = name;
    window.show();

    QTest::mousePress(window.imgModele, Qt::LeftButton);
    QVERIFY(platform.messages.isEmpty());  // nothing before the release
    QTest::mouseRelease(window.imgModele, Qt::LeftButton);
    QCOMPARE(platform.messages.size(), restored ? 1 : 0);
    QCOMPARE(app.snapshot(), expected);

    QString opened;
    QTimer::singleShot(0, this, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            opened = modal->objectName();
            modal->close();
        }
    });
    window.cmdChangerModele->click();
    QCOMPARE(opened, QStringLiteral("frmChangerModele"));
    QCOMPARE(app.snapshot(), expected);
}

QTEST_MAIN(TestTemplateCommands)
#include "tst_templatecommands.moc"
