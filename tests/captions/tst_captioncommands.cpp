#include "app/frmprincipal.h"
#include "captions/captioncommands.h"
#include "captions/captioncontroller.h"
#include "captions/richtextadapter.h"
#include "support/scriptedplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

using Steps = QList<int>;

namespace {

QString fontStart(const QString &face, const QString &size, const QString &colour)
{
    return u"<font face='%1' size='%2' color='%3'>"_qs.arg(face, size, colour);
}

const QString kArial10 = fontStart(u"Arial"_qs, u"2"_qs, u"#000000"_qs);

// Which format controls show, as "01234567 8 TP" with '-' for a hidden one.
QString shown(const FrmPrincipal &w)
{
    QString out;
    for (std::size_t k = 0; k < 8; ++k)
        out += w.cmdRich[k]->isVisible() ? QChar(u'0' + int(k)) : QChar(u'-');
    out += w.cmdRich[8]->isVisible() ? u" 8"_qs : u" -"_qs;
    out += w.comboTaille->isVisible() ? u" T"_qs : u" -"_qs;
    out += w.comboPolice->isVisible() ? u"P"_qs : u"-"_qs;
    return out;
}

QColor iconColour(const QToolButton *button)
{
    const QImage face = button->icon().pixmap(20, 20).toImage();
    return face.pixelColor(face.width() / 2, face.height() / 2);
}

} // namespace

class TestCaptionCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void mouseReleaseShowsOrHides_data();
    void mouseReleaseShowsOrHides();
    void listsJumpToTheSelection_data();
    void listsJumpToTheSelection();
    void formatButtons_data();
    void formatButtons();
    void doubleOffsetIsPlainWhenShownAgain();
    void listsApplyToTheRememberedSelection_data();
    void listsApplyToTheRememberedSelection();
    void colourChosenThenReapplied();
    void colourCancelledChangesNothing();
    void undoEmptiesTheCaption();
    void copyThenPasteKeepsFormatting();
    void copyOfNothingLeavesTheClipboard();
    void paste_data();
    void paste();
    void rightButtonOpensTheMenu_data();
    void rightButtonOpensTheMenu();

private:
    // "Bonjour" in Arial 10 black, a loaded project, nothing selected.
    void writeBonjour();
    void select(int start, int length);
    // A drag with the left button over the plain positions [from, to).
    void dragSelect(int from, int to);
    QString caption() const { return m_window->txtTexteInfo->text(); }

    ScriptedPlatform m_platform;
    QTemporaryDir m_appDir;
    std::unique_ptr<FrmPrincipal> m_window;
    std::unique_ptr<RichTextAdapter> m_editor;
    std::unique_ptr<CaptionController> m_captions;
    std::unique_ptr<CaptionCommands> m_commands;
    // What the colour picker answers, and how often it was asked.
    std::optional<QColor> m_pickedColour;
    int m_pickerUses = 0;
};

void TestCaptionCommands::init()
{
    m_window = std::make_unique<FrmPrincipal>(
        AppContext{m_platform, m_appDir.path(), m_appDir.path()});
    FrmPrincipal &w = *m_window;
    m_captions = std::make_unique<CaptionController>(
        CaptionController::Controls{w.richtxtTexteInfo, w.txtTexteInfo}, w.project);
    m_commands = std::make_unique<CaptionCommands>(
        CaptionCommands::Controls{w.richtxtTexteInfo, w.txtTexteInfo, w.cmdRich, w.comboPolice,
                                  w.comboTaille, w.CopierColler, w.Copier, w.Coller},
        w.project, *m_captions, [this] {
            ++m_pickerUses;
            return m_pickedColour;
        });
    m_pickedColour.reset();
    m_pickerUses = 0;
    m_editor = std::make_unique<RichTextAdapter>(m_window->richtxtTexteInfo);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    writeBonjour();
}

void TestCaptionCommands::cleanup()
{
    m_editor.reset();
    m_commands.reset();
    m_captions.reset();
    m_window.reset();
    QGuiApplication::clipboard()->clear();
}

void TestCaptionCommands::writeBonjour()
{
    m_window->project.loaded = true;
    m_editor->setPlainText(u"Bonjour"_qs);
    m_editor->setSelection(0, 7);
    m_editor->setFontName(u"Arial"_qs);
    m_editor->setFontSize(10);
    m_editor->setColour(0);
    m_editor->setSelection(7, 0);
}

void TestCaptionCommands::select(int start, int length) { m_editor->setSelection(start, length); }

void TestCaptionCommands::dragSelect(int from, int to)
{
    QTextEdit *edit = m_window->richtxtTexteInfo;
    QWidget *viewport = edit->viewport();
    auto at = [edit](int position) {
        QTextCursor c(edit->document());
        c.setPosition(position);
        return edit->cursorRect(c).center();
    };
    const QPoint start = at(from);
    const QPoint end = at(to);
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, end, viewport->mapToGlobal(end), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, end);
    // The release rule runs once the release is through; let it run.
    QCoreApplication::processEvents();
}

void TestCaptionCommands::mouseReleaseShowsOrHides_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("colourChosen");
    QTest::addColumn<bool>("startShown"); // controls shown by an earlier selection
    QTest::addColumn<int>("to");          // drag from 0 to here; 0 is a click
    QTest::addColumn<QString>("expected");

    QTest::newRow("selection shows buttons 0-7 and the lists")
        << true << false << false << 4 << u"01234567 - TP"_qs;
    QTest::newRow("selection with a chosen colour shows 8 too")
        << true << true << false << 4 << u"01234567 8 TP"_qs;
    QTest::newRow("click without selecting hides everything")
        << true << true << true << 0 << u"-------- - --"_qs;
    QTest::newRow("no project: a selection shows nothing")
        << false << true << false << 4 << u"-------- - --"_qs;
    QTest::newRow("no project: a click hides nothing")
        << false << true << true << 0 << u"01234567 8 TP"_qs;
}

void TestCaptionCommands::mouseReleaseShowsOrHides()
{
    QFETCH(bool, loaded);
    QFETCH(bool, colourChosen);
    QFETCH(bool, startShown);
    QFETCH(int, to);
    QFETCH(QString, expected);
    FrmPrincipal &w = *m_window;

    QCOMPARE(shown(w), u"-------- - --"_qs); // hidden at start-up
    if (colourChosen) {
        m_pickedColour = QColor(Qt::red);
        w.cmdRich[6]->click();
    }
    if (startShown) {
        dragSelect(0, 3);
        QTRY_COMPARE(shown(w), u"01234567 8 TP"_qs);
    }
    w.project.loaded = loaded;
    const QString before = caption();
    dragSelect(0, to);
    QTRY_COMPARE(shown(w), expected);
    QVERIFY(m_captions->formatControlsArmed());
    QCOMPARE(caption(), before); // showing the controls formats nothing
}

void TestCaptionCommands::listsJumpToTheSelection_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("listedFace");
    QTest::addColumn<QString>("expectedSize");
    QTest::addColumn<bool>("faceFollows");

    QTest::newRow("listed size and face") << 14.0 << true << u"14"_qs << true;
    QTest::newRow("smallest size") << 8.0 << true << u"8"_qs << true;
    QTest::newRow("size not in the list stays") << 11.0 << true << u"10"_qs << true;
    QTest::newRow("half size not in the list stays") << 12.5 << true << u"10"_qs << true;
    QTest::newRow("face not in the list stays") << 20.0 << false << u"20"_qs << false;
}

void TestCaptionCommands::listsJumpToTheSelection()
{
    QFETCH(double, size);
    QFETCH(bool, listedFace);
    QFETCH(QString, expectedSize);
    QFETCH(bool, faceFollows);
    FrmPrincipal &w = *m_window;

    const QStringList families = QFontDatabase::families();
    QVERIFY(families.size() >= 2);
    const QString face = listedFace ? families.at(1) : u"No Such Face Anywhere"_qs;
    const QString startingFace = w.comboPolice->currentText();
    QCOMPARE(w.comboTaille->currentText(), u"10"_qs);

    select(2, 3);
    m_editor->setFontName(face);
    m_editor->setFontSize(size);
    m_editor->setSelection(7, 0);

    QSignalSpy activated(w.comboTaille, &QComboBox::textActivated);
    dragSelect(2, 4);
    QTRY_VERIFY(w.comboTaille->isVisible());
    QCOMPARE(w.comboTaille->currentText(), expectedSize);
    QCOMPARE(w.comboPolice->currentText(), faceFollows ? face : startingFace);
    QCOMPARE(activated.count(), 0);
    QVERIFY(m_captions->formatControlsArmed());
}

void TestCaptionCommands::formatButtons_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("before"); // "b", "i", "^" or "_" over [2, 4) first
    QTest::addColumn<Steps>("buttons");
    QTest::addColumn<QString>("expected");

    const QString f = kArial10;
    QTest::newRow("2 bold") << 3 << 4 << QString() << Steps{2} << f + u"Bon<b>jour</b></font>"_qs;
    QTest::newRow("0 italic") << 3 << 4 << QString() << Steps{0} << f + u"Bon<i>jour</i></font>"_qs;
    QTest::newRow("1 underline") << 3 << 4 << QString() << Steps{1}
                                 << f + u"Bon<u>jour</u></font>"_qs;
    QTest::newRow("3 strike") << 0 << 3 << QString() << Steps{3} << f + u"<s>Bon</s>jour</font>"_qs;
    QTest::newRow("4 superscript")
        << 3 << 4 << QString() << Steps{4} << f + u"Bon<sup>jour</sup></font>"_qs;
    QTest::newRow("5 subscript") << 3 << 4 << QString() << Steps{5}
                                 << f + u"Bon<sub>jour</sub></font>"_qs;
    QTest::newRow("second press on the remembered selection undoes")
        << 3 << 4 << QString() << Steps{2, 2} << f + u"Bonjour</font>"_qs;
    QTest::newRow("two styles on the remembered selection")
        << 3 << 4 << QString() << Steps{2, 0} << f + u"Bon<b><i>jour</b></i></font>"_qs;
    QTest::newRow("superscript on subscript is neither")
        << 3 << 4 << QString() << Steps{5, 4} << f + u"Bonjour</font>"_qs;
    QTest::newRow("subscript on superscript is neither")
        << 3 << 4 << QString() << Steps{4, 5} << f + u"Bonjour</font>"_qs;
    QTest::newRow("subscript twice is plain again")
        << 3 << 4 << QString() << Steps{5, 5} << f + u"Bonjour</font>"_qs;
    QTest::newRow("partly bold becomes all bold")
        << 1 << 4 << u"b"_qs << Steps{2} << f + u"B<b>onjo</b>ur</font>"_qs;
    QTest::newRow("partly bold, second press clears all")
        << 1 << 4 << u"b"_qs << Steps{2, 2} << f + u"Bonjour</font>"_qs;
    QTest::newRow("bold first character, rest plain: all bold")
        << 2 << 4 << u"b"_qs << Steps{2} << f + u"Bo<b>njou</b>r</font>"_qs;
    QTest::newRow("superscript first character, rest plain: all superscript")
        << 2 << 4 << u"^"_qs << Steps{4} << f + u"Bo<sup>njou</sup>r</font>"_qs;
    QTest::newRow("all bold becomes plain")
        << 2 << 2 << u"b"_qs << Steps{2} << f + u"Bonjour</font>"_qs;
    QTest::newRow("partly italic, bold untouched elsewhere")
        << 3 << 3 << u"i"_qs << Steps{0} << f + u"Bo<i>njou</i>r</font>"_qs;
    QTest::newRow("partly superscript becomes all superscript")
        << 1 << 4 << u"^"_qs << Steps{4} << f + u"B<sup>onjo</sup>ur</font>"_qs;
    QTest::newRow("partly subscript, superscript button takes its own")
        << 1 << 4 << u"_"_qs << Steps{4} << f + u"B<sup>onjo</sup>ur</font>"_qs;
    QTest::newRow("unknown index formats nothing")
        << 3 << 4 << QString() << Steps{9} << f + u"Bonjour</font>"_qs;
}

void TestCaptionCommands::formatButtons()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, before);
    QFETCH(Steps, buttons);
    QFETCH(QString, expected);
    FrmPrincipal &w = *m_window;

    if (!before.isEmpty()) {
        select(2, 2);
        if (before == u"b")
            m_editor->setBold(true);
        else if (before == u"i")
            m_editor->setItalic(true);
        else
            m_editor->setCharOffset(before == u"^" ? 40 : -40);
    }
    select(start, length);
    w.project.saved = true;
    for (const int k : buttons) {
        if (k < int(w.cmdRich.size()))
            w.cmdRich[std::size_t(k)]->click();
        else
            m_commands->formatClicked(k);
        QCOMPARE(m_editor->selectionLength(), 0); // the conversion leaves nothing selected
    }
    QCOMPARE(caption(), expected);
    QCOMPARE(w.project.slideLines[0], expected);
    QVERIFY(!w.project.saved);
    QCOMPARE(m_editor->plainText(), u"Bonjour"_qs);
}

void TestCaptionCommands::doubleOffsetIsPlainWhenShownAgain()
{
    FrmPrincipal &w = *m_window;
    select(3, 4);
    w.cmdRich[5]->click();
    w.cmdRich[4]->click();
    select(3, 4);
    QCOMPARE(m_editor->charOffset(), 80);
    const QString line = caption();
    QCOMPARE(line, kArial10 + u"Bonjour</font>"_qs);

    // Showing the slide again: another caption first, so that the field changes.
    m_captions->showCaption(QString());
    m_captions->showCaption(line);
    QCOMPARE(m_editor->plainText(), u"Bonjour"_qs);
    select(3, 4);
    QCOMPARE(m_editor->charOffset(), 0);
}

void TestCaptionCommands::listsApplyToTheRememberedSelection_data()
{
    QTest::addColumn<bool>("sizeList");
    QTest::addColumn<bool>("armed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("size") << true << true
                          << kArial10 + u"Bon"_qs + u"</font>"_qs
            + fontStart(u"Arial"_qs, u"7"_qs, u"#000000"_qs) + u"jour</font>"_qs;
    QTest::newRow("font") << false << true
                          << kArial10 + u"Bon"_qs + u"</font>"_qs
            + fontStart(u"Courier New"_qs, u"2"_qs, u"#000000"_qs) + u"jour</font>"_qs;
    QTest::newRow("size while disarmed") << true << false << QString();
    QTest::newRow("font while disarmed") << false << false << QString();
}

void TestCaptionCommands::listsApplyToTheRememberedSelection()
{
    QFETCH(bool, sizeList);
    QFETCH(bool, armed);
    QFETCH(QString, expected);
    FrmPrincipal &w = *m_window;

    // A format button remembers the selection; the conversion then empties it.
    select(3, 4);
    w.cmdRich[1]->click();
    w.cmdRich[1]->click();
    QCOMPARE(m_editor->selectionLength(), 0);
    const QString before = caption();

    m_captions->setFormatControlsArmed(armed);
    if (sizeList)
        emit w.comboTaille->textActivated(u"20"_qs);
    else
        emit w.comboPolice->textActivated(u"Courier New"_qs);
    QCOMPARE(caption(), armed ? expected : before);
}

void TestCaptionCommands::colourChosenThenReapplied()
{
    FrmPrincipal &w = *m_window;
    select(3, 4);
    m_pickedColour = QColor(255, 0, 0);
    w.cmdRich[6]->click();

    QCOMPARE(m_commands->lastColour(), u"#FF0000"_qs);
    const QString red = fontStart(u"Arial"_qs, u"2"_qs, u"#FF0000"_qs);
    QCOMPARE(caption(), kArial10 + u"Bon</font>"_qs + red + u"jour</font>"_qs);
    QCOMPARE(iconColour(w.cmdRich[8]), QColor(255, 0, 0));

    // The next selection shows button 8, which applies the colour without the picker.
    dragSelect(0, 2);
    QTRY_VERIFY(w.cmdRich[8]->isVisible());
    w.cmdRich[8]->click();
    QCOMPARE(m_pickerUses, 1);
    QCOMPARE(caption(),
             red + u"Bo</font>"_qs + kArial10 + u"n</font>"_qs + red + u"jour</font>"_qs);
}

void TestCaptionCommands::colourCancelledChangesNothing()
{
    FrmPrincipal &w = *m_window;
    m_pickedColour = QColor(0, 255, 0);
    w.cmdRich[6]->click(); // a colour chosen and the caption stored once
    const QString before = caption();
    w.project.saved = true;

    select(3, 4);
    m_pickedColour.reset();
    w.cmdRich[6]->click();

    QCOMPARE(m_commands->lastColour(), QString());
    QCOMPARE(caption(), before);
    QVERIFY(w.project.saved);
    // No conversion ran: the selection is still there, and button 8 has no colour to apply.
    QCOMPARE(m_editor->selectionStart(), 3);
    QCOMPARE(m_editor->selectionLength(), 4);
    QCOMPARE(m_editor->colour(), 0u);
    w.cmdRich[8]->click();
    QCOMPARE(caption(), before);
    QCOMPARE(m_editor->selectionLength(), 4);
}

void TestCaptionCommands::undoEmptiesTheCaption()
{
    FrmPrincipal &w = *m_window;
    w.project.currentSlide = 0;
    w.project.slideLines[0] = u"ancienne"_qs;
    w.project.saved = true;
    select(3, 4);
    w.cmdRich[7]->click();

    QCOMPARE(m_editor->plainText(), QString());
    const QString line = caption();
    QVERIFY2(line.startsWith(u"<font face='"_qs) && line.endsWith(u" color='#FFFFFF'></font>"_qs),
             qPrintable(line));
    QCOMPARE(line.count(u"<font"_qs), 1);
    QCOMPARE(w.project.slideLines[0], line);
    QVERIFY(!w.project.saved);

    // What is typed next is white.
    w.richtxtTexteInfo->setFocus();
    QTest::keyClicks(w.richtxtTexteInfo, u"neuf"_qs);
    QCOMPARE(m_editor->plainText(), u"neuf"_qs);
    select(1, 2);
    QCOMPARE(m_editor->colour(), 0xFFFFFFu);
}

void TestCaptionCommands::copyThenPasteKeepsFormatting()
{
    FrmPrincipal &w = *m_window;
    select(3, 4);
    m_editor->setBold(true);
    m_editor->setColour(0x0000FF); // red
    m_editor->setFontSize(14);
    select(0, 7);
    w.Copier->trigger();

    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    QVERIFY(data->hasFormat(u"text/rtf"_qs));
    QVERIFY(data->hasFormat(u"application/rtf"_qs));
    QCOMPARE(data->data(u"text/rtf"_qs), data->text().toLatin1());
    QVERIFY(data->text().startsWith(u"{\\rtf1"_qs));

    const QString before = caption();
    select(7, 0);
    w.Coller->trigger();
    QCOMPARE(m_editor->plainText(), u"BonjourBonjour"_qs);
    QCOMPARE(caption(), before); // pasting stores nothing by itself

    m_captions->storeCaption();
    const QString bold = fontStart(u"Arial"_qs, u"4"_qs, u"#FF0000"_qs);
    // Font runs come before style switches, so the bold ends after the next font start.
    QCOMPARE(caption(),
             kArial10 + u"Bon</font>"_qs + bold + u"<b>jour</font>"_qs + kArial10
                 + u"</b>Bon</font>"_qs + bold + u"<b>jour</b></font>"_qs);
}

void TestCaptionCommands::copyOfNothingLeavesTheClipboard()
{
    QGuiApplication::clipboard()->setText(u"déjà là"_qs);
    select(2, 0);
    m_window->Copier->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), u"déjà là"_qs);
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasFormat(u"text/rtf"_qs));
}

void TestCaptionCommands::paste_data()
{
    QTest::addColumn<QString>("mime"); // empty: plain text only
    QTest::addColumn<QByteArray>("rich");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("emptyClipboard");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<QString>("expectedCaption");

    const QString f = kArial10;
    const QByteArray bold = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20\\b gras\\par}";
    QTest::newRow("plain text takes the replaced text's look")
        << QString() << QByteArray() << u"salut"_qs << false << u"Bonsalut"_qs
        << f + u"Bonsalut</font>"_qs;
    QTest::newRow("plain text with a line break")
        << QString() << QByteArray() << u"a\nb"_qs << false << u"Bona\r\nb"_qs
        << f + u"Bona<br>b</font>"_qs;
    QTest::newRow("RTF as the rich-text format")
        << u"text/rtf"_qs << bold << u"ignored"_qs << false << u"Bongras"_qs
        << f + u"Bon<b>gras</b></font>"_qs;
    QTest::newRow("RTF under its other name") << u"application/rtf"_qs << bold << QString() << false
                                              << u"Bongras"_qs << f + u"Bon<b>gras</b></font>"_qs;
    QTest::newRow("RTF in the plain text")
        << QString() << QByteArray() << QString::fromLatin1(bold) << false << u"Bongras"_qs
        << f + u"Bon<b>gras</b></font>"_qs;
    QTest::newRow("rich format that is not RTF falls back to the text")
        << u"text/rtf"_qs << QByteArray("garbage") << u"texte"_qs << false << u"Bontexte"_qs
        << f + u"Bontexte</font>"_qs;
    QTest::newRow("Windows-1252 bytes of a word processor")
        << u"text/rtf"_qs
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 \\'e9t\\'e9 \xe0}")
        << QString() << false << u"Bonété à"_qs << f + u"Bonété à</font>"_qs;
    QTest::newRow("empty clipboard removes the selection")
        << QString() << QByteArray() << QString() << true << u"Bon"_qs << f + u"Bon</font>"_qs;
}

void TestCaptionCommands::paste()
{
    QFETCH(QString, mime);
    QFETCH(QByteArray, rich);
    QFETCH(QString, text);
    QFETCH(bool, emptyClipboard);
    QFETCH(QString, expectedText);
    QFETCH(QString, expectedCaption);

    if (emptyClipboard) {
        QGuiApplication::clipboard()->clear();
    } else {
        auto *data = new QMimeData;
        if (!mime.isEmpty())
            data->setData(mime, rich);
        if (!text.isNull())
            data->setText(text);
        QGuiApplication::clipboard()->setMimeData(data);
    }
    select(3, 4);
    m_window->Coller->trigger();
    QCOMPARE(m_editor->plainText(), expectedText);
    m_captions->storeCaption();
    QCOMPARE(caption(), expectedCaption);
}

void TestCaptionCommands::rightButtonOpensTheMenu_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("opens");
    QTest::newRow("right button, project open") << true << int(Qt::RightButton) << true;
    QTest::newRow("right button, no project") << false << int(Qt::RightButton) << false;
    QTest::newRow("left button") << true << int(Qt::LeftButton) << false;
}

void TestCaptionCommands::rightButtonOpensTheMenu()
{
    QFETCH(bool, loaded);
    QFETCH(int, button);
    QFETCH(bool, opens);
    FrmPrincipal &w = *m_window;

    w.project.loaded = loaded;
    select(1, 3);
    QWidget *viewport = w.richtxtTexteInfo->viewport();
    const QPoint at(10, 8);
    QTest::mousePress(viewport, Qt::MouseButton(button), {}, at);
    QCOMPARE(w.CopierColler->isVisible(), opens);
    if (opens) {
        QCOMPARE(w.CopierColler->pos(), viewport->mapToGlobal(at));
        QCOMPARE(m_editor->selectionLength(), 3); // the selection stays for Copier
        w.CopierColler->hide();
    }
    QTest::mouseRelease(viewport, Qt::MouseButton(button), {}, at);
}

QTEST_MAIN(TestCaptionCommands)
#include "tst_captioncommands.moc"
