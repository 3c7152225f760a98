#include "editor/applyslideorder.h"
#include "project/fileops.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QTest>

// Putting the slides' pictures, captions and types in a new order on disk.
class TestApplySlideOrder : public QObject
{
    Q_OBJECT
private slots:
    void threeSlidesMixedTypes();
    void failureChangesNothing_data();
    void failureChangesNothing();
    void undoThatFailsNamesTheFiles();
};

namespace {

// A project "Vacances" whose slide k is a file holding "picture k", captioned
// "caption k"; slide k is a GIF when types[k] is 'g', a JPEG otherwise.
struct Show
{
    TempFolder dir;
    ScriptedPlatform platform;
    SlideshowProject project;

    explicit Show(const QString &types, const QString &name = QStringLiteral("Vacances"))
    {
        project.name = name;
        project.folder = dir.path();
        project.updateBasePath();
        project.slideCount = std::int16_t(types.size());
        project.loaded = true;
        for (int k = 0; k < types.size(); ++k) {
            project.imageTypes[k] = types[k] == 'g' ? ".gif" : ".jpg";
            project.slideLines[k] = QStringLiteral("caption %1").arg(k);
            writeFile(project.imagePath(k), "picture " + QByteArray::number(k));
        }
    }
};

std::vector<int> reversed(int count)
{
    std::vector<int> order;
    for (int k = count - 1; k >= 0; --k)
        order.push_back(k);
    return order;
}

} // namespace

void TestApplySlideOrder::threeSlidesMixedTypes()
{
    // B, C, A: what cutting A and inserting it after C gives.
    Show show(QStringLiteral("gjg"));
    QVERIFY(ApplySlideOrder(show.project, {1, 2, 0}, show.platform));
    const Files expected{{"Vacances0.jpg", "picture 1"},
                         {"Vacances1.gif", "picture 2"},
                         {"Vacances2.gif", "picture 0"}};
    QCOMPARE(show.dir.snapshot(), expected);
    const SlideshowProject &p = show.project;
    QCOMPARE(QStringList({p.slideLines[0], p.slideLines[1], p.slideLines[2]}),
             QStringList({"caption 1", "caption 2", "caption 0"}));
    QCOMPARE(QStringList({p.imageTypes[0], p.imageTypes[1], p.imageTypes[2]}),
             QStringList({".jpg", ".gif", ".gif"}));
    QVERIFY(!p.saved && !p.htmlGenerated);
    QVERIFY(show.platform.messages.isEmpty());
}

// provocation:
//   "missing k" / "folder k": slide k's picture deleted / replaced by a folder;
//   "stray name": a file already holds a name the renames need;
//   "vanish n": the source of rename n disappears just before it;
//   "refuse n": rename n is refused;
//   "long name": the project's name leaves no room for the longer
//                temporary names of positions 10 and up.
void TestApplySlideOrder::failureChangesNothing_data()
{
    QTest::addColumn<QString>("types");
    QTest::addColumn<QString>("provocation");
    QTest::addColumn<QString>("message"); // a part of the one message

    QTest::newRow("PictureMissing") << "jgj" << "missing 2" << "Vacances2.jpg est introuvable";
    QTest::newRow("FolderInPlaceOfPicture") << "jgj" << "folder 0" << "Vacances0.jpg est introuvable";
    QTest::newRow("TemporaryNameTaken") << "jgj" << "stray Vacances_temp_0.jpg" << "occupe un nom";
    QTest::newRow("NewNameTaken") << "gjj" << "stray Vacances0.jpg" << "occupe un nom";
    QTest::newRow("VanishesMidwayToTemporary") << "jgjgj" << "vanish 3" << "Vacances1.gif n'a pas pu";
    QTest::newRow("RefusedFirstToFinal") << "jgjgj" << "refuse 5" << "Vacances_temp_0.jpg n'a pas";
    QTest::newRow("RefusedLastToFinal") << "jgjgj" << "refuse 8" << "Vacances_temp_4.jpg n'a pas";
    QTest::newRow("NameTooLongMidway") << "jjjjjjjjjjjj" << "long name" << "Vacances_temp_10.jpg.";
}

void TestApplySlideOrder::failureChangesNothing()
{
    QFETCH(QString, types);
    QFETCH(QString, provocation);
    QFETCH(QString, message);

    const QString kind = provocation.section(' ', 0, 0);
    const QString arg = provocation.section(' ', 1);
    // 244 characters and "_temp_10.jpg" make 256, one more than a name may have.
    Show show(types, kind == "long" ? QString(244 - 8, 'x') + "Vacances" : QString("Vacances"));
    if (kind == "missing")
        show.dir.remove(QFileInfo(show.project.imagePath(arg.toInt())).fileName());
    if (kind == "folder") {
        show.dir.remove(QFileInfo(show.project.imagePath(arg.toInt())).fileName());
        show.dir.write(QFileInfo(show.project.imagePath(arg.toInt())).fileName() + "/");
    }
    if (kind == "stray")
        show.dir.write(arg, "someone else's");
    int renames = 0;
    const RenameStep rename = [&](const QString &from, const QString &to) {
        ++renames;
        if (kind == "vanish" && renames == arg.toInt())
            QFile::remove(from);
        if (kind == "refuse" && renames == arg.toInt())
            return false;
        return FileOps::renameNew(from, to);
    };
    const Files before = show.dir.snapshot();
    const SlideshowProject project = show.project;

    QVERIFY(!ApplySlideOrder(show.project, reversed(types.size()), show.platform, rename));

    Files after = show.dir.snapshot();
    if (kind == "vanish") // the one picture that truly went
        QCOMPARE(before.size() - after.size(), 1);
    else
        QCOMPARE(after, before);
    QCOMPARE(show.project.slideLines, project.slideLines);
    QCOMPARE(show.project.imageTypes, project.imageTypes);
    QVERIFY(show.project.saved);
    QCOMPARE(show.platform.messages.size(), 1);
    const QString text = show.platform.messages[0].text;
    QVERIFY2(text.contains(message), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("L'ordre des diapositives n'a pas été modifié.")),
             qPrintable(text));
}

void TestApplySlideOrder::undoThatFailsNamesTheFiles()
{
    // The last rename to a final name fails, and so does putting back the
    // picture renamed just before it: that one stays under its new name and
    // the message says so.
    Show show(QStringLiteral("jjj"));
    int renames = 0;
    const RenameStep rename = [&](const QString &from, const QString &to) {
        ++renames;
        return renames != 4 && renames != 5 && FileOps::renameNew(from, to);
    };
    QVERIFY(!ApplySlideOrder(show.project, {2, 1, 0}, show.platform, rename));
    const Files expected{{"Vacances0.jpg", "picture 2"},
                         {"Vacances1.jpg", "picture 1"},
                         {"Vacances_temp_2.jpg", "picture 0"}};
    QCOMPARE(show.dir.snapshot(), expected);
    QCOMPARE(show.platform.messages.size(), 1);
    QVERIFY(show.platform.messages[0].text.contains("doivent être renommés à la main"));
    QCOMPARE(show.project.slideLines[0], QStringLiteral("caption 0"));
}

QTEST_GUILESS_MAIN(TestApplySlideOrder)
#include "tst_applyslideorder.moc"
