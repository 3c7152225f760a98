#include "appdirfixture.h"
#include "templatelines.h"

#include <QProcess>
#include <QTest>

using Files = QMap<QString, QByteArray>;

// lumivue --generate run as its own process, with no display, on an
// application folder and a project folder made by the test.
class TestGenerateCommand : public QObject
{
    Q_OBJECT
private slots:
    void generate_data();
    void generate();
    void help();
};

namespace {

const QByteArray project = "Nom=x\r\nRepertoire=y\r\nNbSprite=2\r\nTag=Titre\r\nun\r\ndeux\r\n";

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs lumivue with the data folder of home and an empty pristine folder, so
// that the application folder holds exactly what the test put there; the
// window system is made unusable on purpose.
Run lumivue(const QStringList &arguments, const QString &home, const QString &workDir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_DATA_HOME", home + "/data");
    env.insert("XDG_STATE_HOME", home + "/state");
    env.insert("LUMIVUE_APPDATA", home + "/pristine");
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");

    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workDir);
    process.start(QStringLiteral(LUMIVUE_EXE), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

void TestGenerateCommand::generate_data()
{
    // file: the argument given, relative to the project folder's parent;
    // breakApp / breakFolder: a file removed ("-name"), shortened ("~name")
    // or replaced by a folder ("/name").
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("breakApp");
    QTest::addColumn<QString>("breakFolder");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("errorPart");

    QTest::newRow("Generated") << QStringList{"--generate", "projet/Vacances.lmv"} << ""
                               << "" << 0 << "";
    QTest::newRow("AbsolutePath") << QStringList{"--generate", "@/projet/Vacances.lmv"} << ""
                                  << "" << 0 << "";
    QTest::newRow("MissingValue") << QStringList{"--generate"} << ""
                                  << "" << 2 << "generate";
    QTest::newRow("StrayArgument") << QStringList{"--generate", "projet/Vacances.lmv", "x"} << ""
                                   << "" << 2 << "x";
    QTest::newRow("NoSuchFile") << QStringList{"--generate", "projet/Absent.lmv"} << ""
                                << "" << 3 << "introuvable";
    QTest::newRow("FolderGiven") << QStringList{"--generate", "projet"} << ""
                                 << "" << 3 << "introuvable";
    QTest::newRow("NotLmv") << QStringList{"--generate", "projet/notes.txt"} << ""
                            << "" << 4 << "notes.txt";
    QTest::newRow("CountNotANumber") << QStringList{"--generate", "projet/Casse.lmv"} << ""
                                     << "" << 4 << "Casse.lmv";
    QTest::newRow("NoSlides") << QStringList{"--generate", "projet/Vide.lmv"} << ""
                              << "" << 4 << "aucune diapositive";
    QTest::newRow("Nouveau") << QStringList{"--generate", "projet/Nouveau.lmv"} << ""
                             << "" << 5 << "Vous devez d'abord donner un nom au projet !";
    QTest::newRow("TemplateMissing")
        << QStringList{"--generate", "projet/Vacances.lmv"} << "-Nouveau.js"
        << "" << 6 << "Nouveau.js";
    QTest::newRow("TemplateTooShort")
        << QStringList{"--generate", "projet/Vacances.lmv"} << "~Nouveau.htm"
        << "" << 6 << "Nouveau.htm";
    QTest::newRow("SoundMissing") << QStringList{"--generate", "projet/Vacances.lmv"}
                                  << "-sohifrm2.wav"
                                  << "" << 7 << "sohifrm2.wav";
    QTest::newRow("FolderWhereScriptGoes") << QStringList{"--generate", "projet/Vacances.lmv"} << ""
                                           << "/Vacances.js" << 8 << "Vacances.js";
}

void TestGenerateCommand::generate()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, breakApp);
    QFETCH(QString, breakFolder);
    QFETCH(int, exitCode);
    QFETCH(QString, errorPart);

    AppDirFixture home;
    home.makeFolder("pristine");
    home.write("data/lumivue/Nouveau.htm", crlf(numbered("page ", 11)));
    home.write("data/lumivue/Nouveau.js", crlf(numbered("script ", 16)));
    home.write("data/lumivue/sohifrm2.wav", "sound");
    for (const char *name : {"Vacances", "Nouveau"}) {
        home.write(QString("projet/%1.lmv").arg(name), project);
        home.write(QString("projet/%1.htm").arg(name), "previous page");
        home.write(QString("projet/%1.js").arg(name), "previous script");
    }
    home.write("projet/notes.txt", project);
    home.write("projet/Casse.lmv", "Nom=x\r\nRepertoire=y\r\nNbSprite=deux\r\nTag=\r\n");
    home.write("projet/Vide.lmv", "Nom=x\r\nRepertoire=y\r\nNbSprite=0\r\nTag=\r\n");

    const QString appFile = breakApp.mid(1);
    if (breakApp.startsWith('-')) {
        home.remove("data/lumivue/" + appFile);
    } else if (breakApp.startsWith('~')) {
        home.write("data/lumivue/" + appFile, crlf(numbered("page ", 9)));
    }
    if (breakFolder.startsWith('/')) {
        home.remove("projet" + breakFolder);
        home.makeFolder("projet" + breakFolder);
    }
    for (QString &argument : arguments)
        argument.replace('@', home.appDir());
    const Files before = home.snapshot();

    const Run run = lumivue(arguments, home.appDir(), home.appDir());
    QVERIFY2(run.err.contains(errorPart), qPrintable(run.err));
    QCOMPARE(run.exitCode, exitCode);

    Files expected = before;
    if (exitCode == 0) {
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QStringList page = numbered("page ", 11);
        page[9] = R"(<script language="JavaScript" type="text/JavaScript" src="Vacances.js">)";
        const QStringList script = {
            "script 1",
            "script 2",
            "script 3",
            "script 4",
            "script 5",
            "script 6",
            R"(var RepImage="Vacances";)",
            "var NBSprite=1;",
            R"(Info[0]="&nbsp;un";)",
            R"(Info[1]="&nbsp;deux";)",
            R"(TypeImage[0]=".jpg";)",
            R"(TypeImage[1]=".jpg";)",
            "script 11",
            "script 12",
            R"(document.getElementById("diapo").src="Vacances0.jpg";)",
            R"(document.getElementById("InfoDiaporama").innerHTML="1 / 2";)",
            R"(document.getElementById("InfoTexte").innerHTML=Info[0];)",
            R"(document.getElementById("Titre").innerHTML="Titre";)"};
        expected.insert("projet/Vacances.htm", crlf(page));
        expected.insert("projet/Vacances.js", crlf(script));
        expected.insert("projet/sohifrm2.wav", "sound");
        QCOMPARE(run.out.split('\n', Qt::SkipEmptyParts),
                 QStringList({"Écrit : " + home.path("projet/Vacances.htm"),
                              "Écrit : " + home.path("projet/Vacances.js"),
                              "Écrit : " + home.path("projet/sohifrm2.wav")}));
    } else {
        QVERIFY2(run.out.isEmpty(), qPrintable(run.out));
    }
    // Nothing else changed; the backup root was never created.
    QCOMPARE(home.snapshot(), expected);
    QVERIFY(!QFileInfo::exists(home.path("state")));
}

void TestGenerateCommand::help()
{
    QTemporaryDir home;
    const Run run = lumivue({"--help"}, home.path(), home.path());
    QCOMPARE(run.exitCode, 0);
    for (const char *part : {"--generate", "FICHIER.lmv", "Nouveau", "sans fenêtre", "0 créé",
                             "8 dossier non modifiable", "without a window"})
        QVERIFY2(run.out.simplified().contains(part), part);
}

QTEST_GUILESS_MAIN(TestGenerateCommand)
#include "tst_generatecommand.moc"
