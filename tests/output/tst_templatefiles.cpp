#include "output/defaulttemplate.h"
#include "output/templatereplacement.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QTest>

using TemplateReplacement::Result;
using Restore = DefaultTemplate::RestoreResult::Outcome;

Q_DECLARE_METATYPE(Result::Page)
Q_DECLARE_METATYPE(Result::Frame)
Q_DECLARE_METATYPE(Restore)
Q_DECLARE_METATYPE(Platform::Answer)

namespace {

const QStringList defaultFiles = {"Nouveau.lmv", "Nouveau.htm",      "Nouveau.js",  "Nouveau0.gif",
                                  "imgFond.jpg", "imgFondTable.jpg", "sohifrm2.wav"};

// AppDir with its working default files, their pristine copies and a few templates.
void fillAppDir(const TempFolder &app)
{
    for (const QString &file : defaultFiles) {
        app.write(file, "current " + file.toUtf8());
        app.write("Restaurer/" + file, "pristine " + file.toUtf8());
    }
    app.write({{"Modeles/Bleu.htm", "template Bleu"},
               {"Modeles/Image.htm", "template Image"},
               {"Modeles/imgFondTable.jpg", "frame of Modeles"},
               {"Cadres/bois.jpg", "frame bois"}});
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
    const auto yes = Platform::Answer::Yes;
    QTest::newRow("Yes") << yes << QStringList() << QStringList() << Restore::Restored;
    QTest::newRow("No") << Platform::Answer::No << QStringList{"Nouveau.htm"} << QStringList()
                        << Restore::Declined;
    QTest::newRow("FirstAndLastMissing") << yes << QStringList{"Nouveau.lmv", "sohifrm2.wav"}
                                         << QStringList() << Restore::PartlyRestored;
    QTest::newRow("DestinationBlocked")
        << yes << QStringList() << QStringList{"Nouveau.js"} << Restore::PartlyRestored;
}

void TestTemplateFiles::restore()
{
    QFETCH(Platform::Answer, answer);
    QFETCH(QStringList, missingPristine);
    QFETCH(QStringList, blocked);
    QFETCH(Restore, expected);
    TempFolder app;
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

    const auto result = DefaultTemplate::RestoreDefaultTemplate(platform, app.path());
    QCOMPARE(result.outcome, expected);
    QCOMPARE(platform.messages.first().text,
             "Vous allez restaurer le modèle par défaut.\r\n"
             "Voulez-vous restaurer le modèle par défaut ?");
    QStringList notRestored;
    for (const QString &file : defaultFiles) {
        if (answer == Platform::Answer::No)
            break;
        if (missingPristine.contains(file) || blocked.contains(file))
            notRestored.append(file);
        else
            expectedFiles.insert(file, "pristine " + file.toUtf8());
    }
    QCOMPARE(app.snapshot(), expectedFiles);
    // One report, naming every file that kept its old content.
    QCOMPARE(platform.messages.size(), notRestored.isEmpty() ? 1 : 2);
    for (const QString &file : defaultFiles)
        QCOMPARE(platform.messages.last().text.contains(file), notRestored.contains(file));
    QCOMPARE(result.failures.size(), notRestored.size());
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

    const QByteArray current = "current Nouveau.htm";
    const QByteArray image = "template Image";
    using P = Result::Page;
    using F = Result::Frame;
    QTest::newRow("PlainTemplateIgnoresPicture")
        << "Bleu.htm"
        << "Cadres/bois.jpg"
        << "" << P::Replaced << F::NotNeeded << QByteArray("template Bleu") << QByteArray();
    QTest::newRow("TemplateMissing")
        << "Absent.htm"
        << ""
        << "" << P::SourceMissing << F::NotNeeded << current << QByteArray();
    QTest::newRow("FramedWithPicture")
        << "Image.htm"
        << "Cadres/bois.jpg"
        << "" << P::Replaced << F::Replaced << image << QByteArray("frame bois");
    QTest::newRow("FramedNoPicture") << "Image.htm"
                                     << ""
                                     << "" << P::Replaced << F::NotChosen << image << QByteArray();
    QTest::newRow("FramedPictureVanished")
        << "Image.htm"
        << "Cadres/bois.jpg"
        << "Cadres/bois.jpg" << P::Replaced << F::SourceMissing << image << QByteArray();
    // The chosen picture is one of the two it is copied to.
    QTest::newRow("PictureIsModelesFrame")
        << "Image.htm"
        << "Modeles/imgFondTable.jpg"
        << "" << P::Replaced << F::Replaced << image << QByteArray("frame of Modeles");
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
    TempFolder app;
    fillAppDir(app);
    if (!removeFirst.isEmpty())
        app.remove(removeFirst);
    Files expectedFiles = app.snapshot();

    const QString picturePath = picture.isEmpty() ? QString() : app.path(picture);
    const Result result = TemplateReplacement::replaceTemplate(app.path(), templateName,
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
    QVERIFY2(text.isEmpty() || text.contains(templateName), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestTemplateFiles)
#include "tst_templatefiles.moc"
