#include "captions/captionclipboard.h"
#include "captions/captioncommands.h"
#include "captions/captioncontroller.h"
#include "captions/fontnames.h"
#include "captions/richtextadapter.h"
#include "captiontools.h"
#include "project/slideshowproject.h"
#include "support/scriptedplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

using Steps = QList<int>;

namespace {

QString font(const char *size, const char *colour = "#000000", const char *face = "Arial")
{
    return QStringLiteral("<font face='%1' size='%2' color='%3'>").arg(face, size, colour);
}

const QString arial = font("2");

// The controls the commands work on, named as in the main window.
struct CaptionWindow : QWidget
{
    SlideshowProject project;
    QTextEdit *richtxtTexteInfo = new QTextEdit(this);
    QLineEdit *txtTexteInfo = new QLineEdit(this);
    std::array<QToolButton *, 9> cmdRich{};
    QComboBox *comboPolice = new QComboBox(this);
    QComboBox *comboTaille = new QComboBox(this);
    QMenu *CopierColler = new QMenu(this);
    QAction *Copier = CopierColler->addAction("Copier");
    QAction *Coller = CopierColler->addAction("Coller");

    CaptionWindow()
    {
        auto *layout = new QVBoxLayout(this);
        layout->setSizeConstraint(QLayout::SetNoConstraint); // showing controls never resizes
        QList<QWidget *> controls{richtxtTexteInfo, txtTexteInfo, comboPolice, comboTaille};
        for (QToolButton *&button : cmdRich)
            controls << (button = new QToolButton(this));
        for (QWidget *control : controls) // the format controls start hidden
            layout->addWidget(control), control->setVisible(controls.indexOf(control) < 2);
        comboPolice->addItems(FontNames::screenFamilies());
        comboTaille->addItems({"8", "10", "12", "14", "16", "18", "20"});
    }
};

// Which format controls show, as "01234567 8 TP" with '-' for a hidden one.
QString shown(const CaptionWindow &w)
{
    QString out;
    for (std::size_t k = 0; k < 8; ++k)
        out += w.cmdRich[k]->isVisible() ? QChar(u'0' + int(k)) : QChar(u'-');
    out += w.cmdRich[8]->isVisible() ? " 8" : " -";
    out += w.comboTaille->isVisible() ? " T" : " -";
    out += w.comboPolice->isVisible() ? "P" : "-";
    return out;
}

} // namespace

// The commands on the main window's controls, with a colour picker that
// answers what the test says.
class TestCaptionCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QFile css(m_dir.filePath("u.css"));
        QVERIFY(css.open(QIODevice::WriteOnly) && css.write("b { text-decoration: underline }"));
    }

    void init()
    {
        m_window = std::make_unique<CaptionWindow>();
        CaptionWindow &w = *m_window;
        m_captions = std::make_unique<CaptionController>(
            CaptionController::Controls{w.richtxtTexteInfo, w.txtTexteInfo}, w.project);
        m_commands = std::make_unique<CaptionCommands>(
            CaptionCommands::Controls{w.richtxtTexteInfo, w.txtTexteInfo, w.cmdRich, w.comboPolice,
                                      w.comboTaille, w.CopierColler, w.Copier, w.Coller},
            w.project, *m_captions, m_platform, [this] {
                ++m_pickerUses;
                return m_pickedColour;
            });
        m_pickedColour.reset();
        m_pickerUses = 0;
        m_platform.messages.clear();
        m_editor = std::make_unique<RichTextAdapter>(w.richtxtTexteInfo);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // "Bonjour" in Arial 10 black, a loaded project, nothing selected.
        w.project.loaded = true;
        m_editor->setPlainText("Bonjour");
        applyFormatRecipe(*m_editor, "0,7,face=Arial;size=10;colour=0|7,0,");
    }

    void cleanup()
    {
        m_editor.reset();
        m_commands.reset();
        m_captions.reset();
        m_window.reset();
        QGuiApplication::clipboard()->clear();
    }

    void mouseReleaseShowsOrHides_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("colourChosen");
        QTest::addColumn<bool>("startShown"); // controls shown by an earlier selection
        QTest::addColumn<int>("to");          // drag from 0 to here; 0 is a click
        QTest::addColumn<QString>("expected");
        QTest::newRow("selection shows 0-7 and the lists")
            << true << false << false << 4 << "01234567 - TP";
        QTest::newRow("with a colour chosen, 8 too")
            << true << true << false << 4 << "01234567 8 TP";
        QTest::newRow("click hides everything") << true << true << true << 0 << "-------- - --";
        QTest::newRow("no project: selection shows nothing")
            << false << true << false << 4 << "-------- - --";
    }

    void mouseReleaseShowsOrHides()
    {
        QFETCH(bool, loaded);
        QFETCH(bool, colourChosen);
        QFETCH(bool, startShown);
        QFETCH(int, to);
        QFETCH(QString, expected);
        CaptionWindow &w = *m_window;

        QCOMPARE(shown(w), "-------- - --"); // hidden at start-up
        if (colourChosen) {
            m_pickedColour = QColor(Qt::red);
            w.cmdRich[6]->click();
        }
        if (startShown) {
            dragSelect(0, 3);
            QTRY_COMPARE(shown(w), "01234567 8 TP");
        }
        w.project.loaded = loaded;
        const QString before = caption();
        dragSelect(0, to);
        QTRY_COMPARE(shown(w), expected);
        QVERIFY(m_captions->formatControlsArmed());
        QCOMPARE(caption(), before); // showing the controls formats nothing
    }

    void listsFollowTheSelection_data()
    {
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("listedFace");
        QTest::addColumn<QString>("expectedSize");
        QTest::newRow("listed size and face") << 14.0 << true << "14";
        QTest::newRow("face not in the list stays") << 20.0 << false << "20";
    }

    void listsFollowTheSelection()
    {
        QFETCH(double, size);
        QFETCH(bool, listedFace);
        QFETCH(QString, expectedSize);
        CaptionWindow &w = *m_window;
        const QString face = listedFace ? FontNames::screenFamilies().value(1)
                                        : "No Such Face Anywhere";
        const QString startingFace = w.comboPolice->currentText();
        select(2, 3);
        m_editor->setFontName(face);
        m_editor->setFontSize(size);
        select(7, 0); // a press inside a selection would drag it

        // Setting the lists to match applies nothing.
        QSignalSpy activated(w.comboTaille, &QComboBox::textActivated);
        dragSelect(2, 4);
        QTRY_VERIFY(w.comboTaille->isVisible());
        QCOMPARE(w.comboTaille->currentText(), expectedSize);
        QCOMPARE(w.comboPolice->currentText(), listedFace ? face : startingFace);
        QCOMPARE(activated.count(), 0);
    }

    void formatButtons_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("before"); // "0,2,b" style recipe applied first
        QTest::addColumn<Steps>("buttons");
        QTest::addColumn<QString>("expected");

        const QString a = arial;
        const auto row = [](const char *name, int start, int length, const QString &before,
                            const Steps &buttons, const QString &expected) {
            QTest::newRow(name) << start << length << before << buttons << expected + "</font>";
        };
        row("0 italic", 3, 4, "", {0}, a + "Bon<i>jour</i>");
        row("2 bold", 3, 4, "", {2}, a + "Bon<b>jour</b>");
        row("4 superscript", 3, 4, "", {4}, a + "Bon<sup>jour</sup>");
        row("5 subscript", 3, 4, "", {5}, a + "Bon<sub>jour</sub>");
        row("second press on the remembered selection undoes", 3, 4, "", {2, 2}, a + "Bonjour");
        row("two styles on the remembered selection", 3, 4, "", {2, 0},
            a + "Bon<b><i>jour</b></i>");
        row("superscript on subscript is neither", 3, 4, "", {5, 4}, a + "Bonjour");
        row("partly bold becomes all bold", 1, 4, "2,2,b", {2}, a + "B<b>onjo</b>ur");
        row("partly bold, second press clears all", 1, 4, "2,2,b", {2, 2}, a + "Bonjour");
        row("partly superscript becomes all superscript", 2, 4, "2,1,offset=40", {4},
            a + "Bo<sup>njou</sup>r");
        row("partly subscript, superscript takes its own", 1, 4, "2,2,offset=-40", {4},
            a + "B<sup>onjo</sup>ur");
        row("unknown index formats nothing", 3, 4, "", {9}, a + "Bonjour");
    }

    void formatButtons()
    {
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, before);
        QFETCH(Steps, buttons);
        QFETCH(QString, expected);
        CaptionWindow &w = *m_window;

        applyFormatRecipe(*m_editor, before);
        select(start, length);
        for (const int k : buttons) {
            if (k < int(w.cmdRich.size()))
                w.cmdRich[std::size_t(k)]->click();
            else
                m_commands->formatClicked(k);
            QCOMPARE(m_editor->selectionLength(), 0); // the conversion leaves nothing selected
        }
        QCOMPARE(caption(), expected);
        QCOMPARE(m_editor->plainText(), "Bonjour");
    }

    // A format button remembers the selection; the conversion then empties it,
    // and the lists apply to the remembered one, unless they are disarmed.
    void listsApplyToTheRememberedSelection()
    {
        CaptionWindow &w = *m_window;
        select(3, 4);
        w.cmdRich[1]->click();
        w.cmdRich[1]->click();
        const QString before = caption();
        m_captions->setFormatControlsArmed(false);
        emit w.comboPolice->textActivated("Courier New");
        QCOMPARE(caption(), before);
        m_captions->setFormatControlsArmed(true);
        emit w.comboTaille->textActivated("20");
        QCOMPARE(caption(), arial + "Bon</font>" + font("7") + "jour</font>");
    }

    void colourChosenThenReapplied()
    {
        CaptionWindow &w = *m_window;
        select(3, 4);
        m_pickedColour = QColor(255, 0, 0);
        w.cmdRich[6]->click();

        QCOMPARE(m_commands->lastColour(), "#FF0000");
        const QString red = font("2", "#FF0000");
        QCOMPARE(caption(), arial + "Bon</font>" + red + "jour</font>");
        const QImage face = w.cmdRich[8]->icon().pixmap(20, 20).toImage();
        QCOMPARE(face.pixelColor(10, 10), QColor(255, 0, 0));

        // The next selection shows button 8, which applies the colour without the picker.
        dragSelect(0, 2);
        QTRY_VERIFY(w.cmdRich[8]->isVisible());
        w.cmdRich[8]->click();
        QCOMPARE(m_pickerUses, 1);
        QCOMPARE(caption(), red + "Bo</font>" + arial + "n</font>" + red + "jour</font>");
    }

    void colourCancelledChangesNothing()
    {
        CaptionWindow &w = *m_window;
        m_pickedColour = QColor(0, 255, 0);
        w.cmdRich[6]->click(); // a colour chosen and the caption stored once
        const QString before = caption();
        w.project.saved = true;

        select(3, 4);
        m_pickedColour.reset();
        w.cmdRich[6]->click();
        QCOMPARE(m_commands->lastColour(), QString());
        // No conversion ran: the selection is still there, and button 8 has no colour to apply.
        w.cmdRich[8]->click();
        QCOMPARE(caption(), before);
        QVERIFY(w.project.saved);
        QCOMPARE(m_editor->selectionLength(), 4);
        QCOMPARE(m_editor->colour(), 0u);
    }

    void undoEmptiesTheCaption()
    {
        CaptionWindow &w = *m_window;
        w.project.slideLines[0] = "ancienne";
        w.project.saved = true;
        select(3, 4);
        w.cmdRich[7]->click();

        QCOMPARE(m_editor->plainText(), QString());
        const QString line = caption();
        QVERIFY2(line.startsWith("<font face='") && line.endsWith(" color='#FFFFFF'></font>"),
                 qPrintable(line));
        QCOMPARE(w.project.slideLines[0], line);
        QVERIFY(!w.project.saved);

        // What is typed next is white.
        w.richtxtTexteInfo->setFocus();
        QTest::keyClicks(w.richtxtTexteInfo, "neuf");
        select(1, 2);
        QCOMPARE(m_editor->colour(), 0xFFFFFFu);
    }

    void copyThenPasteKeepsFormatting_data()
    {
        QTest::addColumn<bool>("keys");
        QTest::newRow("Copier, Coller") << false;
        QTest::newRow("Ctrl+C, Ctrl+V") << true;
    }

    void copyThenPasteKeepsFormatting()
    {
        QFETCH(bool, keys);
        CaptionWindow &w = *m_window;
        const auto copy = [&] { keys ? type("Ctrl+C") : w.Copier->trigger(); };
        QGuiApplication::clipboard()->setText("déjà là");
        select(2, 0);
        copy(); // nothing selected: the clipboard stays
        QCOMPARE(QGuiApplication::clipboard()->text(), "déjà là");

        applyFormatRecipe(*m_editor, "3,4,b;colour=ff;size=14|0,7,");
        copy();
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data->hasFormat("text/rtf") && data->hasFormat("application/rtf"));
        QVERIFY(data->hasHtml());
        QCOMPARE(data->text(), "Bonjour");

        const QString before = caption();
        select(7, 0);
        keys ? type("Ctrl+V") : w.Coller->trigger();
        QCOMPARE(m_editor->plainText(), "BonjourBonjour");
        QCOMPARE(caption(), before); // pasting stores nothing by itself
        select(10, 1);               // the pasted "jour" kept its look
        QVERIFY(m_editor->bold());
        QCOMPARE(m_editor->fontSize(), 14.0);
    }

    void paste_data()
    {
        QTest::addColumn<QString>("mime"); // empty: plain text only
        QTest::addColumn<QByteArray>("rich");
        QTest::addColumn<QString>("text"); // null: none
        QTest::addColumn<QString>("expected");

        const QByteArray bold = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20\\b gras\\par}";
        const QString gras = arial + "Bon<b>gras</b></font>";
        const QString unchanged = arial + "Bonjour</font>";
        // clang-format off
        QTest::newRow("plain text takes the replaced text's look") << "" << QByteArray() << "salut" << arial + "Bonsalut</font>";
        QTest::newRow("RTF as the rich-text format") << "text/rtf" << bold << "ignored" << gras;
        QTest::newRow("Windows-1252 bytes of a word processor")
            << "text/rtf"
            << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 \\'e9t\\'e9 \xe0}")
            << QString() << arial + "Bonété à</font>";
        QTest::newRow("empty clipboard removes the selection") << "" << QByteArray() << QString() << arial + "Bon</font>";
        QTest::newRow("RTF code as plain text, as older clipboards hold it") << "" << QByteArray() << QString(bold) << gras;
        QTest::newRow("a browser's HTML: its text and the formats a caption holds")
            << "text/html"
            << QByteArray(
                   "<p><span style=\"color: rgb(255,0,0); font: 700 16px 'Nimbus Sans', serif; "
                   "background: red\">gras</span><i> et</i><p><a href=x><img src=x.png></a>"
                   "<sup>2</sup><p>")
            << "ignored"
            << arial + "Bon</font>" + font("3", "#FF0000", "Nimbus Sans") + "<b>gras</font>" + arial
                + "</b><i> et<br></i><sup>2</sup></font>";
        QTest::newRow("HTML reads no style sheet of the disk")
            << "text/html"
            << QStringLiteral(
                   "<head><link rel=stylesheet type=text/css href='%1'></head><b>gras</b>")
                   .arg(m_dir.filePath("u.css"))
                   .toUtf8()
            << QString() << gras;
        // Too long: nothing is pasted, a message says so.
        const qsizetype most = CaptionClipboard::MaxCharacters;
        QTest::newRow("plain text at the limit") << "" << QByteArray() << QString(most, 'a') << arial + "Bon" + QString(most, 'a') + "</font>";
        QTest::newRow("plain text over it") << "" << QByteArray() << QString(most + 1, 'a') << unchanged;
        QTest::newRow("RTF over it") << "text/rtf" << "{\\rtf1 " + QByteArray(most + 1, 'a') + "}" << QString() << unchanged;
        QTest::newRow("HTML too large to read") << "text/html" << "<b>a</b>" + QByteArray(CaptionClipboard::MaxBytes, ' ') << QString() << unchanged;
        // clang-format on
    }

    void paste()
    {
        QFETCH(QString, mime);
        QFETCH(QByteArray, rich);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        auto *data = new QMimeData;
        if (!mime.isEmpty())
            data->setData(mime, rich);
        if (!text.isNull())
            data->setText(text);
        QGuiApplication::clipboard()->setMimeData(data);
        select(3, 4);
        m_window->Coller->trigger();
        m_captions->storeCaption();
        QCOMPARE(caption(), expected);
        QCOMPARE(m_platform.titles(), expected.endsWith("Bonjour</font>") ? "ATTENTION" : "");
    }

    void undoBringsTheCaptionBack_data()
    {
        QTest::addColumn<bool>("clear"); // "UNDO" pressed
        QTest::newRow("UNDO, Ctrl+Z") << true;
        QTest::newRow("Ctrl+Z does not go back to the slide before") << false;
    }

    void undoBringsTheCaptionBack()
    {
        QFETCH(bool, clear);
        const QString line = arial + "Bon<b>jour</b></font>";
        m_captions->showCaption(line);
        if (clear)
            m_window->cmdRich[7]->click();
        type("Ctrl+Z");
        QCOMPARE(caption(), line); // what the editor shows again
    }

    void keyboardFormats_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("keys"); // key sequences, ';' between them
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("line");
        const QString four = "End, Shift+Left, Shift+Left, Shift+Left; Shift+Left";
        const QString all = "01234567 - TP", none = "-------- - --";
        QTest::newRow("Shift+arrows show the controls") << true << "Home, Shift+Right" << all << "";
        QTest::newRow("Ctrl+A shows them") << true << "Home; Ctrl+A" << all << "";
        QTest::newRow("a caret move hides them") << true << "Ctrl+A, Left" << none << "";
        QTest::newRow("Ctrl+B bolds the selection")
            << true << four + ", Ctrl+B" << all << arial + "Bon<b>jour</b></font>";
        QTest::newRow("Ctrl+I, Ctrl+U on the remembered selection")
            << true << four + ", Ctrl+I, Ctrl+U" << all << arial + "Bon<i><u>jour</i></u></font>";
        QTest::newRow("no project: nothing shows or formats")
            << false << four + ", Ctrl+B" << none << "";
    }

    void keyboardFormats()
    {
        QFETCH(bool, loaded);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        QFETCH(QString, line);
        m_window->project.loaded = loaded;
        for (const QString &sequence : keys.split(';'))
            type(sequence);
        QCOMPARE(shown(*m_window), expected);
        QCOMPARE(caption(), line);
    }

    void rightButtonOpensTheMenu()
    {
        CaptionWindow &w = *m_window;
        QWidget *viewport = w.richtxtTexteInfo->viewport();
        select(1, 3);
        for (const bool loaded : {false, true}) {
            w.project.loaded = loaded;
            QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(10, 8));
            QVERIFY(!w.CopierColler->isVisible());
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(10, 8));
            select(1, 3);
            QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(10, 8));
            QCOMPARE(w.CopierColler->isVisible(), loaded); // only with a project open
        }
        QCOMPARE(w.CopierColler->pos(), viewport->mapToGlobal(QPoint(10, 8)));
        QCOMPARE(m_editor->selectionLength(), 3); // the selection stays for Copier
        w.CopierColler->hide();
    }

private:
    void select(int start, int length) { m_editor->setSelection(start, length); }
    // A drag with the left button over the plain positions [from, to).
    void dragSelect(int from, int to);
    QString caption() const { return m_window->txtTexteInfo->text(); }
    void type(const QString &keys)
    {
        QTest::keySequence(m_window->richtxtTexteInfo, QKeySequence(keys.trimmed()));
    }

    ScriptedPlatform m_platform;
    QTemporaryDir m_dir; // a style sheet that underlines bold text
    std::unique_ptr<CaptionWindow> m_window;
    std::unique_ptr<RichTextAdapter> m_editor;
    std::unique_ptr<CaptionController> m_captions;
    std::unique_ptr<CaptionCommands> m_commands;
    std::optional<QColor> m_pickedColour; // what the colour picker answers
    int m_pickerUses = 0;
};

void TestCaptionCommands::dragSelect(int from, int to)
{
    QTextEdit *edit = m_window->richtxtTexteInfo;
    QWidget *viewport = edit->viewport();
    auto at = [edit](int position) {
        QTextCursor c(edit->document());
        c.setPosition(position);
        return edit->cursorRect(c).center();
    };
    QTest::mousePress(viewport, Qt::LeftButton, {}, at(from));
    QMouseEvent move(QEvent::MouseMove, at(to), viewport->mapToGlobal(at(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at(to));
    // The release rule runs once the release is through; let it run.
    QCoreApplication::processEvents();
}

QTEST_MAIN(TestCaptionCommands)
#include "tst_captioncommands.moc"
