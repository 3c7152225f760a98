#include "output/backgroundcommands.h"
#include "output/frmfondecran.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"
#include "widgets/picturebutton.h"
#include "widgets/picturepreview.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

class TestFrmFondEcran : public QObject
{
    Q_OBJECT
private slots:
    void chooseTexture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("textures"); // sorted; "-" for no folder at all
        QTest::addColumn<bool>("hasBackground");
        QTest::addColumn<QStringList>("steps"); // texture shown first:scrolled to:button:copied

        const QStringList three{"Ardoise.jpg", "Bois.jpg", "Cuir.jpg"};
        QTest::newRow("OK, Annuler, OK")
            << "Voyage" << three << true
            << QStringList{"Ardoise:Bois:OK:Bois", "Bois:Cuir:Annuler:", "Ardoise::OK:Ardoise",
                           "Ardoise::Annuler:"};
        QTest::newRow("no imgFond.jpg")
            << "Voyage" << three << false << QStringList{"Ardoise:Cuir:OK:Cuir"};
        QTest::newRow("empty Textures") << "Voyage" << QStringList() << true << QStringList{"::OK"};
        QTest::newRow("no Textures") << "Voyage" << QStringList{"-"} << true << QStringList{"::OK"};
        QTest::newRow("default project") << "Nouveau" << three << true << QStringList{"-"};
        QTest::newRow("nothing open") << "" << three << true << QStringList{"-"};
    }

    void chooseTexture()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, textures);
        QFETCH(bool, hasBackground);
        QFETCH(QStringList, steps);
        TempFolder app, folder;
        if (textures != QStringList{"-"})
            app.write("Textures/");
        const QString shipped = qEnvironmentVariable("LUMIVUE_APPDATA") + "/Textures/";
        for (const QString &texture : textures)
            QFile::copy(shipped + texture, app.path("Textures/" + texture));
        QByteArray expected = hasBackground ? readFile(shipped + "Sable.jpg") : "<missing>";
        if (hasBackground)
            folder.write("imgFond.jpg", expected);
        SlideshowProject project;
        project.name = name;
        project.folder = folder.path();
        project.loaded = !name.isEmpty();
        ScriptedPlatform platform;
        PictureButton button;
        BackgroundCommands commands({&button}, project, {platform, app.path(), {}}, nullptr);

        for (const QString &step : steps) {
            const QStringList parts = step.split(':');
            bool shown = false;
            QObject guard; // the chooser is answered if it comes up
            QTimer::singleShot(0, &guard, [&] {
                auto *chooser = qobject_cast<FrmFondEcran *>(QApplication::activeModalWidget());
                if (!(shown = chooser))
                    return;
                QCOMPARE(chooser->textureName->text(), parts[0]);
                QCOMPARE(chooser->currentBackground->pixmap().isNull(), expected == "<missing>");
                if (!parts[1].isEmpty())
                    chooser->textureScroll->setValue(textures.indexOf(parts[1] + ".jpg"));
                (parts[2] == "OK" ? chooser->okButton : chooser->cancelButton)->click();
            });
            emit button.released();
            QCOMPARE(shown, step != "-");
            if (!parts.value(3).isEmpty())
                expected = readFile(shipped + parts[3] + ".jpg");
            QCOMPARE(readFile(folder.path("imgFond.jpg")), expected);
            QCOMPARE(platform.messages.size(), parts.value(3).isEmpty() && shown ? 1 : 0);
            if (!platform.messages.isEmpty())
                QCOMPARE(platform.messages.takeFirst().text, "Opération annulée.");
        }
    }
};

QTEST_MAIN(TestFrmFondEcran)
#include "tst_frmfondecran.moc"
