#include "app/frmprincipal.h"
#include "widgets/picturebutton.h"
#include "appdirfixture.h"
#include "support/scriptedplatform.h"

#include <QTest>

// The main window's slideshow buttons reach the generation and the page view.
class TestOutputCommands : public QObject
{
    Q_OBJECT
private slots:
    void buttons_data();
    void buttons();
};

namespace {

QByteArray lines(const QString &prefix, int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += prefix.toLatin1() + QByteArray::number(i) + "\r\n";
    return bytes;
}

} // namespace

void TestOutputCommands::buttons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("pageWritten");
    QTest::addColumn<QString>("messageTitle");  // "" for none

    QTest::newRow("VisualGeneratesAndOpens") << "imgVisual" << true << true << "";
    QTest::newRow("VisualRefusesUnsaved") << "imgVisual" << false << false << "IMPOSSIBILITE";
    QTest::newRow("VisuHtmlWarnsAndOpensOldPage") << "imgVisuHTML" << true << false << "ATTENTION";
}

void TestOutputCommands::buttons()
{
    QFETCH(QString, button);
    QFETCH(bool, saved);
    QFETCH(bool, pageWritten);
    QFETCH(QString, messageTitle);

    AppDirFixture app, folder, backup;
    app.write("Nouveau.htm", lines("page ", 10));
    app.write("Nouveau.js", lines("script ", 16));
    app.write("sohifrm2.wav", "sound");
    folder.write("Vacances.htm", "old page");

    ScriptedPlatform platform;
    FrmPrincipal window(platform, app.appDir(), backup.appDir());
    SlideshowProject &project = window.project;
    project.name = "Vacances";
    project.folder = folder.appDir();
    project.updateBasePath();
    project.slideCount = 1;
    project.imageTypes[0] = ".jpg";
    project.loaded = true;
    project.saved = saved;
    project.htmlGenerated = false;

    PictureButton *pressed = button == "imgVisual" ? window.imgVisual : window.imgVisuHTML;
    QTest::mouseClick(pressed, Qt::LeftButton);

    QCOMPARE(platform.messages.size(), messageTitle.isEmpty() ? 0 : 1);
    if (!messageTitle.isEmpty())
        QCOMPARE(platform.messages.first().title, messageTitle);
    const bool opened = messageTitle != "IMPOSSIBILITE";
    QCOMPARE(platform.shellRequests,
             opened ? QStringList{folder.path("Vacances.htm")} : QStringList());
    QCOMPARE(folder.read("Vacances.htm") != "old page", pageWritten);
    QCOMPARE(project.htmlGenerated, pageWritten);
    QVERIFY(backup.snapshot().isEmpty());
}

QTEST_MAIN(TestOutputCommands)
#include "tst_outputcommands.moc"
