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

#include <numeric>

namespace {

// Colours far enough apart to survive JPEG.
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

    // Runs work in the open sorter, and closes it after a failed check.
    std::optional<std::vector<int>> whileOpen(const std::function<void()> &work)
    {
        QTimer::singleShot(0, &sorter, [&] { work(), sorter.done(sorter.result()); });
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

// "t1" clicks thumbnail 1, "m3" marker 3, "s2" scrolls to 2, "r", "l", "e",
// "h", "w" by the right, left, End, Home keys and the wheel, "=1001111" checks which thumbnails and markers
// are visible, "ok", "cancel", "close" (the window frame).
void play(FrmVisionneuse &sorter, const QStringList &steps)
{
    for (const QString &step : steps) {
        const int n = step.mid(1).toInt();
        if (step[0] == 't' || step[0] == 'm')
            QTest::mouseClick(step[0] == 't' ? (QWidget *)sorter.imgVisio.at(n)
                                             : sorter.picInsertion.at(n),
                              Qt::LeftButton);
        else if (QString("rleh").contains(step)) // a key, on the window or a button
            QTest::keyClick(step == "r" ? (QWidget *)&sorter : sorter.cmdOK,
                            std::array{Qt::Key_Right, Qt::Key_Left, Qt::Key_End,
                                       Qt::Key_Home}[QString("rleh").indexOf(step)]);
        else if (step == "w") { // one notch up, over a thumbnail
            QWheelEvent up({5, 5}, {5, 5}, {}, {0, 120}, {}, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(sorter.imgVisio[1], &up);
        } else if (step[0] == 's')
            sorter.hscVisio->setValue(n);
        else if (step[0] == '=') {
            QString shown = "=";
            for (QWidget *w : sorter.imgVisio)
                shown += w->isVisibleTo(&sorter) ? '1' : '0';
            for (QWidget *w : sorter.picInsertion)
                shown += w->isVisibleTo(&sorter) ? '1' : '0';
            QCOMPARE(shown, step);
        } else if (step == "close")
            sorter.close();
        else
            (step == "ok" ? sorter.cmdOK : sorter.cmdStop)->click();
    }
}

} // namespace

class TestFrmVisionneuse : public QObject
{
    Q_OBJECT
private slots:
    void clicks_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<int>>("order"); // empty: nothing chosen

        QTest::newRow("OneSlide") << 1 << "s5 =1000000 ok" << QList<int>{0};
        QTest::newRow("TwoExchanged") << 2 << "t0 =1001100 t0 =1100000 ok" << QList<int>{1, 0};
        QTest::newRow("LastToFront") << 5 << "s3 =1100000 t1 s0 m0 ok" << QList<int>{4, 0, 1, 2, 3};
        QTest::newRow("CutThenOk") << 4 << "t1 =1111111 ok" << QList<int>{0, 2, 3, 1};
        QTest::newRow("ThreeCutInsertedLast")
            << 3 << "t0 =1101110 m2 =1110000 ok" << QList<int>{1, 2, 0};
        QTest::newRow("ExchangeAcross")
            << 6 << "t0 s3 t1 =1110000 ok" << QList<int>{5, 1, 2, 3, 4, 0};
        QTest::newRow("KeysAndWheel")
            << 6 << "e r w l t0 h =1111111 ok" << QList<int>{0, 1, 3, 4, 5, 2};
        QTest::newRow("Cancelled") << 4 << "t0 m3 cancel" << QList<int>{};
        QTest::newRow("WindowClosed") << 4 << "t2 t0 close" << QList<int>{};
    }

    void clicks()
    {
        QFETCH(int, count);
        QFETCH(QString, steps);
        QFETCH(QList<int>, order);

        Sorter s(count);
        for (int use = 0; use < 2; ++use) { // each use starts afresh
            const auto chosen = s.whileOpen([&] { play(s.sorter, steps.split(' ')); });
            QCOMPARE(chosen ? QList<int>(chosen->begin(), chosen->end()) : QList<int>(), order);
            QCOMPARE(s.sorter.hscVisio->maximum(), std::max(count - 2, 0));
        }
        if (!order.isEmpty())
            s.checkApplied(order);
    }

    void randomOrders_data()
    {
        QTest::addColumn<int>("count");
        for (int count : {1, 2, 3, 4, 17, 200})
            QTest::addRow("%d", count) << count;
    }

    // Random cuts, insertions and exchanges, each clicked in a random view that
    // shows its place, followed in a plain list without the cut slide.
    void randomOrders()
    {
        QFETCH(int, count);
        Sorter s(count);
        QRandomGenerator random(quint32(count) * 7919u);
        const auto clickAt = [&](int position, bool marker) {
            const int lowest = std::max(position - FrmVisionneuse::Shown + !marker, 0);
            const int view = random.bounded(lowest,
                                            std::min(position, s.sorter.hscVisio->maximum()) + 1);
            play(s.sorter,
                 {QString("s%1").arg(view),
                  QString("tm"[marker]) + QString::number(position - view)});
        };
        QList<int> slides(count);
        std::iota(slides.begin(), slides.end(), 0);
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
                for (int i = 0, p = s.sorter.hscVisio->value(); i < FrmVisionneuse::Shown; ++i, ++p)
                    QCOMPARE(s.sorter.imgVisio[i]->isVisible() ? slideOf(
                                 s.sorter.imgVisio[i]->pixmap().toImage().pixelColor(8, 6))
                                                               : -1,
                             p < slides.size() ? slides[p] : -1);
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

    // With no project nothing opens; then slide 1, shown and being typed, goes
    // to the front with its caption, and slide 0, now at position 1, is shown.
    void fromMainWindow()
    {
        Sorter s(0);
        FrmPrincipal main{s.context};
        Features features{main, s.context};
        writeSlides(main.project, s.dir.path(), 3);
        main.project.currentSlide = 1;
        features.slideDisplay().ShowCurrentSlide();
        main.richtxtTexteInfo->setPlainText(QStringLiteral("Texte tapé"));
        const Files before = s.dir.snapshot();
        for (bool loaded : {false, true}) {
            main.project.loaded = loaded;
            bool opened = false;
            QTimer::singleShot(0, &main, [&] {
                auto *sorter = qobject_cast<FrmVisionneuse *>(QApplication::activeModalWidget());
                if ((opened = sorter != nullptr))
                    play(*sorter, {"t1", "m0", "ok"});
            });
            QTest::mouseClick(main.imgVisionneuse, Qt::LeftButton);
            QCoreApplication::processEvents();
            QCOMPARE(opened, loaded);
        }
        QCOMPARE(s.dir.snapshot(),
                 Files({{"Essai0.gif", before["Essai1.gif"]},
                        {"Essai1.jpg", before["Essai0.jpg"]},
                        {"Essai2.jpg", before["Essai2.jpg"]}}));
        QVERIFY(main.project.slideLines[0].contains("Texte tapé"));
        QCOMPARE(main.richtxtTexteInfo->toPlainText(), QStringLiteral("Diapo 0"));
    }
};

QTEST_MAIN(TestFrmVisionneuse)
#include "tst_frmvisionneuse.moc"
