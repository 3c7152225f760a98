#include "app/features.h"
#include "app/frmprincipal.h"
#include "editor/frmcouleur.h"
#include "output/captioncolours.h"
#include "project/projectstorage.h"
#include "project/storagefixture.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"
#include "widgets/picturebutton.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <memory>

class TestFrmPrincipal : public QObject
{
    Q_OBJECT

private slots:
    void startUp()
    {
        FrmPrincipal w(m_context);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QTRY_COMPARE(w.geometry(), screen);
        QVERIFY(w.isFullScreen());
        QCOMPARE(w.lblBarre->width(), screen.width());
        QCOMPARE(w.statusBand->width(), screen.width());
        QCOMPARE(w.edgeBar->height(), screen.height());

        // Every screen font once, by its bare name ("C059", not "C059 [urw]"), sorted.
        QStringList listed;
        for (int i = 0; i < w.comboPolice->count(); ++i)
            listed << w.comboPolice->itemText(i);
        QCOMPARE(QSet<QString>(listed.begin(), listed.end()).size(), listed.size());
        QVERIFY2(!listed.join('|').contains('['), qPrintable(listed.join('|')));
        const auto before = [](auto &a, auto &b) { return a.compare(b, Qt::CaseInsensitive) < 0; };
        QVERIFY(std::is_sorted(listed.begin(), listed.end(), before));
        for (const QString &family : QFontDatabase::families())
            QVERIFY2(listed.contains(family.section(" [", 0, 0)), qPrintable(family));
    }

    void backgroundTileCoversTheWindow()
    {
        // A tile of four flat quarters, so that each pixel of the window's
        // background tells which part of which tile was drawn there.
        TempFolder appDir;
        const QColor quarters[2][2] = {{QColor(200, 30, 30), QColor(30, 200, 30)},
                                       {QColor(30, 30, 200), QColor(220, 220, 40)}};
        QImage tile(40, 30, QImage::Format_RGB32);
        for (int y = 0; y < tile.height(); ++y)
            for (int x = 0; x < tile.width(); ++x)
                tile.setPixelColor(x, y, quarters[y / 15][x / 20]);
        QVERIFY(tile.save(appDir.path("imgFond.jpg"), "JPG", 100));

        FrmPrincipal w(AppContext{m_platform, appDir.path(), m_backupRoot.path()});
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QImage shot = w.grab().toImage();
        const qreal ratio = shot.devicePixelRatio();

        // Sample the margin between the left edge bar and the slide panel, from
        // below the toolbar to above the status band, at the quarters' centres.
        const QWidget *slidePanel = w.findChild<QWidget *>(QStringLiteral("slidePanel"));
        QVERIFY(slidePanel);
        int checked = 0;
        for (int y = w.lblBarre->height() + 1; y < w.statusBand->y(); ++y) {
            for (int x = w.edgeBar->width() + 1; x < slidePanel->x(); ++x) {
                const int u = x % 40, v = y % 30;
                if ((u % 20) != 10 || (v % 15) != 7)
                    continue;
                const QColor got = shot.pixelColor(QPoint(x, y) * ratio);
                const QColor want = quarters[v / 15][u / 20];
                QVERIFY2(std::abs(got.red() - want.red()) < 30
                             && std::abs(got.green() - want.green()) < 30
                             && std::abs(got.blue() - want.blue()) < 30,
                         qPrintable(QStringLiteral("at %1,%2").arg(x).arg(y)));
                ++checked;
            }
        }
        QVERIFY2(checked >= 10, qPrintable(QString::number(checked)));
    }

    void missingBackgroundStillGivesATile()
    {
        FrmPrincipal w(m_context); // the application folder holds no picture
        QVERIFY(w.imgFond.width() > 0 && w.imgFond.height() > 0);
    }

    // The editor shows the page design's caption colours (white undeclared, the
    // given text colour), then the default design's once it is restored.
    void captionEditorShowsThePageDesign()
    {
        const QString pristine = qEnvironmentVariable("LUMIVUE_APPDATA") + "/Restaurer/Nouveau.htm";
        TempFolder app;
        app.write({{"Restaurer/Nouveau.htm", readFile(pristine)},
                   {"Nouveau.htm", "<head><meta name='lumivue-caption-color' content='#123456'>"}});
        ScriptedPlatform platform;
        const AppContext context{platform, app.path(), m_backupRoot.path()};
        FrmPrincipal w(context);
        Features features(w, context);
        w.project.name = "Vacances";
        w.project.slideCount = 1;
        for (const QString &page : {app.path("Nouveau.htm"), pristine}) {
            const CaptionColours::Colours colours = CaptionColours::fromPageFile(page);
            w.richtxtTexteInfo->clear();
            QTest::keyClicks(w.richtxtTexteInfo, "abc");
            w.richtxtTexteInfo->selectAll();
            w.cmdRich[2]->click(); // bold: stores the caption with its colour
            const QImage shot = w.richtxtTexteInfo->viewport()->grab().toImage();
            QCOMPARE(shot.pixelColor(shot.width() - 4, shot.height() - 4), colours.background);
            QVERIFY(w.project.slideLines[0].contains("'" + colours.text.name().toUpper() + "'"));
            platform.answer("Y");
            QTest::mouseClick(w.imgModele, Qt::LeftButton); // restores the default design
        }
    }

    void closingRevertsOnlyAnOpenProject_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("throughQuit");
        QTest::addColumn<bool>("reverted");
        QTest::newRow("open project, window closed") << true << false << true;
        QTest::newRow("no project, window closed") << false << false << false;
        QTest::newRow("open project, quit command") << true << true << false;
    }

    void closingRevertsOnlyAnOpenProject()
    {
        QFETCH(bool, loaded);
        QFETCH(bool, throughQuit);
        QFETCH(bool, reverted);

        // A saved project of two slides with its backup set, then unsaved work:
        // the project file rewritten and a third slide's image added.
        TempFolder projectDir, backupRoot;
        ScriptedPlatform platform;
        FrmPrincipal w(AppContext{platform, m_appDir.path(), backupRoot.path()});
        SlideshowProject &p = w.project;
        makeProject(p, projectDir.path(), "Vacances", {".gif", ".jpg"});
        QCOMPARE(ProjectStorage(p, backupRoot.path()).TakeBackup(),
                 ProjectStorage::BackupResult::Complete);
        const Files savedProject = projectDir.snapshot();
        const Files savedBackup = backupRoot.snapshot();

        projectDir.write("Vacances.lmv", "unsaved project\r\n");
        projectDir.write("Vacances2.jpg", "JFIF slide 2");
        p.imageTypes[2] = ".jpg";
        p.slideCount = 3;
        p.saved = false;
        p.loaded = loaded;
        const Files unsavedProject = projectDir.snapshot();

        w.show();
        if (throughQuit)
            w.closeWithoutRevert();
        else
            QVERIFY(w.close());
        QVERIFY(!w.isVisible());

        QCOMPARE(projectDir.snapshot(), reverted ? savedProject : unsavedProject);
        if (!reverted)
            QCOMPARE(backupRoot.snapshot(), savedBackup);
        QCOMPARE(platform.messages.size(), 0); // no question is ever asked
    }

    void featuresReachTheirControls_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("expected"); // what shows that its feature answered
        // clang-format off
        QTest::newRow("imgVisual generates and opens the page") << "imgVisual" << "shell Vacances.htm";
        QTest::newRow("imgVisuHTML opens the page") << "imgVisuHTML" << "shell Vacances.htm";
        QTest::newRow("imgModele asks before restoring") << "imgModele" << "message ALERTE";
        QTest::newRow("cmdChangerModele opens the chooser") << "cmdChangerModele" << "dialog frmChangerModele";
        QTest::newRow("cmdRich 6 opens the colour picker") << "cmdRich" << "dialog frmCouleur";
        QTest::newRow("txtTexteInfo stores the caption") << "txtTexteInfo" << "line <b>x</b>";
        QTest::newRow("imgSave saves the project") << "imgSave" << "message SAUVEGARDE";
        // clang-format on
    }

    // The wiring hands each feature its controls. The window and its features
    // are then destroyed in the order the application uses.
    void featuresReachTheirControls()
    {
        QFETCH(QString, control);
        QFETCH(QString, expected);
        TempFolder app, folder;
        app.write("Nouveau.htm", crlf(numbered("page ", 10)));
        app.write("Nouveau.js", crlf(numbered("script ", 16)));
        app.write("sohifrm2.wav", "sound");
        ScriptedPlatform platform;
        const AppContext context{platform, app.path(), m_backupRoot.path()};
        auto window = std::make_unique<FrmPrincipal>(context);
        auto features = std::make_unique<Features>(*window, context);
        FrmPrincipal &w = *window;
        SlideshowProject &project = w.project;
        project.name = "Vacances";
        project.folder = folder.path();
        project.updateBasePath();
        project.slideCount = 1;
        project.loaded = true;
        project.imageTypes[0] = ".jpg";
        folder.write("Vacances0.jpg", "picture");
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        QStringList seen;
        QTimer::singleShot(0, this, [&] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                seen << "dialog " + modal->objectName();
                modal->close();
            }
        });
        if (control.startsWith("img"))
            QTest::mouseClick(w.findChild<PictureButton *>(control), Qt::LeftButton);
        else if (control == "cmdChangerModele")
            w.cmdChangerModele->click();
        else if (control == "cmdRich")
            w.cmdRich[6]->click();
        else
            w.txtTexteInfo->setText("<b>x</b>");

        for (const QString &path : platform.shellRequests)
            seen << "shell " + QFileInfo(path).fileName();
        for (const auto &message : platform.messages)
            seen << "message " + message.title;
        if (control == "txtTexteInfo") // other commands may store the empty editor's caption
            seen << "line " + project.slideLines[0];
        QCOMPARE(seen, QStringList{expected});
        if (control == "cmdRich") {
            // The same picker the next time, only hidden in between.
            FrmCouleur *picker = &features->colourPicker();
            QTimer::singleShot(0, this, [&] {
                QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget *>(picker));
                picker->close();
            });
            w.cmdRich[6]->click();
        }
        features.reset();
        window.reset();
    }

private:
    ScriptedPlatform m_platform;
    TempFolder m_appDir;
    TempFolder m_backupRoot;
    AppContext m_context{m_platform, m_appDir.path(), m_backupRoot.path()};
};

QTEST_MAIN(TestFrmPrincipal)
#include "tst_frmprincipal.moc"
