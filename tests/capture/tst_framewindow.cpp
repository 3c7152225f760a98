// The frame window under a window manager, capturing the real screen (also run at scale 2).
#include "capture/frmcapture.h"
#include "capture/frmce.h"
#include "platform/qtplatform.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTimer>

namespace {

// Scripted questions, the real screen.
struct RealScreen : ScriptedPlatform
{
    QtPlatform real;
    QImage grabScreen(const QRect &area) override
    {
        return grabs.append(area), real.grabScreen(area);
    }
};

// Four quadrants of plain colours, a frameless window at a known place.
struct Target : QWidget
{
    static constexpr QRgb Colours[4] = {0xffd02020, 0xff20a040, 0xff2040d0, 0xfff0e020};
    Target()
        : QWidget(nullptr, Qt::FramelessWindowHint)
    {
        setGeometry(300, 200, 80, 60);
    }
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        for (int i = 0; i < 4; ++i)
            p.fillRect(i % 2 * 40, i / 2 * 30, 40, 30, QColor::fromRgb(Colours[i]));
    }
};

} // namespace

class TestFrameWindow : public QObject
{
    Q_OBJECT
private slots:
    // Ctrl+Right and Ctrl+Down bring the hole from 10 pixels left of and above
    // the target over it; the frame stays above a window raised over its band.
    void capturesWhatTheHoleShows()
    {
        Target target;
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));
        QWidget cover(nullptr, Qt::FramelessWindowHint);
        cover.setGeometry(250, 150, 200, 30);
        cover.setStyleSheet("background: black;");

        const int ratio = qRound(target.devicePixelRatioF());
        const QSize size(80 * ratio, 60 * ratio);
        TempFolder app;
        app.write("Passage",
                  QString::asprintf("%d\r\n%d\r\n%d\r\n%d\r\n", size.width(), size.height(),
                                    (290 - 3) * 15, (190 - 29) * 15)
                      .toLatin1());
        RealScreen platform;
        FrmCE frm({platform, app.path(), {}});
        frm.captureType[1]->click();
        frm.show();
        QRgb band = 0;
        QTimer::singleShot(0, &frm, [&] {
            auto *frame = qobject_cast<FrmCapture *>(QApplication::activeModalWidget());
            QVERIFY(frame);
            // A failed check closes the frame, so that the test ends.
            const auto close = qScopeGuard([frame] {
                if (!frame->captureTaken())
                    frame->reject();
            });
            QVERIFY(QTest::qWaitForWindowExposed(frame));
            QTRY_COMPARE(frame->frameGeometry(), QRect(287, 161, 86, 92));
            QTRY_COMPARE(QGuiApplication::focusWindow(),
                         frame->windowHandle()); // the keys go to it
            cover.show();
            cover.raise();
            QVERIFY(QTest::qWaitForWindowExposed(&cover));
            band = platform.real.grabScreen(QRect(330, 175, 1, 1)).pixel(0, 0);
            QTest::keyClick(frame, Qt::Key_Right, Qt::ControlModifier);
            QTest::keyClick(frame, Qt::Key_Down, Qt::ControlModifier);
            QTRY_COMPARE(platform.real.grabScreen(QRect(371, 210, 1, 1)).pixel(0, 0),
                         Target::Colours[1]);
            QTest::keyClick(frame, Qt::Key_Return);
        });
        frm.takeButton->click();

        QVERIFY(band != qRgb(0, 0, 0));
        QCOMPARE(platform.grabs, QList<QRect>{QRect(300, 200, 80, 60)});
        QCOMPARE(QPoint(frm.captureLeft, frm.captureTop), QPoint(297 * 15, 171 * 15));
        const QImage bmp =
            QImage(app.path("ScreenShot_1.bmp")).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(bmp.size(), size);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                QCOMPARE(bmp.pixel(x, y), Target::Colours[x / ratio / 40 + y / ratio / 30 * 2]);

        QTimer::singleShot(
            0, &frm, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
        frm.takeButton->click();
        QCOMPARE(QDir(app.path()).entryList({"ScreenShot_*"}),
                 (QStringList{"ScreenShot_1.bmp", "ScreenShot_1.jpg"}));
    }
};

QTEST_MAIN(TestFrameWindow)
#include "tst_framewindow.moc"
