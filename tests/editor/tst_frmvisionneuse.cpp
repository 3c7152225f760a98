#include "app/features.h"
#include "app/frmprincipal.h"
#include "editor/applyslideorder.h"
#include "editor/frmvisionneuse.h"
#include "editor/slidedisplay.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"
#include "widgets/picturebutton.h"
#include "widgets/picturepreview.h"

#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QWheelEvent>

// Reordering slides in the sorter, on disk, and from the main window.
class TestFrmVisionneuse : public QObject
{
    Q_OBJECT
private slots:
    void clicks_data();
    void clicks();
    void randomOrders_data();
    void randomOrders();
    void fromMainWindow_data();
    void fromMainWindow();
};

namespace {

// A colour per slide, far enough from the others to survive JPEG.
QColor colourOf(int k) { return QColor(40 + k % 15 * 14, 40 + k / 15 * 14, 128); }
int slideOf(QColor c)
{
    return qRound((c.red() - 40) / 14.0) + 15 * qRound((c.green() - 40) / 14.0);
}

// Slide k: a small picture of colour k, named JPEG or GIF by turns (Qt
// writes no GIF; its reader knows a picture by its content).
void writeSlides(SlideshowProject &project, const QString &folder, int count)
{
    project.name = QStringLiteral("Essai");
    project.folder = folder;
    project.updateBasePath();
    project.slideCount = std::int16_t(count);
    project.loaded = true;
    for (int k = 0; k < count; ++k) {
        project.imageTypes[k] = k % 2 ? ".gif" : ".jpg";
        project.slideLines[k] = QStringLiteral("Diapo %1").arg(k);
        QImage image(16, 12, QImage::Format_RGB32);
        image.fill(colourOf(k));
        QVERIFY(image.save(project.imagePath(k), k % 2 ? "PNG" : "JPEG"));
    }
}

struct Sorter
{
    TempFolder dir;
    ScriptedPlatform platform;
    AppContext context{platform, dir.path(), dir.path()};
    SlideshowProject project;
    FrmVisionneuse sorter{context};
    explicit Sorter(int count) { writeSlides(project, dir.path(), count); }

    // Runs work while the sorter is up; a failed check leaves the work
    // early, so the sorter is closed after it in any case.
    std::optional<std::vector<int>> whileOpen(const std::function<void()> &work)
    {
        QTimer::singleShot(0, &sorter, [&] {
            work();
            if (sorter.isVisible())
                sorter.reject();
        });
        return sorter.chooseOrder(project);
    }
    // After ApplySlideOrder, position p holds what slide order[p] held.
    void checkApplied(const QList<int> &order)
    {
        const Files before = dir.snapshot();
        QVERIFY(ApplySlideOrder(project, {order.begin(), order.end()}, platform));
        Files expected;
        for (int p = 0; p < order.size(); ++p) {
            const QString type = order[p] % 2 ? ".gif" : ".jpg";
            expected.insert(QStringLiteral("Essai%1%2").arg(p).arg(type),
                            before.value(QStringLiteral("Essai%1%2").arg(order[p]).arg(type)));
            QCOMPARE(project.slideLines[p], QStringLiteral("Diapo %1").arg(order[p]));
        }
        QCOMPARE(dir.snapshot(), expected);
    }
};

// "t1" clicks thumbnail 1, "m3" marker 3, "s2" scrolls to 2, "r" / "l" and
// "w" scroll by the arrow keys and the wheel, "ok", "cancel", "close" (the
// window frame).
void play(FrmVisionneuse &sorter, const QStringList &steps)
{
    for (const QString &step : steps) {
        const int n = step.mid(1).toInt();
        if (step[0] == 't' || step[0] == 'm')
            QTest::mouseClick(step[0] == 't' ? (QWidget *)sorter.imgVisio.at(n)
                                             : sorter.picInsertion.at(n),
                              Qt::LeftButton);
        else if (step == "r" || step == "l") // an arrow key, on the window or a button
            QTest::keyClick(step == "r" ? (QWidget *)&sorter : sorter.cmdOK,
                            step == "r" ? Qt::Key_Right : Qt::Key_Left);
        else if (step == "w") { // one notch up, over a thumbnail
            QWheelEvent up({5, 5}, {5, 5}, {}, {0, 120}, {}, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(sorter.imgVisio[1], &up);
        } else if (step[0] == 's')
            sorter.hscVisio->setValue(n);
        else if (step == "close")
            sorter.close();
        else
            (step == "ok" ? sorter.cmdOK : sorter.cmdStop)->click();
    }
}

} // namespace

void TestFrmVisionneuse::clicks_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QList<int>>("order"); // empty: nothing chosen
    QTest::addColumn<QString>("shown");    // thumbnails, markers visible before the last step

    QTest::newRow("OneSlide") << 1 << "s5 ok" << QList<int>{0} << "100 0000";
    QTest::newRow("TwoExchanged") << 2 << "t0 t0 ok" << QList<int>{1, 0} << "110 0000";
    QTest::newRow("LastToFront") << 5 << "s3 t1 s0 m0 ok" << QList<int>{4, 0, 1, 2, 3}
                                 << "111 0000";
    QTest::newRow("CutThenOk") << 4 << "t1 ok" << QList<int>{0, 2, 3, 1} << "111 1111";
    QTest::newRow("ThreeCutInsertedLast") << 3 << "t0 m2 ok" << QList<int>{1, 2, 0} << "111 0000";
    QTest::newRow("ParkedSlideHidden") << 3 << "t0 s1 ok" << QList<int>{1, 2, 0} << "100 1100";
    QTest::newRow("ExchangeAcross")
        << 6 << "t0 s3 t1 ok" << QList<int>{5, 1, 2, 3, 4, 0} << "111 0000";
    QTest::newRow("KeysAndWheel") << 6 << "r r r r r w l t0 ok" << QList<int>{0, 1, 3, 4, 5, 2}
                                  << "111 1111";
    QTest::newRow("Cancelled") << 4 << "t0 m3 cancel" << QList<int>{} << "111 0000";
    QTest::newRow("WindowClosed") << 4 << "t2 t0 close" << QList<int>{} << "111 0000";
}

void TestFrmVisionneuse::clicks()
{
    QFETCH(int, count);
    QFETCH(QString, steps);
    QFETCH(QList<int>, order);
    QFETCH(QString, shown);

    Sorter s(count);
    for (int use = 0; use < 2; ++use) { // each use starts afresh
        QString before;
        const auto chosen = s.whileOpen([&] {
            QStringList list = steps.split(' ');
            const QString last = list.takeLast();
            play(s.sorter, list);
            for (QWidget *w : s.sorter.imgVisio)
                before += w->isVisibleTo(&s.sorter) ? '1' : '0';
            before += ' ';
            for (QWidget *w : s.sorter.picInsertion)
                before += w->isVisibleTo(&s.sorter) ? '1' : '0';
            play(s.sorter, {last});
        });
        QCOMPARE(before, shown);
        QCOMPARE(chosen ? QList<int>(chosen->begin(), chosen->end()) : QList<int>(), order);
        QCOMPARE(s.sorter.hscVisio->maximum(), std::max(count - 2, 0));
    }
    if (!order.isEmpty())
        s.checkApplied(order);
}

void TestFrmVisionneuse::randomOrders_data()
{
    QTest::addColumn<int>("count");
    for (int count : {1, 2, 3, 4, 17, 200})
        QTest::addRow("%d", count) << count;
}

// Cuts, insertions and exchanges at random, each by scrolling to one of the
// views that show the place and clicking there; the slides are followed in
// a plain list from which the cut slide is taken out.
void TestFrmVisionneuse::randomOrders()
{
    QFETCH(int, count);
    Sorter s(count);
    QRandomGenerator random(quint32(count) * 7919u);
    const auto clickAt = [&](int position, bool marker) {
        const int reach = marker ? FrmVisionneuse::Shown : FrmVisionneuse::Shown - 1;
        const int highest = std::min(position, s.sorter.hscVisio->maximum());
        s.sorter.hscVisio->setValue(random.bounded(std::max(position - reach, 0), highest + 1));
        const int i = position - s.sorter.hscVisio->value();
        QWidget *target = marker ? (QWidget *)s.sorter.picInsertion.at(i) : s.sorter.imgVisio.at(i);
        QVERIFY(target->isVisible());
        QTest::mouseClick(target, Qt::LeftButton);
    };
    QList<int> slides;
    for (int k = 0; k < count; ++k)
        slides << k;
    std::optional<int> cut;
    int cutAt = 0;

    const auto chosen = s.whileOpen([&] {
        for (int step = 0; step < count + 40; ++step) {
            if (!cut) {
                cutAt = int(random.bounded(count));
                cut = slides.takeAt(cutAt);
                clickAt(cutAt, false);
            } else if (count == 1 || random.bounded(2)) {
                const int at = int(random.bounded(count)); // count - 1: the end
                slides.insert(at, *std::exchange(cut, std::nullopt));
                clickAt(at, true);
            } else {
                const int at = int(random.bounded(count - 1));
                slides.insert(cutAt, *std::exchange(cut, std::nullopt));
                std::swap(slides[at >= cutAt ? at + 1 : at], slides[cutAt]);
                clickAt(at, false);
            }
            // Each thumbnail shows the slide the list has at its position.
            for (int i = 0; i < FrmVisionneuse::Shown; ++i) {
                const int p = s.sorter.hscVisio->value() + i;
                PicturePreview *thumbnail = s.sorter.imgVisio[i];
                QCOMPARE(thumbnail->isVisible()
                             ? slideOf(thumbnail->pixmap().toImage().pixelColor(8, 6))
                             : -1,
                         p < slides.size() ? slides[p] : -1);
            }
        }
        s.sorter.cmdOK->click();
    });
    if (cut) // "OK" leaves the cut slide at the end
        slides << *cut;
    QVERIFY(chosen);
    QCOMPARE(QList<int>(chosen->begin(), chosen->end()), slides);
    QVERIFY(s.sorter.thumbnailsDecoded() <= count); // each kept once decoded
    s.checkApplied(slides);
}

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

// Slide 1 is shown and a caption is being typed for it: the caption moves
// with its slide, and the slide now at position 1 is shown.
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
        if ((opened = sorter != nullptr)) {
            play(*sorter, steps.split(' '));
            sorter->hide();
        }
    });
    QTest::mouseClick(main.imgVisionneuse, Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(opened, !steps.isEmpty());
    for (int p = 0; p < 3; ++p) {
        const QString was =
            QStringLiteral("Essai%1%2").arg(order[p]).arg(main.project.imageTypes[p]);
        QCOMPARE(readFile(main.project.imagePath(p)), pictures.value(was));
        QCOMPARE(main.project.slideLines[p].contains("Texte tapé"), loaded && order[p] == 1);
    }
    QCOMPARE(main.richtxtTexteInfo->toPlainText(), shownCaption);
}

QTEST_MAIN(TestFrmVisionneuse)
#include "tst_frmvisionneuse.moc"
