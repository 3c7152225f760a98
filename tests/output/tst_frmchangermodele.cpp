#include "output/frmchangermodele.h"
#include "platform/appcontext.h"
#include "output/templatepreview.h"
#include "support/listed.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"
#include "widgets/browsefolderlist.h"
#include "widgets/patternfilelist.h"
#include "widgets/picturepreview.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>

Q_DECLARE_METATYPE(Platform::Answer)

namespace {

QByteArray jpeg(Qt::GlobalColor colour)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

// An application folder with a current page, a few templates (one in a
// subfolder of the template folder) and frame pictures.
void fillAppDir(const TempFolder &app)
{
    app.write("Nouveau.htm", "current page");
    app.write("imgFondTable.jpg", jpeg(Qt::red));
    app.write("Modeles/Bleu.htm", "template Bleu");
    app.write("Modeles/Image.htm", "template Image");
    app.write("Modeles/Vert.htm", "template Vert");
    app.write("Modeles/notes.txt", "not a template");
    app.write("Modeles/imgFondTable.jpg", jpeg(Qt::green));
    app.write("Modeles/Sub/Bleu.htm", "template Bleu of Sub");
    app.write("Modeles/Sub/Seul.htm", "only in Sub");
    app.write("Modeles/Cadres/bois.jpg", jpeg(Qt::blue));
    app.write("Modeles2/Bleu.htm", "template Bleu of Modeles2");
}

// Moves a folder list along a path of subfolders, ".." for the parent.
void browse(BrowseFolderList *folders, const QStringList &steps)
{
    for (const QString &step : steps) {
        if (step == "..")
            QTest::keyClick(folders->tree(), Qt::Key_Backspace);
        else
            QVERIFY2(folders->enter(step), qPrintable(step));
    }
}

void click(QListWidget *list, const QString &name)
{
    const auto found = list->findItems(name, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(name));
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
    QVERIFY(found.first()->isSelected());
}

} // namespace

class TestFrmChangerModele : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_platform = ScriptedPlatform();
        m_app = std::make_unique<TempFolder>();
        fillAppDir(*m_app);
    }

    void opening()
    {
        m_chooser = std::make_unique<FrmChangerModele>(
            AppContext{m_platform, m_app->path(), QString()});
        FrmChangerModele &chooser = *m_chooser;
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        const QPoint screenCentre = chooser.screen()->geometry().center();
        QVERIFY(qAbs(chooser.frameGeometry().center().x() - screenCentre.x()) <= 1);
        QVERIFY(qAbs(chooser.frameGeometry().center().y() - screenCentre.y()) <= 1);
        for (const QWidget *hidden :
             {(QWidget *)chooser.templateFolders, (QWidget *)chooser.templateFiles,
              (QWidget *)chooser.frameFolders, (QWidget *)chooser.framePictures,
              (QWidget *)chooser.frameCaption, (QWidget *)chooser.imgVisu})
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));

        QTest::mouseClick(chooser.cmdOpen, Qt::LeftButton);
        QVERIFY(chooser.templateFolders->isVisible());
        QCOMPARE(listed(chooser.templateFiles), (QStringList{"Bleu.htm", "Image.htm", "Vert.htm"}));
        QCOMPARE(chooser.templateFolders->subfolders(), (QStringList{"Cadres", "Sub"}));
        QCOMPARE(listed(chooser.framePictures), (QStringList{"imgFondTable.jpg"}));
        QVERIFY(m_platform.messages.isEmpty());
    }

    void folderRule_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("folder"); // relative to AppDir
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QStringList>("files");

        QTest::newRow("Subfolder")
            << QStringList{"Sub"} << "Modeles/Sub" << true << QStringList{"Bleu.htm", "Seul.htm"};
        QTest::newRow("OutOfModeles")
            << QStringList{".."} << "" << false << QStringList{"Nouveau.htm"};
        // Containment is a plain text test: a sibling whose name starts alike counts.
        QTest::newRow("SiblingSharingPrefix")
            << QStringList{"..", "Modeles2"} << "Modeles2" << true << QStringList{"Bleu.htm"};
    }

    void folderRule()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, folder);
        QFETCH(bool, shown);
        QFETCH(QStringList, files);

        open();
        browse(m_chooser->templateFolders, steps);
        QCOMPARE(m_chooser->templateFiles->folder(),
                 folder.isEmpty() ? m_app->path() : m_app->path(folder));
        QCOMPARE(listed(m_chooser->templateFiles), files);
        QCOMPARE(m_chooser->templateFiles->isVisible(), shown);

        // Pressing the open button again keeps the rule: no files from elsewhere.
        QTest::mouseClick(m_chooser->cmdOpen, Qt::LeftButton);
        QCOMPARE(m_chooser->templateFiles->isVisible(), shown);
    }

    void framePicker()
    {
        open();
        FrmChangerModele &chooser = *m_chooser;
        const QWidget *picker[] = {chooser.frameCaption, chooser.frameFolders,
                                   chooser.framePictures, chooser.imgVisu};

        click(chooser.templateFiles, "Image.htm");
        for (const QWidget *part : picker)
            QVERIFY2(part->isVisible(), qPrintable(part->objectName()));

        browse(chooser.frameFolders, {"Cadres"});
        click(chooser.framePictures, "bois.jpg");
        const QImage preview = chooser.imgVisu->pixmap().toImage();
        const QColor centre = preview.pixelColor(preview.rect().center());
        QVERIFY2(centre.blue() > 200 && centre.red() < 60, qPrintable(centre.name()));

        // Another folder: the preview no longer shows a picture that would not be used.
        browse(chooser.frameFolders, {".."});
        QVERIFY(chooser.imgVisu->pixmap().isNull());

        click(chooser.templateFiles, "Bleu.htm");
        for (const QWidget *part : picker)
            QVERIFY2(!part->isVisible(), qPrintable(part->objectName()));
    }

    // The preview under the template list shows the design of the template
    // folder itself, as the choice does, and goes once that folder is left.
    void preview_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("templateName");
        QTest::addColumn<QString>("shows"); // "picture", "text" or "" for hidden

        QTest::newRow("DesignWithPreview") << QStringList() << "Bleu.htm" << "picture";
        QTest::newRow("DesignWithoutPreview") << QStringList() << "Vert.htm" << "text";
        QTest::newRow("SameNameInSubfolder") << QStringList{"Sub"} << "Bleu.htm" << "picture";
        QTest::newRow("LeftTemplateFolder") << QStringList{"Sub", "..", ".."} << "" << "";
    }

    void preview()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, templateName);
        QFETCH(QString, shows);

        QImage blue(640, 400, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QVERIFY(blue.save(m_app->path("Modeles/Bleu.png")));
        open();
        FrmChangerModele &chooser = *m_chooser;
        click(chooser.templateFiles, "Bleu.htm");
        browse(chooser.templateFolders, steps);
        if (!templateName.isEmpty())
            click(chooser.templateFiles, templateName);

        QCOMPARE(chooser.imgApercu->isVisible(), !shows.isEmpty());
        const QImage shown = chooser.imgApercu->pixmap().toImage();
        if (shows == "picture") {
            QVERIFY(chooser.imgApercu->contentsRect().size().expandedTo(shown.size())
                    == chooser.imgApercu->contentsRect().size());
            QVERIFY2(qAbs(shown.width() * 10 - shown.height() * 16) <= 16, "proportions kept");
            QCOMPARE(shown.pixelColor(shown.rect().center()), QColor(Qt::blue));
        } else if (shows == "text") {
            QVERIFY(shown.isNull());
            QCOMPARE(chooser.imgApercu->text(), QStringLiteral("Pas d'aperçu pour ce modèle"));
        }
    }

    void choice_data()
    {
        QTest::addColumn<QStringList>("templateSteps");
        QTest::addColumn<QString>("templateName"); // clicked, "" for none
        QTest::addColumn<QStringList>("frameSteps");
        QTest::addColumn<QString>("picture");         // clicked, "" for none
        QTest::addColumn<QStringList>("leaveBefore"); // template folder steps after the choice
        QTest::addColumn<Platform::Answer>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>(
            "chosenPicture"); // relative to AppDir; "-" when nothing is chosen

        const auto yes = Platform::Answer::Yes;
        const QStringList none;
        // clang-format off
        QTest::newRow("NothingClicked") << none << "" << none << "" << none << yes << false << "-";
        QTest::newRow("PlainTemplate") << none << "Bleu.htm" << none << "" << none << yes << true << "";
        QTest::newRow("AnswerNo") << none << "Bleu.htm" << none << "" << none << Platform::Answer::No << true << "-";
        QTest::newRow("LeftModelesJustCloses") << none << "Bleu.htm" << none << "" << QStringList{".."} << yes << false << "-";
        QTest::newRow("FramedWithPicture") << none << "Image.htm" << QStringList{"Cadres"} << "bois.jpg" << none << yes << true << "Modeles/Cadres/bois.jpg";
        // clang-format on
    }

    // The chooser only collects: whatever the answer, no file changes.
    void choice()
    {
        QFETCH(QStringList, templateSteps);
        QFETCH(QString, templateName);
        QFETCH(QStringList, frameSteps);
        QFETCH(QString, picture);
        QFETCH(QStringList, leaveBefore);
        QFETCH(Platform::Answer, answer);
        QFETCH(bool, asked);
        QFETCH(QString, chosenPicture);

        const Files before = m_app->snapshot();
        m_platform.answers.enqueue(answer);
        open();
        FrmChangerModele &chooser = *m_chooser;
        browse(chooser.templateFolders, templateSteps);
        if (!templateName.isEmpty())
            click(chooser.templateFiles, templateName);
        browse(chooser.frameFolders, frameSteps);
        if (!picture.isEmpty())
            click(chooser.framePictures, picture);
        browse(chooser.templateFolders, leaveBefore);

        QTest::mouseClick(chooser.applyButton, Qt::LeftButton);
        QVERIFY(!chooser.isVisible());
        QCOMPARE(m_app->snapshot(), before);
        QCOMPARE(m_platform.messages.size(), int(asked));
        if (asked)
            QCOMPARE(m_platform.messages.first().text,
                     QStringLiteral("Voules-vous remplacer le modèle par défaut\r\n"
                                    "pour les présentations \r\n"
                                    "par le fichier-modèle ")
                         + templateName);
        QCOMPARE(chooser.choice().has_value(), chosenPicture != "-");
        if (chooser.choice()) {
            QCOMPARE(chooser.choice()->templateName, templateName);
            QCOMPARE(chooser.choice()->framePicture,
                     chosenPicture.isEmpty() ? QString() : m_app->path(chosenPicture));
        }
    }

    void doubleClickChooses()
    {
        m_platform.answers.enqueue(Platform::Answer::Yes);
        open();
        QListWidget *files = m_chooser->templateFiles;
        const QPoint at =
            files->visualItemRect(files->findItems("Vert.htm", Qt::MatchExactly).value(0)).center();
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(!m_chooser->isVisible());
        QCOMPARE(m_chooser->choice()->templateName, QStringLiteral("Vert.htm"));
    }

private:
    void open()
    {
        m_chooser = std::make_unique<FrmChangerModele>(
            AppContext{m_platform, m_app->path(), QString()});
        m_chooser->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_chooser.get()));
        QTest::mouseClick(m_chooser->cmdOpen, Qt::LeftButton);
    }

    ScriptedPlatform m_platform;
    std::unique_ptr<TempFolder> m_app;
    std::unique_ptr<FrmChangerModele> m_chooser;
};

QTEST_MAIN(TestFrmChangerModele)
#include "tst_frmchangermodele.moc"
