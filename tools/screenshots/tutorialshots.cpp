#include "tutorialshots.h"

#include "app/features.h"
#include "app/frmprincipal.h"
#include "editor/frmvisionneuse.h"
#include "editor/imagechooser.h"
#include "output/frmfondecran.h"
#include "project/frmsauversous.h"
#include "project/lifecyclecommands.h"
#include "widgets/patternfilelist.h"
#include "widgets/picturebutton.h"
#include "widgets/picturepreview.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>

namespace {

// The photo clicked in the add chooser, its caption, and the texture shown
// in the background chooser.
const QString kPhoto = QStringLiteral("plage.jpg");
const QString kPhotoCaption = QStringLiteral("Notre première baignade de l'été");
const QString kTexture = QStringLiteral("Bois.jpg");

// Lets the window lay itself out and paint before it is grabbed.
void settle(QWidget &window)
{
    if (!QTest::qWaitForWindowExposed(&window))
        QTextStream(stderr) << window.objectName() << " was never shown\n";
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The part of the window that holds the given controls, with a margin.
QRect around(const QWidget &window, std::initializer_list<const QWidget *> controls, int margin)
{
    QRect area;
    for (const QWidget *control : controls)
        if (control->isVisible())
            area |= QRect(control->mapTo(&window, QPoint(0, 0)), control->size());
    return area.adjusted(-margin, -margin, margin, margin) & window.rect();
}

} // namespace

TutorialShots::TutorialShots(FrmPrincipal &window, Features &features, const AppContext &context,
                             QString photoFolder, QString outputFolder)
    : m_window(window)
    , m_features(features)
    , m_context(context)
    , m_photoFolder(std::move(photoFolder))
    , m_outputFolder(std::move(outputFolder))
{
}

bool TutorialShots::run()
{
    settle(m_window);
    m_window.activateWindow();
    newSlideshow();
    saveAs();
    addSlide();
    background();
    // The example shows captions worth formatting and enough slides to sort.
    m_features.lifeCycle().lifeCycle().openFile(m_context.appDir
                                                + QStringLiteral("/Exemples/Paysages.lmv"));
    if (m_window.project.name != QLatin1String("Paysages"))
        fail(QStringLiteral("the example did not open"));
    caption();
    sorter();
    return m_ok;
}

void TutorialShots::newSlideshow()
{
    QTest::mouseClick(m_window.imgNew, Qt::LeftButton);
    if (!m_window.project.loaded || m_window.project.currentSlide != 0)
        fail(QStringLiteral("the slideshow Nouveau did not open"));
    settle(m_window);
    save(m_window.grab(), QStringLiteral("principale.png"));
}

void TutorialShots::saveAs()
{
    throughDialog(m_window.imgSaveSous, QStringLiteral("frmSauverSous"), [this](QDialog &dialog) {
        auto &saveAs = static_cast<FrmSauverSous &>(dialog);
        QTest::keyClicks(saveAs.nameBox, QStringLiteral("Vacances"));
        settle(saveAs);
        save(saveAs.grab(), QStringLiteral("enregistrer-sous.png"));
        saveAs.cmdOK->click();
    });
    if (m_window.project.name != QLatin1String("Vacances"))
        fail(QStringLiteral("the slideshow was not saved as Vacances"));
}

void TutorialShots::addSlide()
{
    throughDialog(m_window.imgAjouter, QStringLiteral("frmFichierImage"), [this](QDialog &dialog) {
        auto &chooser = static_cast<ImageChooser &>(dialog);
        chooser.setFolder(m_photoFolder);
        settle(chooser);
        const QList<QListWidgetItem *> found = chooser.File1->findItems(kPhoto, Qt::MatchExactly);
        if (found.isEmpty()) {
            fail(QStringLiteral("no %1 in the add chooser").arg(kPhoto));
        } else {
            chooser.File1->scrollToItem(found.first());
            QTest::mouseClick(chooser.File1->viewport(), Qt::LeftButton, {},
                              chooser.File1->visualItemRect(found.first()).center());
        }
        chooser.txtInfo->setFocus();
        // Typed over the proposed text; the accents are beyond QTest's keys.
        chooser.txtInfo->selectAll();
        chooser.txtInfo->insertPlainText(kPhotoCaption);
        settle(chooser);
        save(chooser.grab(), QStringLiteral("ajouter-diapo.png"));
        chooser.cmdStop->click();
    });
    if (m_window.project.slideCount != 2)
        fail(QStringLiteral("the photo was not added"));
}

void TutorialShots::background()
{
    // A slideshow that never had a background of its own.
    QFile::remove(QDir(m_window.project.folder).filePath(QStringLiteral("imgFond.jpg")));
    throughDialog(m_window.imgChangerFond, QStringLiteral("frmFondEcran"), [this](QDialog &dialog) {
        auto &chooser = static_cast<FrmFondEcran &>(dialog);
        const QList<QListWidgetItem *> found = chooser.textureFiles->findItems(kTexture,
                                                                               Qt::MatchExactly);
        if (found.isEmpty())
            fail(QStringLiteral("no texture %1").arg(kTexture));
        else
            chooser.textureScroll->setValue(chooser.textureFiles->row(found.first()));
        settle(chooser);
        save(chooser.grab(), QStringLiteral("fond.png"));
        chooser.cancelButton->click();
    });
}

void TutorialShots::caption()
{
    // A double click on the caption's first long word selects it, and the
    // format buttons come up as the mouse button is let go.
    QTextEdit *editor = m_window.richtxtTexteInfo;
    editor->setFocus();
    const QRegularExpressionMatch longWord =
        QRegularExpression(QStringLiteral("\\w{6,}")).match(editor->toPlainText());
    QTextCursor word(editor->document());
    word.setPosition(longWord.hasMatch() ? longWord.capturedStart() + 2 : 0);
    const QPoint inWord = editor->cursorRect(word).center();
    // As the mouse sends it: press, release, double click, release.
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, inWord);
    QTest::mouseDClick(editor->viewport(), Qt::LeftButton, {}, inWord);
    QTest::mouseRelease(editor->viewport(), Qt::LeftButton, {}, inWord);
    settle(m_window);
    if (!editor->textCursor().hasSelection() || !m_window.comboPolice->isVisible())
        fail(QStringLiteral("no word selected in the caption"));
    // The caption's top, as far down as the format buttons go.
    QRect area = around(m_window,
                        {m_window.comboPolice, m_window.comboTaille, m_window.cmdRich.front(),
                         m_window.cmdRich[7], m_window.cmdRich.back()},
                        12);
    area.setLeft(around(m_window, {editor}, 12).left());
    save(m_window.grab(area), QStringLiteral("legende.png"));
}

void TutorialShots::sorter()
{
    throughDialog(m_window.imgVisionneuse, QStringLiteral("frmVisionneuse"),
                  [this](QDialog &dialog) {
                      auto &sorter = static_cast<FrmVisionneuse &>(dialog);
                      settle(sorter);
                      QTest::mouseClick(sorter.imgVisio[1], Qt::LeftButton);
                      sorter.waitForDecodes();
                      settle(sorter);
                      if (!sorter.picInsertion.front()->isVisible())
                          fail(QStringLiteral("no insertion marker after the cut"));
                      save(sorter.grab(), QStringLiteral("visionneuse.png"));
                      sorter.cmdStop->click();
                  });
}

bool TutorialShots::throughDialog(QWidget *button, const QString &dialogName,
                                  const std::function<void(QDialog &)> &act)
{
    bool reached = false;
    QTimer watch;
    watch.setInterval(20);
    connect(&watch, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != dialogName || !dialog->isVisible())
            return;
        watch.stop();
        reached = true;
        act(*dialog);
        // A dialog left open would hold the run forever.
        if (dialog->isVisible())
            dialog->reject();
    });
    watch.start();
    QTest::mouseClick(button, Qt::LeftButton);
    watch.stop();
    if (!reached)
        fail(dialogName + QStringLiteral(" did not open"));
    return reached;
}

void TutorialShots::save(const QPixmap &picture, const QString &fileName)
{
    const QString path = QDir(m_outputFolder).filePath(fileName);
    if (!picture.save(path))
        fail(QStringLiteral("could not write ") + path);
    else
        QTextStream(stdout) << path << ": " << picture.width() << "×" << picture.height() << '\n';
}

void TutorialShots::fail(const QString &what)
{
    QTextStream(stderr) << "screenshots: " << what << '\n';
    m_ok = false;
}
