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
    void showCaptionFillsTheEditorAndTheSlide();
    void storeCaptionWritesTheFieldAndTheSlide_data();
    void storeCaptionWritesTheFieldAndTheSlide();
    void storeCaptionDoesNothingWhileShowing();
    void typingInTheFieldStoresWithoutShowing();
    void leavingTheFieldMarksUnsaved();
    void adapterFollowsTheEditorsSelection();
    void longCaptionsAreNotCut();
};

void TestCaptionController::showCaptionFillsTheEditorAndTheSlide()
{
    Window w;
    const QString line = arial + QStringLiteral("Bon<b>jour</b><br>x</font>");
    w.controller->showCaption(line);
    QCOMPARE(w.controller->editor().plainText(), QStringLiteral("Bonjour\r\nx"));
    w.controller->editor().setSelection(3, 1);
    QVERIFY(w.controller->editor().bold());
    QCOMPARE(w.project.slideLines[1], line);
    QCOMPARE(w.project.slideLines[0], QString());
    QVERIFY(!w.project.saved);
    QVERIFY(w.controller->formatControlsArmed());
    QVERIFY(!w.controller->showingCaption());
}

void TestCaptionController::storeCaptionWritesTheFieldAndTheSlide_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain word") << "abc" << arial + "abc</font>";
    QTest::newRow("markup typed") << "<b>&" << arial + "<b>&</font>";
    QTest::newRow("two lines") << "a\nb" << arial + "a<br>b</font>";
}

void TestCaptionController::storeCaptionWritesTheFieldAndTheSlide()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    Window w;
    RichTextAdapter &ed = w.controller->editor();
    w.controller->showCaption(arial + QStringLiteral("</font>"));
    w.project.saved = true;
    ed.setSelection(0, 0);
    ed.setFontName(QStringLiteral("Arial"));
    ed.replaceSelection(typed);
    w.project.currentSlide = 2;
    w.controller->storeCaption();
    QCOMPARE(w.field->text(), expected);
    QCOMPARE(w.project.slideLines[2], expected);
    QVERIFY(!w.project.saved);
    // Nothing selected, the caret at the end.
    QVERIFY(!w.editor->textCursor().hasSelection());
    QCOMPARE(w.editor->textCursor().position(), w.editor->document()->characterCount() - 1);
}

void TestCaptionController::storeCaptionDoesNothingWhileShowing()
{
    // Whatever runs while a caption is shown (here, a store asked for by a
    // change of the field) must not write the half-shown editor back.
    Window w;
    const QString line = QStringLiteral("plain, no font start");
    QObject::connect(w.field, &QLineEdit::textChanged, w.controller.get(),
                     [&] { w.controller->storeCaption(); });
    w.controller->showCaption(line);
    QCOMPARE(w.field->text(), line);
    QCOMPARE(w.project.slideLines[1], line);
}

void TestCaptionController::typingInTheFieldStoresWithoutShowing()
{
    Window w;
    w.controller->editor().setPlainText(QStringLiteral("kept"));
    w.project.saved = true;
    w.field->setText(arial + QStringLiteral("other</font>"));
    QCOMPARE(w.project.slideLines[1], arial + QStringLiteral("other</font>"));
    QCOMPARE(w.controller->editor().plainText(), QStringLiteral("kept"));
    QVERIFY(!w.project.saved);
}

void TestCaptionController::leavingTheFieldMarksUnsaved()
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

void TestCaptionController::adapterFollowsTheEditorsSelection()
{
    Window w;
    RichTextAdapter &ed = w.controller->editor();
    ed.setPlainText(QStringLiteral("ab\r\ncd"));
    ed.setSelection(1, 3); // b, CR, LF
    QCOMPARE(w.editor->textCursor().selectionStart(), 1);
    QCOMPARE(w.editor->textCursor().selectionEnd(), 3);
    QCOMPARE(w.editor->textCursor().selectedText(),
             QStringLiteral("b") + QChar(QChar::ParagraphSeparator));

    QTextCursor c = w.editor->textCursor();
    c.setPosition(3);
    c.setPosition(5, QTextCursor::KeepAnchor);
    w.editor->setTextCursor(c);
    QCOMPARE(ed.selectionStart(), 4);
    QCOMPARE(ed.selectionLength(), 2);
    QCOMPARE(ed.selectedText(), QStringLiteral("cd"));
}

void TestCaptionController::longCaptionsAreNotCut()
{
    Window w;
    const QString line = arial + QString(40000, u'x') + QStringLiteral("</font>");
    w.controller->showCaption(line);
    QCOMPARE(w.project.slideLines[1], line);
    QCOMPARE(w.controller->editor().textLength(), 40000);
}

QTEST_MAIN(TestCaptionController)
#include "tst_captioncontroller.moc"
