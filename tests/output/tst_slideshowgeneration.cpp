#include "output/captionbreaks.h"
#include "output/generatedpage.h"
#include "output/generatedscript.h"
#include "output/pageview.h"
#include "output/slideshowgeneration.h"
#include "project/slideshowproject.h"
#include "project/textfile.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QTest>

// Declared before the fixtures: moc does not follow raw strings holding \".
class TestSlideshowGeneration : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void generatedFiles_data();
    void generatedFiles();
    void padCaptionBreaks_data();
    void padCaptionBreaks();
    void refusals_data();
    void refusals();
    void nameIsEscapedInTheScript();
    void failuresKeepEveryFile_data();
    void failuresKeepEveryFile();
    void viewPage_data();
    void viewPage();
    void shippedTemplates();

private:
    ScriptedPlatform m_platform;
    std::unique_ptr<TempFolder> m_app, m_folder;
};

using Outcome = GenerationResult::Outcome;
Q_DECLARE_METATYPE(Outcome)

namespace {

// A page template whose lines name themselves; line 10 is its own script
// reference and line 12 names the background picture.
QStringList pageTemplate()
{
    QStringList lines = numbered("page ", 13);
    lines[9] = R"(<script src="Nouveau.js">)";
    lines[11] = R"(<body background="imgFond.jpg">)";
    return lines;
}

// The three-slide project of most tests, opened and saved.
SlideshowProject threeSlides(const QString &folder, const QString &name = "Vacances")
{
    SlideshowProject project;
    project.name = name;
    project.folder = folder;
    project.updateBasePath();
    project.header = R"(Nos "belles" vacances à \o/)";
    project.slideCount = 3;
    project.slideLines[0] = R"(Il a dit "oui")";
    project.slideLines[1] = R"(C:\photos<br>ligne|deux<br>)";
    project.slideLines[2] = "<b>fin</b><br>";
    project.imageTypes[0] = ".gif";
    project.imageTypes[1] = ".jpg";
    project.imageTypes[2] = ".gif";
    project.loaded = true;
    project.htmlGenerated = false;
    return project;
}

const QStringList expectedScript = numbered("script ", 6)
    + QStringList{
        R"(var RepImage="Vacances";)",
        "var NBSprite=2;",
        R"(Info[0]="&nbsp;Il a dit \"oui\"<br><br>";)",
        R"(Info[1]="&nbsp;C:\\photos<br>ligne<BR>&nbsp;deux<br>";)",
        R"(Info[2]="&nbsp;<b>fin</b><br><br>";)",
        R"(TypeImage[0]=".gif";)",
        R"(TypeImage[1]=".jpg";)",
        R"(TypeImage[2]=".gif";)",
        "script 11",
        "script 12",
        R"(document.getElementById("diapo").src="Vacances0.gif";)",
        R"(document.getElementById("InfoDiaporama").innerHTML="1 / 3";)",
        R"(document.getElementById("InfoTexte").innerHTML=Info[0];)",
        R"(document.getElementById("Titre").innerHTML="Nos \"belles\" vacances à \\o/";)",
        "script 17",
        "script 18",
    };

QStringList expectedPage(QStringList page = pageTemplate())
{
    page[9] = R"(<script language="JavaScript" type="text/JavaScript" src="Vacances.js">)";
    return page;
}

} // namespace

void TestSlideshowGeneration::init()
{
    m_platform = ScriptedPlatform();
    m_app = std::make_unique<TempFolder>();
    m_folder = std::make_unique<TempFolder>();
    m_app->write({{"Nouveau.htm", crlf(pageTemplate())},
                  {"Nouveau.js", crlf(numbered("script ", 18))},
                  {"sohifrm2.wav", "RIFF sound of AppDir"},
                  {"imgFond.jpg", "background of AppDir"},
                  {"imgFondTable.jpg", "frame of AppDir"}});
}

void TestSlideshowGeneration::generatedFiles_data()
{
    QTest::addColumn<QStringList>("page");
    QTest::addColumn<QStringList>("projectOwn"); // pictures the project folder already has
    QTest::addColumn<QStringList>("copied");
    QStringList both = pageTemplate(), eleven = numbered("page ", 12);
    both[11] = R"(<body background="imgFond.jpg"><table background="imgFondTable.jpg">)";
    eleven[10] = R"(<script src="Nouveau.js">)";
    const QStringList none, fond{"imgFond.jpg"};
    QTest::newRow("Default") << pageTemplate() << none << fond;
    QTest::newRow("ProjectsOwnBackgroundKept") << pageTemplate() << fond << none;
    QTest::newRow("FrameTemplateCopiesBoth")
        << both << none << QStringList{"imgFond.jpg", "imgFondTable.jpg"};
    // The template's own reference on line 11 is kept beside the new one on line 10.
    QTest::newRow("OwnScriptReferenceKept") << eleven << none << none;
    QTest::newRow("TenLines") << numbered("page ", 10) << none << none;
}

void TestSlideshowGeneration::generatedFiles()
{
    QFETCH(QStringList, page);
    QFETCH(QStringList, projectOwn);
    QFETCH(QStringList, copied);
    m_app->write("Nouveau.htm", crlf(page));
    for (const QString &own : projectOwn)
        m_folder->write(own, "the project's own");
    SlideshowProject project = threeSlides(m_folder->path());
    const GenerationResult result = GenerateSlideshow(project, m_app->path(), m_platform);
    QCOMPARE(result.outcome, Outcome::Generated);
    // The project's pictures are not there: the page is written, and the user told.
    QCOMPARE(m_platform.messages.size(), 1);
    QCOMPARE(m_platform.messages.first().title, "ATTENTION");
    QVERIFY(m_platform.messages.first().text.endsWith(u"Diapositives\u00A0: 0, 1, 2"));
    Files expected = {{"Vacances.htm", crlf(expectedPage(page))},
                      {"Vacances.js", crlf(expectedScript)},
                      {"sohifrm2.wav", "RIFF sound of AppDir"}};
    QStringList written{m_folder->path("Vacances.htm"), m_folder->path("Vacances.js"),
                        m_folder->path("sohifrm2.wav")};
    for (const QString &own : projectOwn)
        expected.insert(own, "the project's own");
    for (const QString &file : copied) {
        expected.insert(file, m_app->read(file));
        written << m_folder->path(file);
    }
    QCOMPARE(m_folder->snapshot(), expected);
    QCOMPARE(result.writtenFiles, written);
    // The padded captions stay in memory; saved is not touched.
    QCOMPARE(project.slideLines[0], R"(Il a dit "oui"<br><br>)");
    QVERIFY(project.htmlGenerated && project.saved);
    QCOMPARE(m_platform.shellRequests, QStringList{m_folder->path("Vacances.htm")});
}

void TestSlideshowGeneration::padCaptionBreaks_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("padded");
    QTest::newRow("ZeroTwoOne") << QStringList{"a", "b<br>c<br>", "<br>d"}
                                << QStringList{"a<br><br>", "b<br>c<br>", "<br>d<br>"};
    QTest::newRow("EmptyCaptionPadded") << QStringList{"", "x<br>"} << QStringList{"<br>", "x<br>"};
    QTest::newRow("UpperCaseAndPipeNotCounted")
        << QStringList{"a<BR>b|c", "<br>"} << QStringList{"a<BR>b|c<br>", "<br>"};
    QTest::newRow("AdjacentBreaks")
        << QStringList{"<br><br><br>", "<br"} << QStringList{"<br><br><br>", "<br<br><br><br>"};
}

void TestSlideshowGeneration::padCaptionBreaks()
{
    QFETCH(QStringList, captions);
    QFETCH(QStringList, padded);
    SlideshowProject project;
    project.slideCount = std::int16_t(captions.size());
    for (int i = 0; i < captions.size(); ++i)
        project.slideLines[i] = captions[i];
    // A caption beyond the last slide is neither counted nor padded.
    project.slideLines[captions.size()] = "<br><br><br><br><br>";
    for (int run = 0; run < 2; ++run) { // a second run adds nothing
        PadCaptionBreaks(project);
        for (int i = 0; i < padded.size(); ++i)
            QCOMPARE(project.slideLines[i], padded[i]);
    }
    QCOMPARE(project.slideLines[captions.size()], "<br><br><br><br><br>");
}

void TestSlideshowGeneration::refusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<Outcome>("expected");
    QTest::addColumn<QString>("title"); // of the one message, "" for none

    // clang-format off
    QTest::newRow("Nouveau") << "Nouveau" << true << true << Outcome::RefusedUnnamed << "ALERTE";
    QTest::newRow("NouveauUnsavedNamesFirst") << "Nouveau" << true << false << Outcome::RefusedUnnamed << "ALERTE";
    QTest::newRow("Unsaved") << "Vacances" << true << false << Outcome::RefusedUnsaved << "IMPOSSIBILITE";
    QTest::newRow("NotLoaded") << "Vacances" << false << true << Outcome::NotLoaded << "";
    // Its pictures are not there: a warning.
    QTest::newRow("LowerCaseNouveauAccepted") << "nouveau" << true << true << Outcome::Generated << "ATTENTION";
    // clang-format on
}

void TestSlideshowGeneration::refusals()
{
    QFETCH(QString, name);
    QFETCH(bool, loaded);
    QFETCH(bool, saved);
    QFETCH(Outcome, expected);
    QFETCH(QString, title);
    m_folder->write(name + ".js", "previous script");
    const Files before = m_folder->snapshot();
    SlideshowProject project = threeSlides(m_folder->path(), name);
    project.loaded = loaded;
    project.saved = saved;
    const auto captions = project.slideLines;

    QCOMPARE(GenerateSlideshow(project, m_app->path(), m_platform).outcome, expected);
    QCOMPARE(m_platform.messages.size(), title.isEmpty() ? 0 : 1);
    if (expected == Outcome::Generated) {
        QCOMPARE(m_folder->read(name + ".js"),
                 crlf(expectedScript).replace("Vacances", name.toLatin1()));
        return;
    }
    if (!title.isEmpty()) {
        QCOMPARE(m_platform.messages.first().title, title);
        QCOMPARE(m_platform.messages.first().text,
                 expected == Outcome::RefusedUnnamed
                     ? "Vous devez d'abord donner un nom au projet !"
                     : "Il faut d'abord enregistrer le diaporama !");
    }
    // Nothing written or opened, the captions as they were.
    QCOMPARE(m_folder->snapshot(), before);
    QVERIFY(m_platform.shellRequests.isEmpty());
    QCOMPARE(project.slideLines, captions);
    QVERIFY(!project.htmlGenerated);
}

// A project file can carry any name: it stands escaped in the script.
void TestSlideshowGeneration::nameIsEscapedInTheScript()
{
    const SlideshowProject project = threeSlides("/x", R"(a"b\c)");
    QCOMPARE(GeneratedScript::blockA(project).first(), R"(var RepImage="a\"b\\c";)");
    QCOMPARE(GeneratedScript::blockB(project).first(),
             R"(document.getElementById("diapo").src="a\"b\\c0.gif";)");
}

void TestSlideshowGeneration::failuresKeepEveryFile_data()
{
    // in: "app" or "folder"; how: remove, shorten to N lines, or a folder in its place.
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("how");
    QTest::addColumn<Outcome>("expected");
    // clang-format off
    QTest::newRow("PageTemplateMissing") << "app" << "Nouveau.htm" << "remove" << Outcome::TemplateMissing;
    QTest::newRow("PageTemplateIsFolder") << "app" << "Nouveau.htm" << "folder" << Outcome::TemplateMissing;
    QTest::newRow("ScriptTemplateFifteenLines") << "app" << "Nouveau.js" << "15" << Outcome::TemplateTooShort;
    QTest::newRow("SoundMissing") << "app" << "sohifrm2.wav" << "remove" << Outcome::SoundMissing;
    QTest::newRow("FolderWhereScriptGoes") << "folder" << "Vacances.js" << "folder" << Outcome::WriteFailed;
    QTest::newRow("ProjectFolderUnderPlainFile") << "folder" << "" << "underfile" << Outcome::WriteFailed;
    // clang-format on
}

void TestSlideshowGeneration::failuresKeepEveryFile()
{
    QFETCH(QString, in);
    QFETCH(QString, what);
    QFETCH(QString, how);
    QFETCH(Outcome, expected);
    SlideshowProject project = threeSlides(m_folder->path());
    QVERIFY(GenerateSlideshow(project, m_app->path(), m_platform).generated());
    m_platform = ScriptedPlatform();
    // A new generation would change every file.
    project.slideLines[0] += "<br><br><br>";
    project.header = "Nouveau titre";
    project.htmlGenerated = false;
    m_app->write("sohifrm2.wav", "new sound");
    m_app->write("Nouveau.htm", crlf(pageTemplate() << "page 14"));
    const auto captions = project.slideLines;

    const TempFolder &target = in == "app" ? *m_app : *m_folder;
    if (how == "remove" || how == "folder")
        target.remove(what);
    if (how == "folder")
        target.write(what + "/");
    if (how == "15")
        target.write(what, crlf(numbered("script ", 15)));
    if (how == "underfile") {
        m_folder->write("fichier", "a plain file");
        project.folder = m_folder->path("fichier/projet");
        project.updateBasePath();
    }
    const Files appBefore = m_app->snapshot();
    const Files folderBefore = m_folder->snapshot();

    const GenerationResult result = GenerateSlideshow(project, m_app->path(), m_platform);
    QCOMPARE(result.outcome, expected);
    QVERIFY(result.writtenFiles.isEmpty());
    if (!what.isEmpty())
        QCOMPARE(result.failedPath, target.path(what));
    // Told once, naming the file; nothing opened, no file changed, no temporary left.
    QCOMPARE(m_platform.messages.size(), 1);
    QCOMPARE(m_platform.messages.first().title, "ALERTE");
    QVERIFY(m_platform.messages.first().text.startsWith("Le diaporama n'a pas pu être créé."));
    QVERIFY(m_platform.messages.first().text.contains(result.failedPath));
    QVERIFY(m_platform.shellRequests.isEmpty());
    QCOMPARE(m_app->snapshot(), appBefore);
    QCOMPARE(m_folder->snapshot(), folderBefore);
    QCOMPARE(project.slideLines, captions);
    QVERIFY(!project.htmlGenerated);
}

void TestSlideshowGeneration::viewPage_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("htmlGenerated");
    QTest::addColumn<bool>("warned");
    QTest::newRow("UpToDate") << true << true << false;
    QTest::newRow("SlidesChangedWarnsThenOpens") << true << false << true;
    QTest::newRow("NothingOpen") << false << false << false;
}

void TestSlideshowGeneration::viewPage()
{
    QFETCH(bool, loaded);
    QFETCH(bool, htmlGenerated);
    QFETCH(bool, warned);
    m_folder->write("Vacances.htm", "the old page");
    SlideshowProject project = threeSlides(m_folder->path());
    project.loaded = loaded;
    project.htmlGenerated = htmlGenerated;
    viewGeneratedPage(project, m_platform);
    QCOMPARE(m_platform.messages.size(), warned ? 1 : 0);
    if (warned)
        QCOMPARE(m_platform.messages.first().title, "ATTENTION");
    QCOMPARE(m_platform.shellRequests,
             loaded ? QStringList{m_folder->path("Vacances.htm")} : QStringList());
    // The page is shown as it is, never regenerated.
    QCOMPARE(m_folder->snapshot(), Files({{"Vacances.htm", "the old page"}}));
}

// The templates Lumivue ships hold the lines the generation replaces.
void TestSlideshowGeneration::shippedTemplates()
{
    const QString appData = qEnvironmentVariable("LUMIVUE_APPDATA");
    const QStringList page = TextFile::readLines(appData + "/Nouveau.htm").value();
    const QStringList script = TextFile::readLines(appData + "/Nouveau.js").value();
    SlideshowProject project = threeSlides(m_folder->path());
    QVERIFY(GenerateSlideshow(project, appData, m_platform).generated());

    QCOMPARE(TextFile::readLines(m_folder->path("Vacances.htm")).value(), expectedPage(page));
    for (const char *id : {"\"diapo\"", "\"InfoDiaporama\"", "\"InfoTexte\"", "\"Titre\""})
        QVERIFY2(page.join('\n').contains(id), id);
    const QStringList data = expectedScript.mid(6, 8);
    const QStringList first = expectedScript.mid(16, 4);
    QCOMPARE(TextFile::readLines(m_folder->path("Vacances.js")).value(),
             script.mid(0, 6) + data + script.mid(10, 2) + first + script.mid(16));
    QCOMPARE(m_folder->read("sohifrm2.wav"), readFile(appData + "/sohifrm2.wav"));
}

QTEST_GUILESS_MAIN(TestSlideshowGeneration)
#include "tst_slideshowgeneration.moc"
