#include "widgets/picturebutton.h"
#include "editor/colourswatch.h"
#include "editor/frmcouleur.h"
#include "editor/rgbslider.h"
#include "support/scriptedplatform.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

QString rgb(const QColor &c)
{
    return u"%1,%2,%3"_qs.arg(c.red()).arg(c.green()).arg(c.blue());
}

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
    void init();
    void cleanup();

    void controlsCarryTheirNamesAndTexts();
    void startsOnTheMiddleGrey();
    void swatchThenOk_data();
    void swatchThenOk();
    void doubleClickIsOk();
    void cancelGivesEmptyText_data();
    void cancelGivesEmptyText();
    void sliderPointer_data();
    void sliderPointer();
    void mixedColourIsFilledWithZeros();
    void markerShowsTheComplement();
    void stateSurvivesHideAndShow();
    void helpOpensItsPage();

private:
    ScriptedPlatform m_platform;
    QString m_lastColour;
    std::unique_ptr<FrmCouleur> m_dialog;
};

void TestFrmCouleur::init()
{
    m_platform = ScriptedPlatform();
    m_lastColour = u"#ABCDEF"_qs;
    m_dialog = std::make_unique<FrmCouleur>(m_platform, u"/app"_qs, m_lastColour);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

void TestFrmCouleur::cleanup()
{
    m_dialog.reset();
}

void TestFrmCouleur::controlsCarryTheirNamesAndTexts()
{
    FrmCouleur &d = *m_dialog;
    QCOMPARE(d.objectName(), u"frmCouleur"_qs);
    QCOMPARE(d.windowTitle(), u"Choix de la couleur"_qs);
    QVERIFY(d.isModal());

    for (int i = 0; i < 17; ++i) {
        QCOMPARE(d.picCouleur[i]->objectName(), u"picCouleur"_qs);
        QCOMPARE(d.picCouleur[i]->property("index").toInt(), i);
        QCOMPARE(d.picCouleur[i]->toolTip(), u"Cliquez pour sélectionner la couleur"_qs);
    }
    for (int c = 0; c < 3; ++c) {
        QCOMPARE(d.picChangeRGB[c]->objectName(), u"picChangeRGB"_qs);
        QCOMPARE(d.picChangeRGB[c]->property("index").toInt(), c);
        QCOMPARE(int(d.picChangeRGB[c]->channel()), c);
    }
    QCOMPARE(d.picSelection->objectName(), u"picSelection"_qs);
    QCOMPARE(d.picSelection->toolTip(), u"Couleur sélectionnée pour le texte"_qs);
    QCOMPARE(d.lblSelection->objectName(), u"lblSelection"_qs);
    const QStringList headings{u"Couleur sélectionnée :"_qs, u"Couleur définie par l'utilisateur"_qs,
                               u"Couleurs types"_qs};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(d.Label1[i]->objectName(), u"Label1"_qs);
        QCOMPARE(d.Label1[i]->property("index").toInt(), i);
        QCOMPARE(d.Label1[i]->text(), headings.at(i));
    }
    QCOMPARE(d.cmdFin[0]->text(), u"OK"_qs);
    QCOMPARE(d.cmdFin[1]->text(), u"Annuler"_qs);
    QCOMPARE(d.cmdFin[1]->property("index").toInt(), 1);
    QCOMPARE(d.cmdHelp->objectName(), u"cmdHelp"_qs);
    QCOMPARE(d.findChildren<QWidget *>(u"picCouleur"_qs).size(), 17);
}

void TestFrmCouleur::startsOnTheMiddleGrey()
{
    FrmCouleur &d = *m_dialog;
    for (RgbSlider *slider : d.picChangeRGB) {
        QCOMPARE(slider->width(), FrmCouleur::SliderWidth);
        QCOMPARE(slider->value(), 127);
        QCOMPARE(slider->marker(), 128.0);
    }
    QCOMPARE(rgb(d.picCouleur[16]->colour()), u"127,127,127"_qs);
    QCOMPARE(rgb(d.picSelection->colour()), u"127,127,127"_qs);
    QCOMPARE(d.lblSelection->text(), u"#7F7F7F"_qs);
    QCOMPARE(m_lastColour, u"#ABCDEF"_qs);   // nothing written until a button says so
}

void TestFrmCouleur::swatchThenOk_data()
{
    QTest::addColumn<int>("swatch");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0 black") << 0 << u"#000000"_qs;
    QTest::newRow("1 navy: blue last") << 1 << u"#000080"_qs;
    QTest::newRow("2 green") << 2 << u"#008000"_qs;
    QTest::newRow("4 maroon: red first") << 4 << u"#800000"_qs;
    QTest::newRow("7 silver") << 7 << u"#C0C0C0"_qs;
    QTest::newRow("9 blue") << 9 << u"#0000FF"_qs;
    QTest::newRow("12 red") << 12 << u"#FF0000"_qs;
    QTest::newRow("14 yellow") << 14 << u"#FFFF00"_qs;
    QTest::newRow("15 white") << 15 << u"#FFFFFF"_qs;
    QTest::newRow("16 mixed grey") << 16 << u"#7F7F7F"_qs;
}

void TestFrmCouleur::swatchThenOk()
{
    QFETCH(int, swatch);
    QFETCH(QString, expected);
    FrmCouleur &d = *m_dialog;

    QTest::mouseClick(d.picCouleur[swatch], Qt::LeftButton);
    QCOMPARE(d.lblSelection->text(), expected);
    QCOMPARE(d.picSelection->colour(), d.picCouleur[swatch]->colour());
    QVERIFY(d.isVisible());

    QTest::mouseClick(d.cmdFin[0], Qt::LeftButton);
    QCOMPARE(m_lastColour, expected);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));
}

void TestFrmCouleur::doubleClickIsOk()
{
    FrmCouleur &d = *m_dialog;
    QTest::mouseDClick(d.picCouleur[12], Qt::LeftButton);
    QCOMPARE(m_lastColour, u"#FF0000"_qs);
    QVERIFY(!d.isVisible());
}

void TestFrmCouleur::cancelGivesEmptyText_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Annuler") << false;
    QTest::newRow("Escape key") << true;
}

void TestFrmCouleur::cancelGivesEmptyText()
{
    QFETCH(bool, escape);
    FrmCouleur &d = *m_dialog;
    QTest::mouseClick(d.picCouleur[12], Qt::LeftButton);
    if (escape)
        QTest::keyClick(&d, Qt::Key_Escape);
    else
        QTest::mouseClick(d.cmdFin[1], Qt::LeftButton);
    QCOMPARE(m_lastColour, QString());
    QVERIFY(m_lastColour.isEmpty());
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Rejected));
}

void TestFrmCouleur::sliderPointer_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("type");   // QEvent::Type
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
    QTest::newRow("press left at the right end") << 0 << press << 256.0 << left << left << 255 << u"#FF7F7F"_qs;
    QTest::newRow("drag beyond the right end") << 1 << move << 400.0 << none << left << 255 << u"#7FFF7F"_qs;
    QTest::newRow("drag beyond the left end") << 2 << move << -30.0 << none << left << 0 << u"#7F7F00"_qs;
    QTest::newRow("the middle rounds to even") << 0 << move << 128.0 << none << left << 128 << u"#807F7F"_qs;
    QTest::newRow("one pixel in") << 0 << move << 1.0 << none << left << 1 << u"#017F7F"_qs;
    QTest::newRow("fraction rounds down") << 1 << move << 10.2 << none << left << 10 << u"#7F0A7F"_qs;
    QTest::newRow("fraction rounds up") << 1 << move << 10.6 << none << left << 11 << u"#7F0B7F"_qs;
    QTest::newRow("move without a button") << 0 << move << 10.0 << none << none << 127 << u"#7F7F7F"_qs;
    QTest::newRow("move with left and right") << 0 << move << 10.0 << none << (left | right) << 127
                                              << u"#7F7F7F"_qs;
    QTest::newRow("press right") << 2 << press << 10.0 << right << right << 127 << u"#7F7F7F"_qs;
    QTest::newRow("press left while right is held") << 2 << press << 10.0 << left << (left | right) << 127
                                                    << u"#7F7F7F"_qs;
    QTest::newRow("move with the middle button") << 1 << move << 10.0 << none << int(Qt::MiddleButton) << 127
                                                 << u"#7F7F7F"_qs;
}

void TestFrmCouleur::sliderPointer()
{
    QFETCH(int, channel);
    QFETCH(int, type);
    QFETCH(double, x);
    QFETCH(int, button);
    QFETCH(int, held);
    QFETCH(int, value);
    QFETCH(QString, selection);
    FrmCouleur &d = *m_dialog;

    // Select a fixed swatch first: a slider that does not move must not take
    // the selection back to the mixed colour.
    QTest::mouseClick(d.picCouleur[12], Qt::LeftButton);
    const bool moves = value != 127;
    pointer(d.picChangeRGB[channel], QEvent::Type(type), x, Qt::MouseButton(button), Qt::MouseButtons(held));

    QCOMPARE(d.picChangeRGB[channel]->value(), value);
    QCOMPARE(d.lblSelection->text(), moves ? selection : u"#FF0000"_qs);
    QCOMPARE(d.picCouleur[16]->colour().name().toUpper(), selection);
    for (int other = 0; other < 3; ++other) {
        if (other != channel)
            QCOMPARE(d.picChangeRGB[other]->value(), 127);
    }
}

void TestFrmCouleur::mixedColourIsFilledWithZeros()
{
    FrmCouleur &d = *m_dialog;
    drag(d.picChangeRGB[0], 1);
    drag(d.picChangeRGB[1], 0);
    drag(d.picChangeRGB[2], 0);
    QCOMPARE(rgb(d.picCouleur[16]->colour()), u"1,0,0"_qs);
    QCOMPARE(d.lblSelection->text(), u"#010000"_qs);
    QTest::mouseClick(d.cmdFin[0], Qt::LeftButton);
    QCOMPARE(m_lastColour, u"#010000"_qs);
}

void TestFrmCouleur::markerShowsTheComplement()
{
    RgbSlider *red = m_dialog->picChangeRGB[0];
    drag(red, 200);
    QCOMPARE(red->marker(), 200.0);
    const QImage picture = red->grab().toImage();
    const int y = picture.height() / 2;
    const QColor background = red->background();
    QCOMPARE(rgb(picture.pixelColor(50, y)), rgb(background));
    QCOMPARE(rgb(picture.pixelColor(199, y)), rgb(QColor(255 - background.red(), 255, 255)));
    QCOMPARE(rgb(picture.pixelColor(203, y)), rgb(background));
}

void TestFrmCouleur::stateSurvivesHideAndShow()
{
    FrmCouleur &d = *m_dialog;
    drag(d.picChangeRGB[1], 256);
    QTest::mouseClick(d.cmdFin[0], Qt::LeftButton);
    QCOMPARE(m_lastColour, u"#7FFF7F"_qs);

    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QCOMPARE(d.picChangeRGB[1]->value(), 255);
    QCOMPARE(d.lblSelection->text(), u"#7FFF7F"_qs);
    QCOMPARE(rgb(d.picCouleur[16]->colour()), u"127,255,127"_qs);
    QTest::mouseClick(d.cmdFin[0], Qt::LeftButton);
    QCOMPARE(m_lastColour, u"#7FFF7F"_qs);
}

void TestFrmCouleur::helpOpensItsPage()
{
    QTest::mouseClick(m_dialog->cmdHelp, Qt::LeftButton);
    QCOMPARE(m_platform.shellRequests, QStringList{u"/app/Aide_Contextuelle/CouleurTexte.htm"_qs});
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_lastColour, u"#ABCDEF"_qs);
}

QTEST_MAIN(TestFrmCouleur)
#include "tst_frmcouleur.moc"
