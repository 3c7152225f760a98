#include "editor/colourswatch.h"
#include "editor/frmcouleur.h"
#include "editor/rgbslider.h"
#include "platform/appcontext.h"
#include "support/scriptedplatform.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

QString rgb(const QColor &c) { return u"%1,%2,%3"_qs.arg(c.red()).arg(c.green()).arg(c.blue()); }

// A pointer event with any combination of buttons held, which QTest's
// helpers cannot produce.
void pointer(QWidget *widget, QEvent::Type type, double x, Qt::MouseButton button,
             Qt::MouseButtons held)
{
    const QPointF local(x, widget->height() / 2.0);
    QMouseEvent event(type, local, widget->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void drag(RgbSlider *slider, double x)
{
    pointer(slider, QEvent::MouseButtonPress, x, Qt::LeftButton, Qt::LeftButton);
    pointer(slider, QEvent::MouseButtonRelease, x, Qt::LeftButton, Qt::NoButton);
}

} // namespace

class TestFrmCouleur : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dialog = std::make_unique<FrmCouleur>(AppContext{m_platform, u"/app"_qs, QString()});
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    void cleanup();

    void swatchThenOk_data()
    {
        QTest::addColumn<int>("swatch");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1 navy: blue last") << 1 << u"#000080"_qs;
        QTest::newRow("4 maroon: red first") << 4 << u"#800000"_qs;
        QTest::newRow("12 red") << 12 << u"#FF0000"_qs;
        QTest::newRow("16 mixed grey") << 16 << u"#7F7F7F"_qs;
    }

    void swatchThenOk()
    {
        QFETCH(int, swatch);
        QFETCH(QString, expected);
        FrmCouleur &d = *m_dialog;

        QTest::mouseClick(d.picCouleur[swatch], Qt::LeftButton);
        QCOMPARE(d.lblSelection->text(), expected);
        QVERIFY(d.isVisible());

        QTest::mouseClick(d.cmdFin[0], Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.choice()->name().toUpper(), expected);
    }

    void doubleClickIsOk()
    {
        QTest::mouseDClick(m_dialog->picCouleur[12], Qt::LeftButton);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->choice(), QColor(255, 0, 0));
    }

    void cancelChoosesNothing_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Annuler") << false;
        QTest::newRow("Escape key") << true;
    }

    void cancelChoosesNothing()
    {
        QFETCH(bool, escape);
        FrmCouleur &d = *m_dialog;
        QTest::mouseClick(d.picCouleur[12], Qt::LeftButton);
        QTest::mouseClick(d.cmdFin[0], Qt::LeftButton); // a choice, then a cancelled use
        d.show();
        QTest::mouseClick(d.picCouleur[9], Qt::LeftButton);
        if (escape)
            QTest::keyClick(&d, Qt::Key_Escape);
        else
            QTest::mouseClick(d.cmdFin[1], Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.choice(), std::nullopt);
    }

    void sliderPointer_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("type"); // QEvent::Type
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("held");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("selection");

        const int press = QEvent::MouseButtonPress;
        const int move = QEvent::MouseMove;
        const int left = Qt::LeftButton;
        const int right = Qt::RightButton;
        const int none = Qt::NoButton;
        // clang-format off
        QTest::newRow("press left at the right end") << 0 << press << 256.0 << left << left << 255 << u"#FF7F7F"_qs;
        QTest::newRow("drag beyond the right end") << 1 << move << 400.0 << none << left << 255 << u"#7FFF7F"_qs;
        QTest::newRow("drag beyond the left end") << 2 << move << -30.0 << none << left << 0 << "#7F7F00";
        QTest::newRow("the middle rounds to even") << 0 << move << 128.0 << none << left << 128 << u"#807F7F"_qs;
        QTest::newRow("fraction rounds up") << 1 << move << 10.6 << none << left << 11 << u"#7F0B7F"_qs;
        QTest::newRow("move without a button") << 0 << move << 10.0 << none << none << 127 << u"#7F7F7F"_qs;
        QTest::newRow("move with left and right") << 0 << move << 10.0 << none << (left | right) << 127 << u"#7F7F7F"_qs;
        QTest::newRow("press right") << 2 << press << 10.0 << right << right << 127 << u"#7F7F7F"_qs;
        // clang-format on
    }

    void sliderPointer()
    {
        QFETCH(int, channel);
        QFETCH(int, type);
        QFETCH(double, x);
        QFETCH(int, button);
        QFETCH(int, held);
        QFETCH(int, value);
        QFETCH(QString, selection);
        FrmCouleur &d = *m_dialog;

        // A fixed swatch first: a slider that does not move must not take the
        // selection back to the mixed colour.
        QTest::mouseClick(d.picCouleur[12], Qt::LeftButton);
        const bool moves = value != 127;
        pointer(d.picChangeRGB[channel], QEvent::Type(type), x, Qt::MouseButton(button),
                Qt::MouseButtons(held));

        QCOMPARE(d.picChangeRGB[channel]->value(), value);
        QCOMPARE(d.lblSelection->text(), moves ? selection : u"#FF0000"_qs);
        QCOMPARE(d.picCouleur[16]->colour().name().toUpper(), selection);
    }

    void stateSurvivesHideAndShow()
    {
        FrmCouleur &d = *m_dialog;
        drag(d.picChangeRGB[1], 256);
        QTest::mouseClick(d.cmdFin[0], Qt::LeftButton);

        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.lblSelection->text(), u"#7FFF7F"_qs);
        QCOMPARE(rgb(d.picCouleur[16]->colour()), u"127,255,127"_qs);
        QTest::mouseClick(d.cmdFin[0], Qt::LeftButton);
        QCOMPARE(d.choice(), QColor(127, 255, 127));
    }

private:
    ScriptedPlatform m_platform;
    std::unique_ptr<FrmCouleur> m_dialog;
};

void TestFrmCouleur::cleanup() { m_dialog.reset(); }

QTEST_MAIN(TestFrmCouleur)
#include "tst_frmcouleur.moc"
