#include "captions/captioncontroller.h"
#include "project/slideshowproject.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QTextEdit>
#include <QtTest>

#include <memory>

namespace {

const QString arial = QStringLiteral("<font face='Arial' size='2' color='#000000'>");

struct Window
{
    QWidget root;
    QTextEdit *editor = new QTextEdit(&root);
    QLineEdit *field = new QLineEdit(&root);
    SlideshowProject project;
    std::unique_ptr<CaptionController> controller;

    Window()
    {
        project.slideCount = 3;
        project.currentSlide = 1;
        controller = std::make_unique<CaptionController>(CaptionController::Controls{editor, field},
                                                         project);
        controller->setFormatControlsArmed(false);
    }
};

} // namespace

class TestCaptionController : public QObject
{
    Q_OBJECT
private slots:
    void showCaption_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("formatted") << arial + "Bon<b>jour</b><br>x</font>"
                                   << "Bonjour\r\nx";
        QTest::newRow("no font start") << "plain, no font start"
                                       << "plain, no font start";
        QTest::newRow("long, not cut")
            << arial + QString(40000, u'x') + "</font>" << QString(40000, u'x');
    }

    // The line goes as it is to the field and the current slide. Whatever runs
    // while it is shown (here, a store asked for by the field's change) must not
    // write the half-shown editor back.
    void showCaption()
    {
        QFETCH(QString, line);
        Window w;
        QObject::connect(w.field, &QLineEdit::textChanged, w.controller.get(),
                         [&] { w.controller->storeCaption(); });
        w.controller->showCaption(line);
        QTEST(w.controller->editor().plainText(), "text");
        w.controller->editor().setSelection(3, 1);
        QCOMPARE(w.controller->editor().bold(), line.contains("<b>"));
        QCOMPARE(w.field->text(), line);
        QCOMPARE(w.project.slideLines[1], line);
        QCOMPARE(w.project.slideLines[0], QString());
        QVERIFY(!w.project.saved);
        QVERIFY(w.controller->formatControlsArmed());
        QVERIFY(!w.controller->showingCaption());
    }

    void storeCaptionWritesTheFieldAndTheSlide()
    {
        Window w;
        RichTextAdapter &ed = w.controller->editor();
        w.controller->showCaption(arial + "</font>");
        w.project.saved = true;
        ed.setSelection(0, 0);
        ed.setFontName("Arial");
        ed.replaceSelection("abc");
        w.project.currentSlide = 2;
        w.controller->storeCaption();
        QCOMPARE(w.field->text(), arial + "abc</font>");
        QCOMPARE(w.project.slideLines[2], arial + "abc</font>");
        QVERIFY(!w.project.saved);
        // Nothing selected, the caret at the end.
        QVERIFY(!w.editor->textCursor().hasSelection());
        QCOMPARE(w.editor->textCursor().position(), w.editor->document()->characterCount() - 1);
    }

    void typingInTheFieldStoresWithoutShowing()
    {
        Window w;
        w.controller->editor().setPlainText(QStringLiteral("kept"));
        w.project.saved = true;
        w.field->setText(arial + QStringLiteral("other</font>"));
        QCOMPARE(w.project.slideLines[1], arial + QStringLiteral("other</font>"));
        QCOMPARE(w.controller->editor().plainText(), QStringLiteral("kept"));
        QVERIFY(!w.project.saved);
    }

    void leavingTheFieldMarksUnsaved()
    {
        Window w;
        w.project.saved = true;
        QFocusEvent in(QEvent::FocusIn);
        QCoreApplication::sendEvent(w.field, &in);
        QVERIFY(w.project.saved);
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(w.field, &out);
        QVERIFY(!w.project.saved);
    }
};

QTEST_MAIN(TestCaptionController)
#include "tst_captioncontroller.moc"
