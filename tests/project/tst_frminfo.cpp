#include "app/features.h"
#include "app/frmprincipal.h"
#include "project/frminfo.h"
#include "support/scriptedplatform.h"
#include "widgets/picturebutton.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

// The about window: its colour cycle, its shape and how it closes.
class TestFrmInfo : public QObject
{
    Q_OBJECT
private slots:
    void creditColourCycles_data();
    void creditColourCycles();
    void contentInsideTheEllipse();
    void closing_data();
    void closing();
    void reopeningStartsTheCycleAgain();

private:
    // Presses imgInfo of a main window and runs `inside` on the about window
    // while it is shown modally; returns once the window is gone.
    void whileAboutShown(const std::function<void(FrmInfo *)> &inside);

    QTemporaryDir m_appDir;
    ScriptedPlatform m_platform;
};

void TestFrmInfo::creditColourCycles_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("FirstTick") << 1 << QColor(128, 125, 128);
    QTest::newRow("Tick250") << 250 << QColor(127, 129, 2);
}

void TestFrmInfo::creditColourCycles()
{
    QFETCH(int, ticks);
    QFETCH(QColor, colour);
    FrmInfo window(m_appDir.path());
    window.cycleTimer->stop();
    for (int t = 0; t < ticks; ++t)
        window.tick();
    QCOMPARE(window.lblInfo[6]->palette().color(QPalette::WindowText), colour);
}

void TestFrmInfo::contentInsideTheEllipse()
{
    FrmInfo window(m_appDir.path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRegion shape = window.mask();
    QVERIFY(!shape.isEmpty());
    QList<QWidget *> parts{window.novelties, window.closePicture};
    for (QLabel *label : window.lblInfo)
        if (label)
            parts.append(label);
    for (QWidget *part : parts) {
        const QRect area = part->geometry();
        QVERIFY2(shape.contains(area),
                 qPrintable(part->objectName() + part->property("index").toString()));
        QVERIFY2(part->width() >= part->sizeHint().width(), qPrintable(part->objectName()));
    }
    // Six lines of novelties, all in view.
    QCOMPARE(window.novelties->document()->blockCount(), 7);
    QVERIFY(window.novelties->verticalScrollBar()->maximum() == 0);
}

void TestFrmInfo::whileAboutShown(const std::function<void(FrmInfo *)> &inside)
{
    const AppContext context{m_platform, m_appDir.path(), m_appDir.path()};
    FrmPrincipal main(context);
    const Features features(main, context);
    bool ran = false;
    QTimer::singleShot(0, this, [&] {
        auto *about = qobject_cast<FrmInfo *>(QApplication::activeModalWidget());
        QVERIFY(about);
        ran = true;
        inside(about);
        if (about->isVisible()) // a failed check leaves it open
            about->close();
    });
    QTest::mouseClick(main.imgInfo, Qt::LeftButton);
    QVERIFY(ran);
}

void TestFrmInfo::closing_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Label") << "lblInfo" << false;
    QTest::newRow("NoveltiesText") << "Text1" << false;
    QTest::newRow("Background") << "" << true;
    QTest::newRow("ClosePicture") << "Image1" << true;
}

void TestFrmInfo::closing()
{
    QFETCH(QString, target);
    QFETCH(bool, closes);
    QPointer<FrmInfo> shown;
    whileAboutShown([&](FrmInfo *about) {
        shown = about;
        QWidget *clicked = target.isEmpty() ? about : about->findChild<QWidget *>(target);
        // The background: left of the content, well inside the ellipse.
        const QPoint where = target.isEmpty() ? QPoint(60, about->height() / 2)
                                              : clicked->rect().center();
        QTest::mouseClick(target == "Text1" ? about->novelties->viewport() : clicked,
                          Qt::LeftButton, {}, where);
        QCOMPARE(about->isVisible(), !closes);
    });
    // Closed windows are destroyed.
    QTRY_VERIFY(shown.isNull());
}

void TestFrmInfo::reopeningStartsTheCycleAgain()
{
    int firstTicks = 0;
    whileAboutShown([&](FrmInfo *about) {
        QTRY_VERIFY(about->tickCount() >= 20);
        firstTicks = about->tickCount();
        QTest::mouseClick(about->closePicture, Qt::LeftButton);
    });
    whileAboutShown([&](FrmInfo *about) {
        QVERIFY(about->tickCount() < firstTicks);
        QTRY_VERIFY(about->tickCount() >= 1);
        QCOMPARE(about->lblInfo[6]->palette().color(QPalette::WindowText),
                 FrmInfo::cycleColour(about->tickCount()));
    });
}

QTEST_MAIN(TestFrmInfo)
#include "tst_frminfo.moc"
