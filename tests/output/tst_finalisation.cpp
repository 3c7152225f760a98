#include "output/finalisation.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QTest>

class TestFinalisation : public QObject
{
    Q_OBJECT
private slots:
    void finalise_data();
    void finalise();
};

namespace {
// The project's own files; the page is added per row.
const Files kProject = {{"Voyage.lmv", "projet"}, {"Voyage.js", "script"},
                        {"Voyage0.jpg", "photo"},  {"imgFond.jpg", "fond"},
                        {"imgFondCadre.jpg", "cadre"}, {"sohifrm2.wav", "son"}};
} // namespace

void TestFinalisation::finalise_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("inAppDir");
    QTest::addColumn<QByteArray>("page"); // "" for no page
    QTest::addColumn<bool>("pageUpToDate");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("titles");
    QTest::addColumn<QStringList>("removed");

    const QByteArray table = "<td BackGround=IMGFONDTABLE.JPG>";
    const QStringList lmv{"Voyage.lmv"}, both{"Voyage.lmv", "imgFondCadre.jpg"};
    QTest::newRow("default project") << "Nouveau" << false << table << true << true << "Y" << ""
                                     << QStringList();
    QTest::newRow("project in AppDir") << "Voyage" << true << table << true << true << "Y" << ""
                                       << QStringList();
    QTest::newRow("No keeps everything") << "Voyage" << false << table << true << true << "N"
                                         << "ALERTE" << QStringList();
    QTest::newRow("page names the table") << "Voyage" << false << table << true << true << "Y"
                                          << "ALERTE" << lmv;
    QTest::newRow("quote before the file name")
        << "Voyage" << false << QByteArray(R"(<td background="imgFondTable.jpg">)") << true << true
        << "Y" << "ALERTE" << both;
    QTest::newRow("page made first") << "Voyage" << false << QByteArray() << true << true << "YY"
                                     << "ATTENTION|ALERTE" << both;
    QTest::newRow("stale page, making declined") << "Voyage" << false << table << false << true
                                                 << "N" << "ATTENTION" << QStringList();
    QTest::newRow("stale page of an unsaved project") << "Voyage" << false << table << false
                                                      << false << "Y" << "ATTENTION|IMPOSSIBILITE"
                                                      << QStringList();
}

void TestFinalisation::finalise()
{
    QFETCH(QString, name);
    QFETCH(bool, inAppDir);
    QFETCH(QByteArray, page);
    QFETCH(bool, pageUpToDate);
    QFETCH(bool, saved);
    QFETCH(QString, answers);
    QFETCH(QString, titles);
    QFETCH(QStringList, removed);

    TempFolder folder;
    folder.write(kProject);
    if (!page.isEmpty())
        folder.write("Voyage.htm", page);
    const Files before = snapshotOf(folder.path());
    SlideshowProject project;
    project.name = name;
    project.folder = folder.path();
    project.updateBasePath();
    project.slideCount = 1;
    project.imageTypes[0] = ".jpg";
    project.loaded = true;
    project.saved = saved;
    project.htmlGenerated = pageUpToDate;
    ScriptedPlatform platform;
    platform.answer(answers);
    const QString appDir = inAppDir ? folder.path() : qEnvironmentVariable("LUMIVUE_APPDATA");

    const auto outcome = FinaliseSlideshow(project, appDir, platform);

    QCOMPARE(platform.titles(), titles);
    Files after = snapshotOf(folder.path());
    const bool finalised = outcome == FinalisationOutcome::Finalised;
    QCOMPARE(finalised, !removed.isEmpty());
    QCOMPARE(project.loaded, !finalised);
    if (!finalised) {
        QCOMPARE(after, before);
        return;
    }
    QVERIFY(project.saved);
    // Only what was to go is gone; a page made on the way names its script.
    for (const QString &file : before.keys())
        QCOMPARE(after.contains(file), !removed.contains(file));
    QVERIFY(page.size() || readFile(folder.path("Voyage.htm")).contains("Voyage.js"));
}

QTEST_GUILESS_MAIN(TestFinalisation)
#include "tst_finalisation.moc"
