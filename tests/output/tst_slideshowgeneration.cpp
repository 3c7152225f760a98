#include "appdirfixture.h"
#include "output/captionbreaks.h"
#include "output/generatedpage.h"
#include "output/generatedscript.h"
#include "output/pageview.h"
#include "output/slideshowgeneration.h"
#include "project/slideshowproject.h"
#include "project/textfile.h"
#include "support/scriptedplatform.h"
#include "templatelines.h"

#include <QTest>

// Declared before the fixtures: moc does not follow raw strings holding \".
class TestSlideshowGeneration : public QObject
{
    Q_OBJECT
private slots:
    void generatedFiles();
    void encoding_data();
    void encoding();
    void padCaptionBreaks_data();
    void padCaptionBreaks();
    void escapes_data();
    void escapes();
    void refusals_data();
    void refusals();
    void templateScriptLine_data();
    void templateScriptLine();
    void regeneration();
    void failures_data();
    void failures();
    void backgrounds_data();
    void backgrounds();
    void viewPage_data();
    void viewPage();
    void shippedTemplates();
};

using Outcome = GenerationResult::Outcome;
using Files = QMap<QString, QByteArray>;

Q_DECLARE_METATYPE(Outcome)
Q_DECLARE_METATYPE(Platform::Icon)

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

QStringList scriptTemplate() { return numbered("script ", 18); }

void fillAppDir(const AppDirFixture &app)
{
    app.write("Nouveau.htm", crlf(pageTemplate()));
    app.write("Nouveau.js", crlf(scriptTemplate()));
    app.write("sohifrm2.wav", "RIFF sound of AppDir");
    app.write("imgFond.jpg", "background of AppDir");
    app.write("imgFondTable.jpg", "frame of AppDir");
}

// The three-slide project of most tests, opened and saved.
SlideshowProject threeSlides(const QString &folder, const QString &name = "Vacances")
{
    SlideshowProject project;
    project.name = name;
    project.folder = folder;
    project.updateBasePath();
    project.header = R"(Nos "belles" vacances \o/)";
    project.slideCount = 3;
    project.slideLines[0] = R"(Il a dit "oui")";
    project.slideLines[1] = R"(C:\photos<br>ligne|deux<br>)";
    project.slideLines[2] = "<b>fin</b><br>";
    project.imageTypes[0] = ".gif";
    project.imageTypes[1] = ".jpg";
    project.imageTypes[2] = ".gif";
    project.loaded = true;
    project.saved = true;
    project.htmlGenerated = false;
    return project;
}

const QStringList expectedScript = {
    "script 1",
    "script 2",
    "script 3",
    "script 4",
    "script 5",
    "script 6",
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
    R"(document.getElementById("Titre").innerHTML="Nos \"belles\" vacances \\o/";)",
    "script 17",
    "script 18",
};

QStringList expectedPage()
{
    QStringList page = pageTemplate();
    page[9] = R"(<script language="JavaScript" type="text/JavaScript" src="Vacances.js">)";
    return page;
}

} // namespace

void TestSlideshowGeneration::generatedFiles()
{
    AppDirFixture app, folder;
    fillAppDir(app);
    SlideshowProject project = threeSlides(folder.appDir());
    ScriptedPlatform platform;

    const GenerationResult result = GenerateSlideshow(project, app.appDir(), platform);
    QCOMPARE(result.outcome, Outcome::Generated);
    QVERIFY(platform.messages.isEmpty());

    const Files expected = {
        {"Vacances.htm", crlf(expectedPage())},
        {"Vacances.js", crlf(expectedScript)},
        {"sohifrm2.wav", "RIFF sound of AppDir"},
        {"imgFond.jpg", "background of AppDir"},
    };
    QCOMPARE(folder.snapshot(), expected);
    QCOMPARE(result.writtenFiles,
             QStringList({folder.path("Vacances.htm"), folder.path("Vacances.js"),
                          folder.path("sohifrm2.wav"), folder.path("imgFond.jpg")}));

    // The padded captions stay in memory; saved is not touched.
    QCOMPARE(project.slideLines[0], R"(Il a dit "oui"<br><br>)");
    QCOMPARE(project.slideLines[1], R"(C:\photos<br>ligne|deux<br>)");
    QCOMPARE(project.slideLines[2], "<b>fin</b><br><br>");
    QVERIFY(project.htmlGenerated);
    QVERIFY(project.saved);
    QCOMPARE(platform.shellRequests, QStringList{folder.path("Vacances.htm")});
}

void TestSlideshowGeneration::encoding_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QByteArray>("titleLine");
    QTest::addColumn<bool>("utf8");

    QTest::newRow("AccentsInWindows1252")
        << QString("Été à Noël") << QByteArray("\xC9t\xE9 \xE0 No\xEBl") << false;
    QTest::newRow("ArrowNeedsUtf8")
        << QString("Aller → retour") << QByteArray("Aller \xE2\x86\x92 retour") << true;
}

void TestSlideshowGeneration::encoding()
{
    QFETCH(QString, header);
    QFETCH(QByteArray, titleLine);
    QFETCH(bool, utf8);

    AppDirFixture app, folder;
    fillAppDir(app);
    SlideshowProject project = threeSlides(folder.appDir());
    project.header = header;
    ScriptedPlatform platform;
    QVERIFY(GenerateSlideshow(project, app.appDir(), platform).generated());

    const QByteArray script = folder.read("Vacances.js");
    QCOMPARE(script.startsWith("\xEF\xBB\xBF"), utf8);
    QVERIFY(script.contains("innerHTML=\"" + titleLine + "\";\r\nscript 17\r\n"));
    // The page holds only ASCII, so it stays in Windows-1252.
    QCOMPARE(folder.read("Vacances.htm"), crlf(expectedPage()));
}

void TestSlideshowGeneration::padCaptionBreaks_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("padded");

    QTest::newRow("ZeroTwoOne") << QStringList{"a", "b<br>c<br>", "<br>d"}
                                << QStringList{"a<br><br>", "b<br>c<br>", "<br>d<br>"};
    QTest::newRow("NoBreaksAnywhere") << QStringList{"a", "", "c"} << QStringList{"a", "", "c"};
    QTest::newRow("EmptyCaptionPadded") << QStringList{"", "x<br>"} << QStringList{"<br>", "x<br>"};
    QTest::newRow("UpperCaseAndPipeNotCounted")
        << QStringList{"a<BR>b|c", "<br>"} << QStringList{"a<BR>b|c<br>", "<br>"};
    QTest::newRow("AdjacentBreaks")
        << QStringList{"<br><br><br>", "<br"} << QStringList{"<br><br><br>", "<br<br><br><br>"};
    QTest::newRow("OneSlide") << QStringList{"x<br>"} << QStringList{"x<br>"};
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
    project.saved = false;

    PadCaptionBreaks(project);
    for (int i = 0; i < padded.size(); ++i)
        QCOMPARE(project.slideLines[i], padded[i]);
    QCOMPARE(project.slideLines[captions.size()], "<br><br><br><br><br>");
    QVERIFY(!project.saved);

    // A second run adds nothing.
    PadCaptionBreaks(project);
    for (int i = 0; i < padded.size(); ++i)
        QCOMPARE(project.slideLines[i], padded[i]);
}

void TestSlideshowGeneration::escapes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("repImage");
    QTest::addColumn<QString>("diapo");
    QTest::addColumn<QString>("titre");

    QTest::newRow("QuoteInName") << R"(Mes "vues")"
                                 << ""
                                 << R"(var RepImage="Mes \"vues\"";)"
                                 << R"(.src="Mes \"vues\"0.gif";)"
                                 << R"(.innerHTML="";)";
    QTest::newRow("BackslashInName") << R"(a\b)"
                                     << ""
                                     << R"(var RepImage="a\\b";)"
                                     << R"(.src="a\\b0.gif";)"
                                     << R"(.innerHTML="";)";
    QTest::newRow("HeaderEndsInBackslash") << "Vues"
                                           << R"(fin\)"
                                           << R"(var RepImage="Vues";)"
                                           << R"(.src="Vues0.gif";)"
                                           << R"(.innerHTML="fin\\";)";
}

void TestSlideshowGeneration::escapes()
{
    QFETCH(QString, name);
    QFETCH(QString, header);
    QFETCH(QString, repImage);
    QFETCH(QString, diapo);
    QFETCH(QString, titre);

    SlideshowProject project = threeSlides("/nowhere", name);
    project.header = header;
    const QStringList a = GeneratedScript::blockA(project);
    const QStringList b = GeneratedScript::blockB(project);
    QCOMPARE(a.first(), repImage);
    QCOMPARE(b.first(), R"(document.getElementById("diapo"))" + diapo);
    QCOMPARE(b.last(), R"(document.getElementById("Titre"))" + titre);
    // The page refers to the script file by the name as it is.
    QCOMPARE(GeneratedPage::scriptLine(name),
             R"(<script language="JavaScript" type="text/JavaScript" src=")" + name + R"(.js">)");
}

void TestSlideshowGeneration::refusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<Outcome>("expected");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<Platform::Icon>("icon");

    const QString unnamed = "Vous devez d'abord donner un nom au projet !";
    const QString unsaved = "Il faut d'abord enregistrer le diaporama !";
    QTest::newRow("NouveauSaved") << "Nouveau" << true << true << Outcome::RefusedUnnamed << unnamed
                                  << "ALERTE" << Platform::Icon::Stop;
    QTest::newRow("NouveauUnsavedNamesFirst")
        << "Nouveau" << true << false << Outcome::RefusedUnnamed << unnamed << "ALERTE"
        << Platform::Icon::Stop;
    QTest::newRow("Unsaved") << "Vacances" << true << false << Outcome::RefusedUnsaved << unsaved
                             << "IMPOSSIBILITE" << Platform::Icon::Exclamation;
    QTest::newRow("NotLoaded") << "Vacances" << false << true << Outcome::NotLoaded << ""
                               << "" << Platform::Icon::None;
    QTest::newRow("NotLoadedNouveau") << "Nouveau" << false << false << Outcome::NotLoaded << ""
                                      << "" << Platform::Icon::None;
    QTest::newRow("LowerCaseNouveauAccepted")
        << "nouveau" << true << true << Outcome::Generated << ""
        << "" << Platform::Icon::None;
    QTest::newRow("NouveauWithSpace") << "Nouveau " << true << true << Outcome::Generated << ""
                                      << "" << Platform::Icon::None;
}

void TestSlideshowGeneration::refusals()
{
    QFETCH(QString, name);
    QFETCH(bool, loaded);
    QFETCH(bool, saved);
    QFETCH(Outcome, expected);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(Platform::Icon, icon);

    AppDirFixture app, folder;
    fillAppDir(app);
    folder.write(name + ".htm", "previous page");
    folder.write(name + ".js", "previous script");
    const Files before = folder.snapshot();
    SlideshowProject project = threeSlides(folder.appDir(), name);
    project.loaded = loaded;
    project.saved = saved;
    const auto captions = project.slideLines;
    ScriptedPlatform platform;

    QCOMPARE(GenerateSlideshow(project, app.appDir(), platform).outcome, expected);
    if (expected == Outcome::Generated) {
        QVERIFY(platform.messages.isEmpty());
        QCOMPARE(folder.read(name + ".js"),
                 crlf(expectedScript).replace("Vacances", name.toLatin1()));
        QCOMPARE(platform.shellRequests.size(), 1);
        return;
    }
    // Refused: exactly one message (none when nothing is open), nothing written or opened.
    QCOMPARE(platform.messages.size(), text.isEmpty() ? 0 : 1);
    if (!text.isEmpty()) {
        const auto &message = platform.messages.first();
        QCOMPARE(message.text, text);
        QCOMPARE(message.title, title);
        QCOMPARE(message.icon, icon);
        QCOMPARE(message.buttons, Platform::Buttons::Ok);
    }
    QCOMPARE(folder.snapshot(), before);
    QVERIFY(platform.shellRequests.isEmpty());
    QCOMPARE(project.slideLines, captions);
    QVERIFY(!project.htmlGenerated);
}

void TestSlideshowGeneration::templateScriptLine_data()
{
    QTest::addColumn<QStringList>("page");
    QTest::addColumn<int>("scriptLines");

    const QString own = R"(<script src="Nouveau.js">)";
    QStringList onNine = numbered("page ", 12);
    onNine[8] = own;
    QStringList onEleven = numbered("page ", 12);
    onEleven[10] = own;
    QStringList onTen = numbered("page ", 10);
    onTen[9] = own;
    QStringList none = numbered("page ", 11);

    QTest::newRow("OwnReferenceOnLine9") << onNine << 2;
    QTest::newRow("OwnReferenceOnLine11") << onEleven << 2;
    QTest::newRow("ExactlyTenLines") << onTen << 1;
    QTest::newRow("NoReferenceLine10Lost") << none << 1;
}

void TestSlideshowGeneration::templateScriptLine()
{
    QFETCH(QStringList, page);
    QFETCH(int, scriptLines);

    AppDirFixture app, folder;
    fillAppDir(app);
    app.write("Nouveau.htm", crlf(page));
    SlideshowProject project = threeSlides(folder.appDir());
    ScriptedPlatform platform;
    QVERIFY(GenerateSlideshow(project, app.appDir(), platform).generated());

    // Line 10 is replaced whatever it holds; every other line is kept.
    QStringList expected = page;
    expected[9] = GeneratedPage::scriptLine("Vacances");
    QCOMPARE(folder.read("Vacances.htm"), crlf(expected));
    QCOMPARE(expected.filter("<script").size(), scriptLines);
}

void TestSlideshowGeneration::regeneration()
{
    AppDirFixture app, folder;
    fillAppDir(app);
    SlideshowProject project = threeSlides(folder.appDir());
    ScriptedPlatform platform;
    QVERIFY(GenerateSlideshow(project, app.appDir(), platform).generated());

    // A slide fewer, a new header, a new template and a new sound.
    project.slideCount = 2;
    project.header = "Autre";
    project.htmlGenerated = false;
    QStringList page = pageTemplate();
    page[0] = "page 1 bis";
    app.write("Nouveau.htm", crlf(page));
    app.write("sohifrm2.wav", "new sound");
    QVERIFY(GenerateSlideshow(project, app.appDir(), platform).generated());

    page[9] = GeneratedPage::scriptLine("Vacances");
    QCOMPARE(folder.read("Vacances.htm"), crlf(page));
    const QByteArray script = folder.read("Vacances.js");
    QVERIFY(script.contains("var NBSprite=1;\r\n"));
    QVERIFY(!script.contains("Info[2]"));
    QVERIFY(script.contains(R"(innerHTML="1 / 2";)"));
    QVERIFY(script.contains(R"(innerHTML="Autre";)"));
    QCOMPARE(folder.read("sohifrm2.wav"), "new sound");
    QVERIFY(project.htmlGenerated);
    QCOMPARE(platform.shellRequests.size(), 2);
}

void TestSlideshowGeneration::failures_data()
{
    // breakIn: "app" or "folder"; what: the file to break; how: remove, truncate or folder.
    QTest::addColumn<QString>("breakIn");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("how");
    QTest::addColumn<Outcome>("expected");

    QTest::newRow("PageTemplateMissing") << "app"
                                         << "Nouveau.htm"
                                         << "remove" << Outcome::TemplateMissing;
    QTest::newRow("ScriptTemplateMissing") << "app"
                                           << "Nouveau.js"
                                           << "remove" << Outcome::TemplateMissing;
    QTest::newRow("PageTemplateNineLines") << "app"
                                           << "Nouveau.htm"
                                           << "truncate9" << Outcome::TemplateTooShort;
    QTest::newRow("ScriptTemplateFifteenLines") << "app"
                                                << "Nouveau.js"
                                                << "truncate15" << Outcome::TemplateTooShort;
    QTest::newRow("PageTemplateIsFolder") << "app"
                                          << "Nouveau.htm"
                                          << "folder" << Outcome::TemplateMissing;
    QTest::newRow("SoundMissing") << "app"
                                  << "sohifrm2.wav"
                                  << "remove" << Outcome::SoundMissing;
    QTest::newRow("FolderWherePageGoes") << "folder"
                                         << "Vacances.htm"
                                         << "folder" << Outcome::WriteFailed;
    QTest::newRow("FolderWhereScriptGoes") << "folder"
                                           << "Vacances.js"
                                           << "folder" << Outcome::WriteFailed;
    QTest::newRow("FolderWhereSoundGoes") << "folder"
                                          << "sohifrm2.wav"
                                          << "folder" << Outcome::WriteFailed;
    QTest::newRow("ProjectFolderUnderPlainFile") << "folder"
                                                 << ""
                                                 << "underfile" << Outcome::WriteFailed;
}

void TestSlideshowGeneration::failures()
{
    QFETCH(QString, breakIn);
    QFETCH(QString, what);
    QFETCH(QString, how);
    QFETCH(Outcome, expected);

    AppDirFixture app, folder;
    fillAppDir(app);
    SlideshowProject project = threeSlides(folder.appDir());
    ScriptedPlatform platform;
    QVERIFY(GenerateSlideshow(project, app.appDir(), platform).generated());
    platform.shellRequests.clear();

    // The project changes so that a new generation would differ in every file.
    project.slideLines[0] += "<br><br><br>";
    project.header = "Nouveau titre";
    project.htmlGenerated = false;
    app.write("sohifrm2.wav", "new sound");
    QStringList newPage = pageTemplate();
    newPage[0] = "page 1 bis";
    app.write("Nouveau.htm", crlf(newPage));
    const auto captions = project.slideLines;

    const AppDirFixture &target = breakIn == "app" ? app : folder;
    if (how == "remove") {
        target.remove(what);
    } else if (how.startsWith("truncate")) {
        const int keep = how.mid(8).toInt();
        const QStringList lines = TextFile::readLines(target.path(what)).value();
        target.write(what, crlf(lines.mid(0, keep)));
    } else if (how == "folder") {
        target.remove(what);
        target.makeFolder(what);
    } else if (how == "underfile") {
        folder.write("fichier", "a plain file");
        project.folder = folder.path("fichier/projet");
        project.updateBasePath();
    }
    const Files appBefore = app.snapshot();
    const Files folderBefore = folder.snapshot();

    const GenerationResult result = GenerateSlideshow(project, app.appDir(), platform);
    QCOMPARE(result.outcome, expected);
    QVERIFY(result.writtenFiles.isEmpty());
    if (!what.isEmpty())
        QCOMPARE(result.failedPath, target.path(what));

    // Told once, in French, with the stop icon; nothing opened.
    QCOMPARE(platform.messages.size(), 1);
    const auto &message = platform.messages.first();
    QCOMPARE(message.title, "ALERTE");
    QCOMPARE(message.icon, Platform::Icon::Stop);
    QCOMPARE(message.buttons, Platform::Buttons::Ok);
    QVERIFY2(message.text.startsWith("Le diaporama n'a pas pu être créé."),
             qPrintable(message.text));
    QVERIFY(message.text.contains(result.failedPath));
    QVERIFY(platform.shellRequests.isEmpty());

    // Every file on disk is as it was: the previous page, script and sound stay,
    // and no temporary file is left behind.
    QCOMPARE(app.snapshot(), appBefore);
    QCOMPARE(folder.snapshot(), folderBefore);
    for (const QString &kept : {QString("Vacances.htm"), QString("Vacances.js")}) {
        if (kept != what)
            QVERIFY(folderBefore.value(kept).contains("Vacances"));
    }
    if (what != "sohifrm2.wav")
        QCOMPARE(folderBefore.value("sohifrm2.wav"), "RIFF sound of AppDir");
    QCOMPARE(project.slideLines, captions);
    QVERIFY(!project.htmlGenerated);
}

void TestSlideshowGeneration::backgrounds_data()
{
    QTest::addColumn<QString>("pageLine12");
    QTest::addColumn<QStringList>("projectOwn"); // pictures the project folder already has
    QTest::addColumn<QStringList>("copied");

    QTest::newRow("BackgroundCopied")
        << R"(<body background="imgFond.jpg">)" << QStringList() << QStringList{"imgFond.jpg"};
    QTest::newRow("ProjectsOwnKept")
        << R"(<body background="imgFond.jpg">)" << QStringList{"imgFond.jpg"} << QStringList();
    QTest::newRow("FrameTemplateCopiesBoth")
        << R"(<body background="imgFond.jpg"><table background="imgFondTable.jpg">)"
        << QStringList() << QStringList{"imgFond.jpg", "imgFondTable.jpg"};
    QTest::newRow("FrameOwnKeptBackgroundCopied")
        << R"(<body background="imgFond.jpg"><table background="imgFondTable.jpg">)"
        << QStringList{"imgFondTable.jpg"} << QStringList{"imgFond.jpg"};
    QTest::newRow("PageNamesNone") << "<body>" << QStringList() << QStringList();
}

void TestSlideshowGeneration::backgrounds()
{
    QFETCH(QString, pageLine12);
    QFETCH(QStringList, projectOwn);
    QFETCH(QStringList, copied);

    AppDirFixture app, folder;
    fillAppDir(app);
    QStringList page = pageTemplate();
    page[11] = pageLine12;
    app.write("Nouveau.htm", crlf(page));
    for (const QString &own : projectOwn)
        folder.write(own, "the project's own " + own.toLatin1());
    SlideshowProject project = threeSlides(folder.appDir());
    ScriptedPlatform platform;

    const GenerationResult result = GenerateSlideshow(project, app.appDir(), platform);
    QVERIFY(result.generated());
    QCOMPARE(result.writtenFiles.mid(3), [&] {
        QStringList paths;
        for (const QString &file : copied)
            paths << folder.path(file);
        return paths;
    }());
    for (const QString &own : projectOwn)
        QCOMPARE(folder.read(own), "the project's own " + own.toLatin1());
    for (const QString &file : copied)
        QCOMPARE(folder.read(file), app.read(file));
    const Files files = folder.snapshot();
    QCOMPARE(files.size(), 3 + projectOwn.size() + copied.size());
}

void TestSlideshowGeneration::viewPage_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("htmlGenerated");
    QTest::addColumn<bool>("warned");
    QTest::addColumn<bool>("opened");

    QTest::newRow("UpToDate") << true << true << false << true;
    QTest::newRow("SlidesChangedWarnsThenOpens") << true << false << true << true;
    QTest::newRow("NothingOpen") << false << false << false << false;
}

void TestSlideshowGeneration::viewPage()
{
    QFETCH(bool, loaded);
    QFETCH(bool, htmlGenerated);
    QFETCH(bool, warned);
    QFETCH(bool, opened);

    AppDirFixture folder;
    folder.write("Vacances.htm", "the old page");
    SlideshowProject project = threeSlides(folder.appDir());
    project.loaded = loaded;
    project.htmlGenerated = htmlGenerated;
    ScriptedPlatform platform;

    viewGeneratedPage(project, platform);
    QCOMPARE(platform.messages.size(), warned ? 1 : 0);
    if (warned) {
        const auto &message = platform.messages.first();
        QCOMPARE(message.text,
                 "Vous allez visualiser un fichier HTML créé\r\n"
                 "avec une ancienne version du projet !");
        QCOMPARE(message.title, "ATTENTION");
        QCOMPARE(message.buttons, Platform::Buttons::Ok);
        QCOMPARE(message.icon, Platform::Icon::Exclamation);
    }
    QCOMPARE(platform.shellRequests,
             opened ? QStringList{folder.path("Vacances.htm")} : QStringList());
    // The page is shown as it is, never regenerated.
    QCOMPARE(folder.snapshot(), Files({{"Vacances.htm", "the old page"}}));
    QCOMPARE(project.htmlGenerated, htmlGenerated);
}

void TestSlideshowGeneration::shippedTemplates()
{
    const QString appData = qEnvironmentVariable("LUMIVUE_APPDATA");
    for (const char *file : {"Nouveau.htm", "Nouveau.js", "sohifrm2.wav"}) {
        if (!QFile::exists(appData + '/' + file))
            QSKIP(qPrintable(QString("the application folder has no %1 yet").arg(file)));
    }
    const QStringList page = TextFile::readLines(appData + "/Nouveau.htm").value();
    const QStringList script = TextFile::readLines(appData + "/Nouveau.js").value();

    AppDirFixture folder;
    SlideshowProject project = threeSlides(folder.appDir());
    ScriptedPlatform platform;
    QVERIFY(GenerateSlideshow(project, appData, platform).generated());

    QStringList expected = page;
    expected[9] = GeneratedPage::scriptLine("Vacances");
    QCOMPARE(TextFile::readLines(folder.path("Vacances.htm")).value(), expected);
    for (const char *id : {"\"diapo\"", "\"InfoDiaporama\"", "\"InfoTexte\"", "\"Titre\""})
        QVERIFY2(page.join('\n').contains(id), id);

    const QStringList generated = TextFile::readLines(folder.path("Vacances.js")).value();
    const QStringList data = expectedScript.mid(6, 8);
    const QStringList first = expectedScript.mid(16, 4);
    QCOMPARE(generated, script.mid(0, 6) + data + script.mid(10, 2) + first + script.mid(16));
    QFile sound(appData + "/sohifrm2.wav");
    QVERIFY(sound.open(QIODevice::ReadOnly));
    QCOMPARE(folder.read("sohifrm2.wav"), sound.readAll());
}

QTEST_GUILESS_MAIN(TestSlideshowGeneration)
#include "tst_slideshowgeneration.moc"
