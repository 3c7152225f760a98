#include "app/features.h"
#include "app/frmprincipal.h"
#include "editor/applyslideorder.h"
#include "editor/frmvisionneuse.h"
#include "editor/slidedisplay.h"
#include "editor/slidesorter.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"
#include "widgets/picturebutton.h"
#include "widgets/picturepreview.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QWheelEvent>

#include <functional>

// Reordering slides in the sorter, and from the main window.
class TestFrmVisionneuse : public QObject
{
    Q_OBJECT
private slots:
    void clicks_data();
    void clicks();
    void randomOrders_data();
    void randomOrders();
    void thumbnailsKeptWhileOpen();
    void fromMainWindow_data();
    void fromMainWindow();
};

namespace {

// A colour for each slide, far enough from the others to tell which slide a
// JPEG thumbnail shows.
QColor colourOf(int slide) { return QColor(40 + slide % 15 * 14, 40 + slide / 15 * 14, 128); }
int slideOf(QColor colour)
{
    return qRound((colour.red() - 40) / 14.0) + 15 * qRound((colour.green() - 40) / 14.0);
}

// Slide k: a small picture of colour k, named GIF or JPEG by turns.
void writeSlides(SlideshowProject &project, const QString &folder, int count)
{
    project.name = QStringLiteral("Essai");
    project.folder = folder;
    project.updateBasePath();
    project.slideCount = std::int16_t(count);
    project.loaded = true;
    for (int k = 0; k < count; ++k) {
        project.imageTypes[k] = k % 2 ? QStringLiteral(".gif") : QStringLiteral(".jpg");
        project.slideLines[k] = QStringLiteral("Diapo %1").arg(k);
        QImage image(16, 12, QImage::Format_RGB32);
        image.fill(colourOf(k));
        // Qt writes no GIF; its reader knows a picture by its content.
        QVERIFY(image.save(project.imagePath(k), k % 2 ? "PNG" : "JPEG"));
    }
}

// Runs work while the sorter is up, then returns what it chose.
std::optional<std::vector<int>> whileOpen(FrmVisionneuse &sorter, const SlideshowProject &project,
                                          const std::function<void()> &work)
{
    // A failed check leaves the work early: the sorter must not stay up.
    QTimer::singleShot(0, &sorter, [&] {
        work();
        if (sorter.isVisible())
            sorter.reject();
    });
    return sorter.chooseOrder(project);
}

// Clicks in the sorter by position, scrolling as a user would to bring the
// position into view, with the view chosen by `view` among those that show it.
struct Clicker
{
    FrmVisionneuse &sorter;
    std::function<int(int lowest, int highest)> view = [](int lowest, int) { return lowest; };

    void scrollTo(int position, int room)
    {
        const int highest = std::min(position, sorter.hscVisio->maximum());
        sorter.hscVisio->setValue(view(std::max(position - room, 0), highest));
    }
    void slide(int position)
    {
        scrollTo(position, FrmVisionneuse::Shown - 1);
        QWidget *thumbnail = sorter.imgVisio.at(position - sorter.hscVisio->value());
        QVERIFY(thumbnail->isVisible());
        QTest::mouseClick(thumbnail, Qt::LeftButton);
    }
    void marker(int position)
    {
        scrollTo(position, FrmVisionneuse::Shown);
        QWidget *marker = sorter.picInsertion.at(position - sorter.hscVisio->value());
        QVERIFY(marker->isVisible());
        QTest::mouseClick(marker, Qt::LeftButton);
    }
    // The slide under each shown thumbnail, by its colour; -1 when hidden.
    QList<int> shownSlides() const
    {
        QList<int> shown;
        for (PicturePreview *thumbnail : sorter.imgVisio)
            shown << (thumbnail->isVisible() ? slideOf(thumbnail->pixmap().toImage().pixelColor(8, 6))
                                             : -1);
        return shown;
    }
};

struct Sorter
{
    TempFolder dir;
    ScriptedPlatform platform;
    AppContext context{platform, dir.path(), dir.path()};
    SlideshowProject project;
    FrmVisionneuse sorter{context};

    explicit Sorter(int count) { writeSlides(project, dir.path(), count); }
};

} // namespace

// Plays steps in the open sorter: "t1" clicks thumbnail 1, "m3" marker 3,
// "s2" scrolls to 2, "ok", "cancel", "close" (the window frame).
void play(FrmVisionneuse &sorter, const QStringList &steps)
{
    for (const QString &step : steps) {
        const int n = step.mid(1).toInt();
        if (step.startsWith('t'))
            QTest::mouseClick(sorter.imgVisio.at(n), Qt::LeftButton);
        else if (step.startsWith('m'))
            QTest::mouseClick(sorter.picInsertion.at(n), Qt::LeftButton);
        else if (step.startsWith('s'))
            sorter.hscVisio->setValue(n);
        else if (step == "ok")
            sorter.cmdOK->click();
        else if (step == "cancel")
            sorter.cmdStop->click();
        else
            sorter.close();
    }
}

// "111 1000": which thumbnails, then which markers, are visible.
QString visibility(const FrmVisionneuse &sorter)
{
    QString text;
    for (QWidget *w : sorter.imgVisio)
        text += w->isVisibleTo(&sorter) ? '1' : '0';
    text += ' ';
    for (QWidget *w : sorter.picInsertion)
        text += w->isVisibleTo(&sorter) ? '1' : '0';
    return text;
}

void TestFrmVisionneuse::clicks_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("shown");    // visibility before the last step
    QTest::addColumn<QList<int>>("order"); // empty: nothing chosen

    QTest::newRow("OneSlide") << 1 << "s5 ok" << "100 0000" << QList<int>{0};
    QTest::newRow("TwoExchanged") << 2 << "t0 t0 ok" << "110 0000" << QList<int>{1, 0};
    QTest::newRow("LastToFront") << 5 << "s3 t1 s0 m0 ok" << "111 0000" << QList<int>{4, 0, 1, 2, 3};
    QTest::newRow("CutThenOk") << 4 << "t1 ok" << "111 1111" << QList<int>{0, 2, 3, 1};
    QTest::newRow("ThreeCutInsertedAfterLast") << 3 << "t0 m2 ok" << "111 0000" << QList<int>{1, 2, 0};
    QTest::newRow("ParkedSlideHidden") << 3 << "t0 s1 ok" << "100 1100" << QList<int>{1, 2, 0};
    QTest::newRow("ExchangeAcrossTheStrip") << 6 << "t0 s3 t1 ok" << "111 0000" << QList<int>{5, 1, 2, 3, 4, 0};
    QTest::newRow("Cancelled") << 4 << "t0 m3 cancel" << "111 0000" << QList<int>{};
    QTest::newRow("WindowClosed") << 4 << "t2 t0 close" << "111 0000" << QList<int>{};
}

void TestFrmVisionneuse::clicks()
{
    QFETCH(int, count);
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    QFETCH(QList<int>, order);

    Sorter s(count);
    QString before;
    for (int use = 0; use < 2; ++use) { // a second use starts afresh
        const auto chosen = whileOpen(s.sorter, s.project, [&] {
            QStringList list = steps.split(' ');
            const QString last = list.takeLast();
            play(s.sorter, list);
            before = visibility(s.sorter);
            play(s.sorter, {last});
        });
        QCOMPARE(before, shown);
        QCOMPARE(chosen.has_value(), !order.isEmpty());
        if (chosen)
            QCOMPARE(QList<int>(chosen->begin(), chosen->end()), order);
        QCOMPARE(s.sorter.hscVisio->maximum(), std::max(count - 2, 0));
    }
}

void TestFrmVisionneuse::randomOrders_data()
{
    QTest::addColumn<int>("count");
    for (int count : {1, 2, 3, 4, 17, 200})
        QTest::addRow("%d", count) << count;
}

void TestFrmVisionneuse::randomOrders()
{
    QFETCH(int, count);
    Sorter s(count);
    QRandomGenerator random(quint32(count) * 7919u);
    Clicker click{s.sorter, [&](int lowest, int highest) {
                      return int(random.bounded(lowest, highest + 1));
                  }};
    const auto pictures = s.dir.snapshot();

    // The slides as a plain list; the cut slide is out of it.
    QList<int> slides;
    for (int k = 0; k < count; ++k)
        slides << k;
    std::optional<int> cut;
    int cutAt = 0;

    const auto chosen = whileOpen(s.sorter, s.project, [&] {
        for (int step = 0; step < count + 40; ++step) {
            if (!cut) {
                cutAt = int(random.bounded(count));
                cut = slides.takeAt(cutAt);
                click.slide(cutAt);
            } else if (count == 1 || random.bounded(2)) {
                const int at = int(random.bounded(count));
                slides.insert(at, *cut);
                cut.reset();
                click.marker(at);
            } else {
                const int at = int(random.bounded(count - 1));
                slides.insert(cutAt, *cut);
                cut.reset();
                const int other = at >= cutAt ? at + 1 : at;
                std::swap(slides[other], slides[cutAt]);
                click.slide(at);
            }
            // The thumbnails show the slides the list has at their positions.
            QList<int> expected;
            for (int i = 0; i < FrmVisionneuse::Shown; ++i) {
                const int p = s.sorter.hscVisio->value() + i;
                expected << (p < slides.size() ? slides[p] : -1);
            }
            QCOMPARE(click.shownSlides(), expected);
        }
        s.sorter.cmdOK->click();
    });
    if (cut) // "OK" leaves the cut slide at the end
        slides << *cut;
    QVERIFY(chosen);
    QCOMPARE(QList<int>(chosen->begin(), chosen->end()), slides);

    QVERIFY(ApplySlideOrder(s.project, *chosen, s.platform));
    Files expected;
    for (int p = 0; p < count; ++p) {
        const QString type = slides[p] % 2 ? ".gif" : ".jpg";
        expected.insert(QStringLiteral("Essai%1%2").arg(p).arg(type),
                        pictures.value(QStringLiteral("Essai%1%2").arg(slides[p]).arg(type)));
        QCOMPARE(s.project.slideLines[p], QStringLiteral("Diapo %1").arg(slides[p]));
    }
    QCOMPARE(s.dir.snapshot(), expected);
}

void TestFrmVisionneuse::thumbnailsKeptWhileOpen()
{
    Sorter s(30);
    for (int use = 0; use < 2; ++use) {
        int decoded = 0;
        whileOpen(s.sorter, s.project, [&] {
            // To the end by the arrow key, back a little by the wheel over a
            // thumbnail, then by the arrow key again.
            for (int i = 0; i < 40; ++i)
                QTest::keyClick(&s.sorter, Qt::Key_Right);
            QCOMPARE(s.sorter.hscVisio->value(), 28);
            QWheelEvent up(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, 3 * 120), Qt::NoButton,
                           Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(s.sorter.imgVisio[1], &up);
            QCOMPARE(s.sorter.hscVisio->value(), 25);
            for (int i = 0; i < 10; ++i)
                QTest::keyClick(s.sorter.cmdOK, Qt::Key_Left);
            QCOMPARE(s.sorter.hscVisio->value(), 15);
            decoded = s.sorter.thumbnailsDecoded();
            s.sorter.cmdStop->click();
        });
        QCOMPARE(decoded, 30);
    }
}

// The main window's slide 1 is shown and a caption is being typed for it.
void TestFrmVisionneuse::fromMainWindow_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("steps"); // empty: the sorter must not open
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<QString>("shownCaption");

    QTest::newRow("Confirmed") << true << "t1 m0 ok" << QList<int>{1, 0, 2} << "Diapo 0";
    QTest::newRow("Cancelled") << true << "t1 m0 cancel" << QList<int>{0, 1, 2} << "Texte tapé";
    QTest::newRow("NothingOpen") << false << "" << QList<int>{0, 1, 2} << "Texte tapé";
}

void TestFrmVisionneuse::fromMainWindow()
{
    QFETCH(bool, loaded);
    QFETCH(QString, steps);
    QFETCH(QList<int>, order);
    QFETCH(QString, shownCaption);

    TempFolder dir;
    ScriptedPlatform platform;
    AppContext context{platform, dir.path(), dir.path()};
    FrmPrincipal main{context};
    Features features{main, context};
    writeSlides(main.project, dir.path(), 3);
    main.project.currentSlide = 1;
    features.slideDisplay().ShowCurrentSlide();
    main.project.loaded = loaded;
    main.richtxtTexteInfo->setPlainText(QStringLiteral("Texte tapé"));
    const Files pictures = dir.snapshot();

    bool opened = false;
    QTimer::singleShot(0, &main, [&] {
        auto *sorter = qobject_cast<FrmVisionneuse *>(QApplication::activeModalWidget());
        opened = sorter != nullptr;
        if (sorter) {
            play(*sorter, steps.split(' '));
            sorter->hide();
        }
    });
    QTest::mouseClick(main.imgVisionneuse, Qt::LeftButton);
    QTRY_COMPARE(opened || steps.isEmpty(), true);
    QCoreApplication::processEvents();
    QCOMPARE(opened, !steps.isEmpty());

    // The typed caption moved with its slide; pictures and captions agree.
    for (int p = 0; p < 3; ++p) {
        const int k = order[p];
        const QString was = QStringLiteral("Essai%1%2").arg(k).arg(main.project.imageTypes[p]);
        QCOMPARE(readFile(main.project.imagePath(p)), pictures.value(was));
        QCOMPARE(main.project.slideLines[p].contains("Texte tapé"), loaded && k == 1);
    }
    QCOMPARE(main.richtxtTexteInfo->toPlainText(), shownCaption);
}

QTEST_MAIN(TestFrmVisionneuse)
#include "tst_frmvisionneuse.moc"
