#include "output/backgroundcommands.h"
#include "output/frmfondecran.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"
#include "widgets/picturebutton.h"
#include "widgets/picturepreview.h"

#include <QApplication>
#include <QBuffer>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

class TestFrmFondEcran : public QObject
{
    Q_OBJECT
private slots:
    void chooseTexture_data();
    void chooseTexture();
    void noProjectOrDefaultProject();
};

namespace {

QByteArray texture(QColor colour)
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

// Runs ChangeBackground and, when the chooser comes up, hands it to `act`;
// returns whether it came up.
bool run(BackgroundCommands &commands, const std::function<void(FrmFondEcran &)> &act)
{
    bool shown = false;
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        if (auto *chooser = qobject_cast<FrmFondEcran *>(QApplication::activeModalWidget())) {
            shown = true;
            act(*chooser);
        }
    });
    commands.ChangeBackground();
    return shown;
}

} // namespace

void TestFrmFondEcran::chooseTexture_data()
{
    QTest::addColumn<QStringList>("textures"); // sorted; "-" for no folder at all
    QTest::addColumn<bool>("hasBackground");
    // Each step: texture shown first : texture scrolled to : button.
    QTest::addColumn<QStringList>("steps");

    const QStringList three{"Ardoise.jpg", "Bois.jpg", "Cuir.jpg"};
    QTest::newRow("OK, Annuler, OK") << three << true
                                     << QStringList{"Ardoise:Bois:OK", "Bois:Cuir:Annuler",
                                                    "Ardoise::OK", "Ardoise::Annuler"};
    QTest::newRow("project without imgFond.jpg") << three << false
                                                 << QStringList{"Ardoise:Cuir:OK", "Cuir::OK"};
    QTest::newRow("empty Textures folder") << QStringList() << true << QStringList{"::OK"};
    QTest::newRow("no Textures folder") << QStringList{"-"} << true << QStringList{"::OK"};
}

void TestFrmFondEcran::chooseTexture()
{
    QFETCH(QStringList, textures);
    QFETCH(bool, hasBackground);
    QFETCH(QStringList, steps);
    TempFolder app, folder;
    const QColor colours[] = {Qt::darkGray, QColor(150, 100, 50), Qt::darkRed};
    if (textures != QStringList{"-"})
        app.write("Textures/");
    for (int i = 0; i < textures.size() && textures[i] != "-"; ++i)
        app.write("Textures/" + textures[i], texture(colours[i]));
    const QByteArray background = texture(Qt::white);
    if (hasBackground)
        folder.write("imgFond.jpg", background);

    SlideshowProject project;
    project.name = "Voyage";
    project.folder = folder.path();
    project.loaded = true;
    ScriptedPlatform platform;
    PictureButton button;
    BackgroundCommands commands({&button}, project, {platform, app.path(), {}}, nullptr);
    QByteArray expected = hasBackground ? background : QByteArray("<missing>");
    for (const QString &step : steps) {
        const QStringList parts = step.split(':');
        const bool ok = parts[2] == "OK";
        QVERIFY(run(commands, [&](FrmFondEcran &chooser) {
            QCOMPARE(chooser.textureName->text(), parts[0]);
            QCOMPARE(chooser.currentBackground->pixmap().isNull(), expected == "<missing>");
            if (!parts[1].isEmpty())
                chooser.textureScroll->setValue(textures.indexOf(parts[1] + ".jpg"));
            (ok ? chooser.okButton : chooser.cancelButton)->click();
        }));
        const QString confirmed = ok ? (parts[1].isEmpty() ? parts[0] : parts[1]) : QString();
        if (!confirmed.isEmpty())
            expected = readFile(app.path("Textures/" + confirmed + ".jpg"));
        QCOMPARE(readFile(folder.path("imgFond.jpg")), expected);
        QCOMPARE(platform.messages.isEmpty(), !confirmed.isEmpty());
        if (!platform.messages.isEmpty())
            QCOMPARE(platform.messages.takeFirst().text, "Opération annulée.");
    }
}

void TestFrmFondEcran::noProjectOrDefaultProject()
{
    TempFolder app;
    app.write("Textures/Bois.jpg", texture(Qt::darkGray));
    SlideshowProject project;
    project.name = "Nouveau";
    ScriptedPlatform platform;
    PictureButton button;
    BackgroundCommands commands({&button}, project, {platform, app.path(), {}}, nullptr);
    for (bool loaded : {false, true}) {
        project.loaded = loaded;
        QVERIFY(!run(commands, [](FrmFondEcran &chooser) { chooser.reject(); }));
    }
    QVERIFY(platform.messages.isEmpty());
}

QTEST_MAIN(TestFrmFondEcran)
#include "tst_frmfondecran.moc"
