#include "appdirfixture.h"
#include "output/defaulttemplate.h"
#include "output/templatereplacement.h"
#include "support/scriptedplatform.h"

#include <QFile>
#include <QTest>

using TemplateReplacement::Result;
using Restore = DefaultTemplate::RestoreResult::Outcome;
using Files = QMap<QString, QByteArray>;

Q_DECLARE_METATYPE(Result::Page)
Q_DECLARE_METATYPE(Result::Frame)
Q_DECLARE_METATYPE(Restore)
Q_DECLARE_METATYPE(Platform::Answer)

namespace {

const QStringList defaultFiles = {"Nouveau.lmv", "Nouveau.htm",      "Nouveau.js",  "Nouveau0.gif",
                                  "imgFond.jpg", "imgFondTable.jpg", "sohifrm2.wav"};

QByteArray current(const QString &file) { return "current " + file.toUtf8(); }
QByteArray pristine(const QString &file) { return "pristine " + file.toUtf8(); }

// AppDir with its working default files, their pristine copies and a few templates.
void fillAppDir(const AppDirFixture &app)
{
    for (const QString &file : defaultFiles) {
        app.write(file, current(file));
        app.write("Restaurer/" + file, pristine(file));
    }
    app.write("Modeles/Bleu.htm", "template Bleu");
    app.write("Modeles/Image.htm", "template Image");
    app.write("Modeles/imgFondTable.jpg", "frame of Modeles");
    app.write("Cadres/bois.jpg", "frame bois");
}

} // namespace

class TestTemplateFiles : public QObject
{
    Q_OBJECT
private slots:
    void restore_data();
    void restore();
    void replaceTemplate_data();
    void replaceTemplate();
};

void TestTemplateFiles::restore_data()
{
    QTest::addColumn<Platform::Answer>("answer");
    QTest::addColumn<QStringList>("missingPristine"); // removed from Restaurer
    QTest::addColumn<QStringList>("blocked");         // a folder stands in AppDir in its place
    QTest::addColumn<Restore>("expected");

    QTest::newRow("Yes") << Platform::Answer::Yes << QStringList() << QStringList()
                         << Restore::Restored;
    QTest::newRow("No") << Platform::Answer::No << QStringList() << QStringList()
                        << Restore::Declined;
    QTest::newRow("NoWithFilesMissing")
        << Platform::Answer::No << QStringList{"Nouveau.htm"} << QStringList() << Restore::Declined;
    QTest::newRow("PristinePageMissing") << Platform::Answer::Yes << QStringList{"Nouveau.htm"}
                                         << QStringList() << Restore::PartlyRestored;
    QTest::newRow("FirstAndLastMissing")
        << Platform::Answer::Yes << QStringList{"Nouveau.lmv", "sohifrm2.wav"} << QStringList()
        << Restore::PartlyRestored;
    QTest::newRow("RestaurerEmpty")
        << Platform::Answer::Yes << defaultFiles << QStringList() << Restore::PartlyRestored;
    QTest::newRow("DestinationBlocked") << Platform::Answer::Yes << QStringList()
                                        << QStringList{"Nouveau.js"} << Restore::PartlyRestored;
}

void TestTemplateFiles::restore()
{
    QFETCH(Platform::Answer, answer);
    QFETCH(QStringList, missingPristine);
    QFETCH(QStringList, blocked);
    QFETCH(Restore, expected);

    AppDirFixture app;
    fillAppDir(app);
    for (const QString &file : missingPristine)
        app.remove("Restaurer/" + file);
    for (const QString &file : blocked) {
        app.remove(file);
        app.write(file + "/inside.txt", "kept");
    }
    Files expectedFiles = app.snapshot();

    ScriptedPlatform platform;
    platform.answers.enqueue(answer);
    const auto result = DefaultTemplate::RestoreDefaultTemplate(platform, app.appDir());
    QCOMPARE(result.outcome, expected);

    QVERIFY(!platform.messages.isEmpty());
    const auto &question = platform.messages.first();
    QCOMPARE(question.text,
             QStringLiteral("Vous allez restaurer le modèle par défaut.\r\n"
                            "Voulez-vous restaurer le modèle par défaut ?"));
    QCOMPARE(question.title, QStringLiteral("ALERTE"));
    QCOMPARE(question.buttons, Platform::Buttons::YesNo);
    QCOMPARE(question.icon, Platform::Icon::Stop);

    QStringList notRestored;
    if (answer == Platform::Answer::Yes) {
        for (const QString &file : defaultFiles) {
            if (missingPristine.contains(file) || blocked.contains(file))
                notRestored.append(file);
            else
                expectedFiles.insert(file, pristine(file));
        }
    }
    QCOMPARE(app.snapshot(), expectedFiles);

    QStringList reported;
    for (const auto &failure : result.failures)
        reported.append(failure.fileName);
    QCOMPARE(reported, notRestored);
    if (notRestored.isEmpty()) {
        QCOMPARE(platform.messages.size(), 1);
    } else {
        // One report, naming every file that kept its old content.
        QCOMPARE(platform.messages.size(), 2);
        const auto &report = platform.messages.at(1);
        QCOMPARE(report.buttons, Platform::Buttons::Ok);
        for (const QString &file : defaultFiles)
            QCOMPARE(report.text.contains(file), notRestored.contains(file));
    }
}

void TestTemplateFiles::replaceTemplate_data()
{
    QTest::addColumn<QString>("templateName");
    QTest::addColumn<QString>("picture");     // relative to AppDir, "" for none
    QTest::addColumn<QString>("removeFirst"); // vanishes before the replacement
    QTest::addColumn<Result::Page>("page");
    QTest::addColumn<Result::Frame>("frame");
    QTest::addColumn<QByteArray>("nouveauHtm");
    QTest::addColumn<QByteArray>("frameAfter"); // both frame pictures, "" when unchanged

    const QByteArray page = current("Nouveau.htm");
    QTest::newRow("PlainTemplate") << "Bleu.htm"
                                   << ""
                                   << "" << Result::Page::Replaced << Result::Frame::NotNeeded
                                   << QByteArray("template Bleu") << QByteArray();
    QTest::newRow("PlainTemplateIgnoresPicture")
        << "Bleu.htm"
        << "Cadres/bois.jpg"
        << "" << Result::Page::Replaced << Result::Frame::NotNeeded << QByteArray("template Bleu")
        << QByteArray();
    QTest::newRow("TemplateMissing")
        << "Absent.htm"
        << ""
        << "" << Result::Page::SourceMissing << Result::Frame::NotNeeded << page << QByteArray();
    QTest::newRow("FramedTemplateMissing") << "Image.htm"
                                           << "Cadres/bois.jpg"
                                           << "Modeles/Image.htm" << Result::Page::SourceMissing
                                           << Result::Frame::NotNeeded << page << QByteArray();
    QTest::newRow("FramedWithPicture") << "Image.htm"
                                       << "Cadres/bois.jpg"
                                       << "" << Result::Page::Replaced << Result::Frame::Replaced
                                       << QByteArray("template Image") << QByteArray("frame bois");
    QTest::newRow("FramedNoPicture") << "Image.htm"
                                     << ""
                                     << "" << Result::Page::Replaced << Result::Frame::NotChosen
                                     << QByteArray("template Image") << QByteArray();
    QTest::newRow("FramedPictureVanished")
        << "Image.htm"
        << "Cadres/bois.jpg"
        << "Cadres/bois.jpg" << Result::Page::Replaced << Result::Frame::SourceMissing
        << QByteArray("template Image") << QByteArray();
    QTest::newRow("PictureIsModelesFrame")
        << "Image.htm"
        << "Modeles/imgFondTable.jpg"
        << "" << Result::Page::Replaced << Result::Frame::Replaced << QByteArray("template Image")
        << QByteArray("frame of Modeles");
    QTest::newRow("PictureIsAppDirFrame")
        << "Image.htm"
        << "imgFondTable.jpg"
        << "" << Result::Page::Replaced << Result::Frame::Replaced << QByteArray("template Image")
        << current("imgFondTable.jpg");
}

void TestTemplateFiles::replaceTemplate()
{
    QFETCH(QString, templateName);
    QFETCH(QString, picture);
    QFETCH(QString, removeFirst);
    QFETCH(Result::Page, page);
    QFETCH(Result::Frame, frame);
    QFETCH(QByteArray, nouveauHtm);
    QFETCH(QByteArray, frameAfter);

    AppDirFixture app;
    fillAppDir(app);
    if (!removeFirst.isEmpty())
        app.remove(removeFirst);
    Files expectedFiles = app.snapshot();

    const QString picturePath = picture.isEmpty() ? QString() : app.path(picture);
    const Result result = TemplateReplacement::replaceTemplate(app.appDir(), templateName,
                                                               picturePath);
    QCOMPARE(result.page, page);
    QCOMPARE(result.frame, frame);

    expectedFiles.insert("Nouveau.htm", nouveauHtm);
    if (!frameAfter.isEmpty()) {
        expectedFiles.insert("imgFondTable.jpg", frameAfter);
        expectedFiles.insert("Modeles/imgFondTable.jpg", frameAfter);
    }
    QCOMPARE(app.snapshot(), expectedFiles);

    // A failure is explained, naming the template; a success says nothing.
    const QString text = TemplateReplacement::failureText(result, templateName, picturePath);
    QCOMPARE(text.isEmpty(), result.succeeded());
    if (!text.isEmpty())
        QVERIFY2(text.contains(templateName), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestTemplateFiles)
#include "tst_templatefiles.moc"
