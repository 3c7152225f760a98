#include "output/headlessgeneration.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QProcess>
#include <QTest>

#include <sys/stat.h>

namespace {

const QByteArray project = "Nom=x\r\nRepertoire=y\r\nNbSprite=2\r\nTag=Titre\r\nun\r\ndeux\r\n";

// An application folder and a project folder "projet" with a few projects.
void fill(const TempFolder &home)
{
    home.write({{"app/Nouveau.htm", crlf(numbered("page ", 11))},
                {"app/Nouveau.js", crlf(numbered("script ", 16))},
                {"app/sohifrm2.wav", "sound"},
                {"projet/Vacances.lmv", project},
                {"projet/Vacances0.jpg", "jpeg"},
                {"projet/Vacances1.jpg", "jpeg"},
                {"projet/Nouveau.lmv", project},
                {"projet/notes.txt", project},
                {"projet/Casse.lmv", "Nom=x\r\nRepertoire=y\r\nNbSprite=deux\r\nTag=\r\n"},
                {"projet/Vide.lmv", "Nom=x\r\nRepertoire=y\r\nNbSprite=0\r\nTag=\r\n"},
                {"projet/Longue.lmv", project + QByteArray(1024 * 1024 + 1, 'x')},
                {"projet/Enorme.lmv", project}});
    QFile::resize(home.path("projet/Enorme.lmv"), 64 * 1024 * 1024 + 1);
}

QStringList writtenBy(const TempFolder &home)
{
    return {"Écrit : " + home.path("projet/Vacances.htm"),
            "Écrit : " + home.path("projet/Vacances.js"),
            "Écrit : " + home.path("projet/sohifrm2.wav")};
}

} // namespace

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// The program with the folders of home, an empty pristine folder and no
// usable window system.
static Run lumivue(const QStringList &arguments, const QString &home)
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
    process.start(QStringLiteral(LUMIVUE_EXE), arguments);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// lumivue --generate: the exit code of each outcome, in process, then one run
// of the real program without a display.
class TestGenerateCommand : public QObject
{
    Q_OBJECT
private slots:
    void exitCodes_data()
    {
        // breakApp: a file of the application folder removed; folderAt: a folder
        // put where the project's script goes.
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("breakApp");
        QTest::addColumn<bool>("folderAtScript");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("messagePart");
        // clang-format off
        QTest::newRow("Generated") << "projet/Vacances.lmv" << "" << false << 0 << "";
        QTest::newRow("NoSuchFile") << "projet/Absent.lmv" << "" << false << 3 << "introuvable";
        QTest::newRow("NotLmv") << "projet/notes.txt" << "" << false << 4 << "notes.txt";
        QTest::newRow("CountNotANumber") << "projet/Casse.lmv" << "" << false << 4 << "Casse.lmv";
        QTest::newRow("LineOver1MB") << "projet/Longue.lmv" << "" << false << 4 << "une de ses lignes dépasse 1\u00A0Mo";
        QTest::newRow("FileOver64MB") << "projet/Enorme.lmv" << "" << false << 4 << "il dépasse 64\u00A0Mo";
        QTest::newRow("TemplateLineOver1MB") << "projet/Vacances.lmv" << "Nouveau.js+" << false << 6 << "trop volumineux";
        QTest::newRow("NoSlides") << "projet/Vide.lmv" << "" << false << 4 << "aucune diapositive";
        QTest::newRow("Nouveau") << "projet/Nouveau.lmv" << "" << false << 5 << "donner un nom";
        QTest::newRow("TemplateMissing") << "projet/Vacances.lmv" << "Nouveau.js" << false << 6 << "Nouveau.js";
        QTest::newRow("SoundMissing") << "projet/Vacances.lmv" << "sohifrm2.wav" << false << 7 << "sohifrm2.wav";
        QTest::newRow("FolderNotWritable") << "projet/Vacances.lmv" << "" << true << 8 << "Vacances.js";
        // clang-format on
    }

    void exitCodes()
    {
        QFETCH(QString, file);
        QFETCH(QString, breakApp);
        QFETCH(bool, folderAtScript);
        QFETCH(int, exitCode);
        QFETCH(QString, messagePart);
        TempFolder home;
        fill(home);
        if (breakApp.endsWith('+')) // a line too long for any template
            home.write("app/" + breakApp.chopped(1),
                       home.read("app/" + breakApp.chopped(1)) + QByteArray(1024 * 1024 + 1, ' '));
        else if (!breakApp.isEmpty())
            home.remove("app/" + breakApp);
        if (folderAtScript)
            home.write("projet/Vacances.js/");
        ScriptedPlatform platform;
        QString out;
        QTextStream stream(&out);
        QCOMPARE(int(HeadlessGeneration::run(home.path(file), home.path("app"), platform, stream)),
                 exitCode);
        QCOMPARE(platform.messages.size(), exitCode == 0 ? 0 : 1);
        if (exitCode != 0)
            QVERIFY2(platform.messages.first().text.contains(messagePart),
                     qPrintable(platform.messages.first().text));
        QCOMPARE(out.split('\n', Qt::SkipEmptyParts),
                 exitCode == 0 ? writtenBy(home) : QStringList());
        QVERIFY(platform.shellRequests.isEmpty());
    }

    void processWithoutDisplay_data()
    {
        // Pictures of the project removed, and one made a FIFO, which would
        // keep a reader waiting for ever.
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QString>("fifo");
        QTest::addColumn<QString>("warning");
        QTest::newRow("AllPictures") << QStringList{} << "" << "";
        QTest::newRow("FifoInPicturePlace")
            << QStringList{"Vacances0.jpg"} << "Vacances0.gif"
            << "ATTENTION : Le diaporama a été créé, mais l'image de la diapositive 0 est "
               "introuvable\u00A0: la page n'en montrera pas pour elle.\n";
        QTest::newRow("NoPictures") << QStringList{"Vacances0.jpg", "Vacances1.jpg"} << ""
                                    << "Diapositives\u00A0: 0, 1\n";
    }

    // Missing pictures are told on the error output; the page is written and
    // the run succeeds all the same.
    void processWithoutDisplay()
    {
        QFETCH(QStringList, removed);
        QFETCH(QString, fifo);
        QFETCH(QString, warning);
        TempFolder home;
        fill(home);
        for (const QString &picture : removed)
            home.remove("projet/" + picture);
        if (!fifo.isEmpty())
            QCOMPARE(::mkfifo(QFile::encodeName(home.path("projet/" + fifo)).constData(), 0600), 0);
        home.write("pristine/");
        for (const char *file : {"Nouveau.htm", "Nouveau.js", "sohifrm2.wav"})
            home.write(QString("data/lumivue/") + file, home.read(QString("app/") + file));
        const Run run = lumivue({"--generate", home.path("projet/Vacances.lmv")}, home.path());
        QVERIFY2(warning.isEmpty() ? run.err.isEmpty() : run.err.endsWith(warning),
                 qPrintable(run.err));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.split('\n', Qt::SkipEmptyParts), writtenBy(home));
        QVERIFY(!QFileInfo::exists(home.path("state"))); // the backup root is never made
    }
};

QTEST_GUILESS_MAIN(TestGenerateCommand)
#include "tst_generatecommand.moc"
