#include "app/frmprincipal.h"
#include "app/picturebutton.h"
#include "editor/slidepicture.h"
#include "project/projectstorage.h"
#include "support/scriptedplatform.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

namespace {

// The member behind each name, so that a control found by its objectName is
// also the one the feature code reaches through the window.
QObject *member(FrmPrincipal &w, const QString &name, int index)
{
    const QHash<QString, QObject *> single = {
        {"imgFichier", w.imgFichier},       {"imgNew", w.imgNew},
        {"imgSave", w.imgSave},             {"imgVisual", w.imgVisual},
        {"imgHelp", w.imgHelp},             {"imgInfo", w.imgInfo},
        {"imgQuitter", w.imgQuitter},       {"imgDelete", w.imgDelete},
        {"imgAjouter", w.imgAjouter},       {"imgChangeDiapo", w.imgChangeDiapo},
        {"imgSaveSous", w.imgSaveSous},     {"imgVisuHTML", w.imgVisuHTML},
        {"imgModele", w.imgModele},         {"imgChangerFond", w.imgChangerFond},
        {"imgCapturer", w.imgCapturer},     {"imgDidact", w.imgDidact},
        {"imgVisionneuse", w.imgVisionneuse}, {"imgDiapo", w.imgDiapo},
        {"imageArea", w.imageArea},         {"lblBarre", w.lblBarre},
        {"Label1", w.Label1},               {"Label2", w.Label2},
        {"lblNomDiapo", w.lblNomDiapo},     {"lblNbDiapo", w.lblNbDiapo},
        {"lblTag", w.lblTag},               {"txtEntete", w.txtEntete},
        {"txtNumDiapo", w.txtNumDiapo},     {"lblLargeur", w.lblLargeur},
        {"lblLongueur", w.lblLongueur},     {"richtxtTexteInfo", w.richtxtTexteInfo},
        {"txtTexteInfo", w.txtTexteInfo},   {"comboPolice", w.comboPolice},
        {"comboTaille", w.comboTaille},     {"cmdFinaliser", w.cmdFinaliser},
        {"cmdChangerModele", w.cmdChangerModele}, {"CopierColler", w.CopierColler},
        {"Copier", w.Copier},               {"Coller", w.Coller},
    };
    if (name == QLatin1String("lblDiapo"))
        return w.lblDiapo.at(index);
    if (name == QLatin1String("cmdDiapo"))
        return w.cmdDiapo.at(index);
    if (name == QLatin1String("cmdRich"))
        return w.cmdRich.at(index);
    return single.value(name);
}

QList<QObject *> findNamed(FrmPrincipal &w, const QString &name, int index)
{
    QList<QObject *> found;
    const QList<QObject *> all = w.findChildren<QObject *>(name);
    for (QObject *object : all) {
        const QVariant property = object->property("index");
        if (index < 0 ? !property.isValid() : property == QVariant(index))
            found.append(object);
    }
    return found;
}

QString shownText(QObject *control, const QString &role)
{
    if (role == QLatin1String("caption")) {
        if (auto *label = qobject_cast<QLabel *>(control))
            return label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            return button->text();
        if (auto *line = qobject_cast<QLineEdit *>(control))
            return line->text();
        if (auto *menu = qobject_cast<QMenu *>(control))
            return menu->title();
        if (auto *action = qobject_cast<QAction *>(control))
            return action->text();
        return QStringLiteral("<no caption>");
    }
    if (auto *widget = qobject_cast<QWidget *>(control))
        return widget->toolTip();
    return QStringLiteral("<no tooltip>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every file under a folder with its content, for before/after comparisons.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    for (const QString &name : names)
        files.insert(name, readFile(dir.filePath(name)));
    return files;
}

QImage pictureOf(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

double meanLightness(const QPixmap &pixmap)
{
    const QImage image = pictureOf(pixmap);
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) > 200) {
                sum += qGray(pixel);
                ++count;
            }
        }
    return count ? sum / count : 0;
}

double luminance(QColor c)
{
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

class TestFrmPrincipal : public QObject
{
    Q_OBJECT

private:
    ScriptedPlatform m_platform;
    QTemporaryDir m_appDir;
    QTemporaryDir m_backupRoot;
    std::unique_ptr<FrmPrincipal> m_window;

    PictureButton *button(const QString &name)
    {
        return m_window->findChild<PictureButton *>(name);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_appDir.isValid() && m_backupRoot.isValid());
        m_window = std::make_unique<FrmPrincipal>(m_platform, m_appDir.path(), m_backupRoot.path());
        // The buttons are pressed here for their look alone: the commands the
        // feature folders hook to them are theirs to test.
        const QList<PictureButton *> buttons = m_window->findChildren<PictureButton *>();
        for (PictureButton *b : buttons)
            disconnect(b, nullptr, nullptr, nullptr);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void controlsCarryNamesAndTexts_data();
    void controlsCarryNamesAndTexts();
    void startUpValues();
    void fontListsStartAsGiven();
    void formatControlsHiddenAtStartUp_data();
    void formatControlsHiddenAtStartUp();
    void formatButtonFaces_data();
    void formatButtonFaces();
    void formatColumnStandsInOneColumn();
    void windowFillsTheScreen();
    void spritesArePairsOfDistinctPictures();
    void buttonsShowNormalPictureAfterStartUp_data();
    void buttonsShowNormalPictureAfterStartUp();
    void releaseActsWhereverThePointerIs_data();
    void releaseActsWhereverThePointerIs();
    void keyboardActivates_data();
    void keyboardActivates();
    void captureButtonKeepsItsDesignPictureUntilUsed();
    void backgroundTileCoversTheWindow();
    void missingBackgroundStillGivesATile();
    void captionEditorReadsInWhiteAndBlack();
    void closingRevertsOnlyAnOpenProject_data();
    void closingRevertsOnlyAnOpenProject();
};

void TestFrmPrincipal::controlsCarryNamesAndTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("role");   // caption, tooltip, or "" for no text
    QTest::addColumn<QString>("text");

    const auto row = [](const char *tag, const char *name, int index, const char *kind,
                        const char *role, const QString &text) {
        QTest::newRow(tag) << QString::fromLatin1(name) << index << QString::fromLatin1(kind)
                           << QString::fromLatin1(role) << text;
    };
    row("imgFichier", "imgFichier", -1, "PictureButton", "tooltip", "Ouvrir un diaporama existant");
    row("imgNew", "imgNew", -1, "PictureButton", "tooltip", "Créer un nouveau diaporama");
    row("imgSave", "imgSave", -1, "PictureButton", "tooltip", "Enregistrer");
    row("imgVisual", "imgVisual", -1, "PictureButton", "tooltip", "Créer et visualiser dans le navigateur");
    row("imgHelp", "imgHelp", -1, "PictureButton", "tooltip", "Aide");
    row("imgInfo", "imgInfo", -1, "PictureButton", "tooltip", "Info");
    row("imgQuitter", "imgQuitter", -1, "PictureButton", "tooltip", "Quitter");
    row("imgDelete", "imgDelete", -1, "PictureButton", "tooltip", "Supprimer la diapo");
    row("imgAjouter", "imgAjouter", -1, "PictureButton", "tooltip", "Ajouter une diapo ( à la fin )");
    row("imgChangeDiapo", "imgChangeDiapo", -1, "PictureButton", "tooltip", "Changer l'image de la diapo");
    row("imgSaveSous", "imgSaveSous", -1, "PictureButton", "tooltip", "Enregistrer sous...");
    row("imgVisuHTML", "imgVisuHTML", -1, "PictureButton", "tooltip", "Visualise un fichier HTML créé");
    row("imgModele", "imgModele", -1, "PictureButton", "tooltip", "Restaurer le modèle par défaut");
    row("imgChangerFond", "imgChangerFond", -1, "PictureButton", "tooltip", "Changer le fond d'un diaporama");
    row("imgCapturer", "imgCapturer", -1, "PictureButton", "tooltip", "Capturer une image");
    row("imgDidact", "imgDidact", -1, "PictureButton", "tooltip", "Didacticiel");
    row("imgVisionneuse", "imgVisionneuse", -1, "PictureButton", "tooltip", "Visionneuse de diapositives");
    row("imgDiapo", "imgDiapo", -1, "SlidePicture", "", "");
    row("imageArea", "imageArea", -1, "QScrollArea", "", "");
    row("lblBarre", "lblBarre", -1, "QLabel", "", "");
    row("Label1", "Label1", -1, "QLabel", "", "");
    row("Label2", "Label2", -1, "QLabel", "", "");
    row("lblDiapo 0", "lblDiapo", 0, "QLabel", "caption", "Nom du diaporama : ");
    row("lblDiapo 1", "lblDiapo", 1, "QLabel", "caption", "Nombre de diapositives :");
    row("lblNomDiapo", "lblNomDiapo", -1, "QLabel", "", "");
    row("lblNbDiapo", "lblNbDiapo", -1, "QLabel", "", "");
    row("lblTag", "lblTag", -1, "QLabel", "caption", "Entete du diaporama :");
    row("txtEntete", "txtEntete", -1, "QLineEdit", "", "");
    row("txtNumDiapo", "txtNumDiapo", -1, "QLineEdit", "caption", "0");
    row("cmdDiapo 0", "cmdDiapo", 0, "QPushButton", "caption", "<<");
    row("cmdDiapo 1", "cmdDiapo", 1, "QPushButton", "caption", "<");
    row("cmdDiapo 2", "cmdDiapo", 2, "QPushButton", "caption", ">");
    row("cmdDiapo 3", "cmdDiapo", 3, "QPushButton", "caption", ">>");
    row("lblLargeur", "lblLargeur", -1, "QLabel", "", "");
    row("lblLongueur", "lblLongueur", -1, "QLabel", "", "");
    row("richtxtTexteInfo", "richtxtTexteInfo", -1, "QTextEdit", "tooltip",
        "Commentaires accompagnant la diapositive");
    row("txtTexteInfo", "txtTexteInfo", -1, "QLineEdit", "", "");
    row("cmdRich 0", "cmdRich", 0, "QToolButton", "tooltip", "italiques");
    row("cmdRich 1", "cmdRich", 1, "QToolButton", "tooltip", "souligné");
    row("cmdRich 2", "cmdRich", 2, "QToolButton", "tooltip", "gras");
    row("cmdRich 3", "cmdRich", 3, "QToolButton", "tooltip", "barré");
    row("cmdRich 4", "cmdRich", 4, "QToolButton", "tooltip", "exposant");
    row("cmdRich 5", "cmdRich", 5, "QToolButton", "tooltip", "indice");
    row("cmdRich 6", "cmdRich", 6, "QToolButton", "tooltip", "couleur du texte");
    row("cmdRich 7", "cmdRich", 7, "QToolButton", "tooltip", "UNDO");
    row("cmdRich 8", "cmdRich", 8, "QToolButton", "tooltip", "couleur du texte");
    row("comboPolice", "comboPolice", -1, "QComboBox", "tooltip", "Nom de la police");
    row("comboTaille", "comboTaille", -1, "QComboBox", "tooltip", "Taille de la police");
    row("cmdFinaliser", "cmdFinaliser", -1, "QPushButton", "tooltip", "Finaliser le diaporama");
    row("cmdChangerModele", "cmdChangerModele", -1, "QPushButton", "tooltip", "Choisir un nouveau modèle");
    row("CopierColler", "CopierColler", -1, "QMenu", "caption", "CopierColler");
    row("Copier", "Copier", -1, "QAction", "caption", "Copier");
    row("Coller", "Coller", -1, "QAction", "caption", "Coller");
}

void TestFrmPrincipal::controlsCarryNamesAndTexts()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QString, kind);
    QFETCH(QString, role);
    QFETCH(QString, text);

    const QList<QObject *> found = findNamed(*m_window, name, index);
    QCOMPARE(found.size(), 1);
    QObject *control = found.first();
    QCOMPARE(control, member(*m_window, name, index));
    QVERIFY2(control->inherits(kind.toLatin1()), control->metaObject()->className());
    if (!role.isEmpty())
        QCOMPARE(shownText(control, role), text);
    // Picture buttons and icon-only buttons are announced by their tooltip.
    if (role == QLatin1String("tooltip") && control->inherits("QAbstractButton"))
        QCOMPARE(static_cast<QWidget *>(control)->accessibleName(), text);
}

void TestFrmPrincipal::startUpValues()
{
    const FrmPrincipal &w = *m_window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Lumivue 2.1"));
    QVERIFY(w.project.saved);
    QVERIFY(w.project.htmlGenerated);
    QVERIFY(!w.project.loaded);
    QVERIFY(w.slideNumberArmed);
    QVERIFY(w.formatControlsArmed);
    QCOMPARE(w.lastColour, QString());
    QCOMPARE(w.displayWidthLimit, 600);
    QCOMPARE(w.displayHeightLimit, 350);
    QCOMPARE(w.savedCaptureLeft, -999);
    QCOMPARE(w.savedCaptureTop, -999);
    QCOMPARE(w.openTags, QStringList({"<i>", "<u>", "<b>", "<s>", "<sup>", "<sub>"}));
    QCOMPARE(w.closeTags, QStringList({"</i>", "</u>", "</b>", "</s>", "</sup>", "</sub>"}));
    const QMenu *menu = w.CopierColler;
    QCOMPARE(menu->actions(), QList<QAction *>({w.Copier, w.Coller}));
}

void TestFrmPrincipal::fontListsStartAsGiven()
{
    const QComboBox *sizes = m_window->comboTaille;
    QStringList items;
    for (int i = 0; i < sizes->count(); ++i)
        items << sizes->itemText(i);
    QCOMPARE(items, QStringList({"8", "10", "12", "14", "16", "18", "20"}));
    QCOMPARE(sizes->currentText(), QStringLiteral("10"));

    const QComboBox *fonts = m_window->comboPolice;
    QCOMPARE(fonts->currentText(), QStringLiteral("MS Sans Serif"));
    QStringList listed;
    for (int i = 0; i < fonts->count(); ++i)
        listed << fonts->itemText(i);
    const QStringList families = QFontDatabase::families();
    QVERIFY(!families.isEmpty());
    QCOMPARE(listed.size(), families.size());
    QCOMPARE(QSet<QString>(listed.begin(), listed.end()),
             QSet<QString>(families.begin(), families.end()));
}

void TestFrmPrincipal::formatControlsHiddenAtStartUp_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    for (int i = 0; i < 9; ++i)
        QTest::addRow("cmdRich %d", i) << QStringLiteral("cmdRich") << i;
    QTest::newRow("comboPolice") << QStringLiteral("comboPolice") << -1;
    QTest::newRow("comboTaille") << QStringLiteral("comboTaille") << -1;
}

void TestFrmPrincipal::formatControlsHiddenAtStartUp()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    auto *control = qobject_cast<QWidget *>(member(*m_window, name, index));
    QVERIFY(control);
    QVERIFY(control->isHidden());
    QVERIFY(!control->isVisible());
}

void TestFrmPrincipal::formatButtonFaces_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("struck");
    QTest::addColumn<bool>("picture");
    QTest::newRow("italic") << 0 << "i" << true << false << false << false << false;
    QTest::newRow("underline") << 1 << "s" << false << true << false << false << false;
    QTest::newRow("bold") << 2 << "g" << false << false << true << false << false;
    QTest::newRow("strikethrough") << 3 << "b" << false << false << false << true << false;
    QTest::newRow("superscript") << 4 << "exp" << false << false << false << false << false;
    QTest::newRow("subscript") << 5 << "ind" << false << false << false << false << false;
    QTest::newRow("colour") << 6 << "" << false << false << false << false << true;
    QTest::newRow("clear") << 7 << "" << false << false << false << false << true;
    QTest::newRow("last colour") << 8 << "" << false << false << false << false << true;
}

void TestFrmPrincipal::formatButtonFaces()
{
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(bool, bold);
    QFETCH(bool, struck);
    QFETCH(bool, picture);
    const QToolButton *button = m_window->cmdRich[index];
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->font().italic(), italic);
    QCOMPARE(button->font().underline(), underline);
    QCOMPARE(button->font().bold(), bold);
    QCOMPARE(button->font().strikeOut(), struck);
    QCOMPARE(!button->icon().isNull(), picture);
}

void TestFrmPrincipal::formatColumnStandsInOneColumn()
{
    // Geometry is laid out even for hidden buttons that keep their place.
    const auto &rich = m_window->cmdRich;
    for (int i = 1; i <= 7; ++i) {
        QCOMPARE(rich[i]->x(), rich[0]->x());
        QVERIFY2(rich[i]->y() >= rich[i - 1]->y() + rich[i - 1]->height(), qPrintable(QString::number(i)));
    }
    QCOMPARE(rich[8]->y(), rich[6]->y());
    QVERIFY(rich[8]->x() >= rich[6]->x() + rich[6]->width());
}

void TestFrmPrincipal::windowFillsTheScreen()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QTRY_COMPARE(m_window->geometry(), screen);
    QVERIFY(m_window->isFullScreen());
    QCOMPARE(m_window->lblBarre->width(), screen.width());
    QCOMPARE(m_window->Label2->width(), screen.width());
    QCOMPARE(m_window->Label1->height(), screen.height());
    QVERIFY(m_window->Label1->isVisible());
}

void TestFrmPrincipal::spritesArePairsOfDistinctPictures()
{
    const QList<QPixmap> &sprites = m_window->imgSprite;
    QCOMPARE(sprites.size(), 36);
    QList<QImage> normals;
    for (int i = 0; i < sprites.size(); i += 2) {
        QVERIFY(!sprites[i].isNull() && !sprites[i + 1].isNull());
        QCOMPARE(sprites[i].deviceIndependentSize(), sprites[i + 1].deviceIndependentSize());
        QVERIFY2(pictureOf(sprites[i]) != pictureOf(sprites[i + 1]), qPrintable(QString::number(i)));
        // A pressed key is darker than the same key at rest.
        QVERIFY2(meanLightness(sprites[i + 1]) < meanLightness(sprites[i]) - 10,
                 qPrintable(QString::number(i)));
        const QImage normal = pictureOf(sprites[i]);
        QVERIFY2(!normals.contains(normal), qPrintable(QString::number(i)));
        normals.append(normal);
    }
}

void TestFrmPrincipal::buttonsShowNormalPictureAfterStartUp_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("normal");
    const std::pair<const char *, int> buttons[] = {
        {"imgFichier", 0},      {"imgNew", 2},        {"imgSave", 4},      {"imgVisual", 6},
        {"imgHelp", 8},         {"imgInfo", 10},      {"imgQuitter", 12},  {"imgDelete", 14},
        {"imgAjouter", 16},     {"imgChangeDiapo", 20}, {"imgSaveSous", 22}, {"imgVisuHTML", 24},
        {"imgModele", 26},      {"imgChangerFond", 28}, {"imgCapturer", 30}, {"imgDidact", 32},
        {"imgVisionneuse", 34},
    };
    for (const auto &[name, normal] : buttons)
        QTest::newRow(name) << QString::fromLatin1(name) << normal;
}

void TestFrmPrincipal::buttonsShowNormalPictureAfterStartUp()
{
    QFETCH(QString, name);
    QFETCH(int, normal);
    PictureButton *b = button(name);
    QVERIFY(b);
    const QList<QPixmap> &sprites = m_window->imgSprite;
    QCOMPARE(pictureOf(b->normalPicture()), pictureOf(sprites[normal]));
    QCOMPARE(pictureOf(b->pressedPicture()), pictureOf(sprites[normal + 1]));
    if (name != QLatin1String("imgCapturer"))
        QCOMPARE(pictureOf(b->shownPicture()), pictureOf(sprites[normal]));

    QSignalSpy spy(b, &PictureButton::released);
    QTest::mousePress(b, Qt::LeftButton, {}, b->rect().center());
    QCOMPARE(pictureOf(b->shownPicture()), pictureOf(sprites[normal + 1]));
    QCOMPARE(spy.count(), 0);
    QTest::mouseRelease(b, Qt::LeftButton, {}, b->rect().center());
    QCOMPARE(pictureOf(b->shownPicture()), pictureOf(sprites[normal]));
    QCOMPARE(spy.count(), 1);
}

void TestFrmPrincipal::releaseActsWhereverThePointerIs_data()
{
    QTest::addColumn<int>("mouseButton");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QPoint>("releaseAt");   // relative to the button
    QTest::newRow("left, released far outside")
        << int(Qt::LeftButton) << int(Qt::NoModifier) << QPoint(600, 400);
    QTest::newRow("left, released above the window")
        << int(Qt::LeftButton) << int(Qt::NoModifier) << QPoint(-20, -500);
    QTest::newRow("right with control, released on a neighbour")
        << int(Qt::RightButton) << int(Qt::ControlModifier) << QPoint(60, 20);
    QTest::newRow("middle with shift and alt, released outside")
        << int(Qt::MiddleButton) << int(Qt::ShiftModifier | Qt::AltModifier) << QPoint(-300, 200);
    QTest::newRow("left with shift, released inside")
        << int(Qt::LeftButton) << int(Qt::ShiftModifier) << QPoint(5, 5);
}

void TestFrmPrincipal::releaseActsWhereverThePointerIs()
{
    QFETCH(int, mouseButton);
    QFETCH(int, modifiers);
    QFETCH(QPoint, releaseAt);
    PictureButton *b = m_window->imgAjouter;
    const auto mouse = Qt::MouseButton(mouseButton);
    const auto keys = Qt::KeyboardModifiers(modifiers);
    const QImage normal = pictureOf(m_window->imgSprite[16]);
    const QImage pressed = pictureOf(m_window->imgSprite[17]);

    // The action must find the normal picture already back.
    QList<QImage> shownWhenActing;
    connect(b, &PictureButton::released, this,
            [&] { shownWhenActing.append(pictureOf(b->shownPicture())); });
    QTest::mousePress(b, mouse, keys, b->rect().center());
    QCOMPARE(pictureOf(b->shownPicture()), pressed);
    QVERIFY(shownWhenActing.isEmpty());
    QTest::mouseRelease(b, mouse, keys, releaseAt);
    QCOMPARE(shownWhenActing.size(), 1);
    QCOMPARE(shownWhenActing.first(), normal);
    QCOMPARE(pictureOf(b->shownPicture()), normal);
    disconnect(b, &PictureButton::released, this, nullptr);
}

void TestFrmPrincipal::keyboardActivates_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("actions");
    QTest::newRow("space") << int(Qt::Key_Space) << 1;
    QTest::newRow("return") << int(Qt::Key_Return) << 1;
    QTest::newRow("enter") << int(Qt::Key_Enter) << 1;
    QTest::newRow("letter does nothing") << int(Qt::Key_A) << 0;
}

void TestFrmPrincipal::keyboardActivates()
{
    QFETCH(int, key);
    QFETCH(int, actions);
    PictureButton *b = m_window->imgVisual;
    QVERIFY(b->focusPolicy() & Qt::TabFocus);
    QVERIFY(!(b->focusPolicy() & Qt::ClickFocus));   // clicking keeps the editor's focus
    b->setFocus(Qt::TabFocusReason);
    QSignalSpy spy(b, &PictureButton::released);
    QTest::keyPress(b, Qt::Key(key));
    QCOMPARE(pictureOf(b->shownPicture()), pictureOf(m_window->imgSprite[actions ? 7 : 6]));
    QCOMPARE(spy.count(), 0);
    QTest::keyRelease(b, Qt::Key(key));
    QCOMPARE(spy.count(), actions);
    QCOMPARE(pictureOf(b->shownPicture()), pictureOf(m_window->imgSprite[6]));
}

void TestFrmPrincipal::captureButtonKeepsItsDesignPictureUntilUsed()
{
    FrmPrincipal fresh(m_platform, m_appDir.path(), m_backupRoot.path());
    PictureButton *capture = fresh.imgCapturer;
    disconnect(capture, nullptr, nullptr, nullptr);
    const QImage design = pictureOf(capture->shownPicture());
    QVERIFY(!design.isNull());
    QVERIFY(design != pictureOf(fresh.imgSprite[30]));
    QVERIFY(design != pictureOf(fresh.imgSprite[31]));
    QCOMPARE(capture->shownPicture().deviceIndependentSize(),
             fresh.imgSprite[30].deviceIndependentSize());

    QTest::mousePress(capture, Qt::LeftButton);
    QCOMPARE(pictureOf(capture->shownPicture()), pictureOf(fresh.imgSprite[31]));
    QTest::mouseRelease(capture, Qt::LeftButton);
    QCOMPARE(pictureOf(capture->shownPicture()), pictureOf(fresh.imgSprite[30]));
}

void TestFrmPrincipal::backgroundTileCoversTheWindow()
{
    // A tile of four flat quarters, so that each pixel of the window's
    // background tells which part of which tile was drawn there.
    QTemporaryDir appDir;
    const QColor quarters[2][2] = {{QColor(200, 30, 30), QColor(30, 200, 30)},
                                   {QColor(30, 30, 200), QColor(220, 220, 40)}};
    QImage tile(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x)
            tile.setPixelColor(x, y, quarters[y / 15][x / 20]);
    QVERIFY(tile.save(appDir.filePath("imgFond.jpg"), "JPG", 100));

    FrmPrincipal w(m_platform, appDir.path() + "/", m_backupRoot.path());
    QCOMPARE(w.appDir(), appDir.path());
    QCOMPARE(w.imgFond.deviceIndependentSize().toSize(), tile.size());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QImage shot = w.grab().toImage();
    const qreal ratio = shot.devicePixelRatio();

    // Sample the margin between the left edge bar and the slide panel, from
    // below the toolbar to above the status band, at the quarters' centres.
    const QWidget *slidePanel = w.findChild<QWidget *>(QStringLiteral("slidePanel"));
    QVERIFY(slidePanel);
    int checked = 0;
    for (int y = w.lblBarre->height() + 1; y < w.Label2->y(); ++y) {
        for (int x = w.Label1->width() + 1; x < slidePanel->x(); ++x) {
            const int u = x % 40, v = y % 30;
            if ((u % 20) != 10 || (v % 15) != 7)
                continue;
            const QColor got = shot.pixelColor(QPoint(x, y) * ratio);
            const QColor want = quarters[v / 15][u / 20];
            QVERIFY2(std::abs(got.red() - want.red()) < 30 && std::abs(got.green() - want.green()) < 30
                         && std::abs(got.blue() - want.blue()) < 30,
                     qPrintable(QStringLiteral("at %1,%2").arg(x).arg(y)));
            ++checked;
        }
    }
    QVERIFY2(checked >= 10, qPrintable(QString::number(checked)));
}

void TestFrmPrincipal::missingBackgroundStillGivesATile()
{
    QTemporaryDir emptyAppDir;
    FrmPrincipal w(m_platform, emptyAppDir.path(), m_backupRoot.path());
    QVERIFY(!w.imgFond.isNull());
    QVERIFY(w.imgFond.width() > 0 && w.imgFond.height() > 0);
}

void TestFrmPrincipal::captionEditorReadsInWhiteAndBlack()
{
    QTextEdit *editor = m_window->richtxtTexteInfo;
    const QImage shot = editor->viewport()->grab().toImage();
    const QColor background = shot.pixelColor(shot.width() / 2, shot.height() / 2);
    QVERIFY2(contrast(background, Qt::white) >= 3.0, qPrintable(background.name()));
    QVERIFY2(contrast(background, Qt::black) >= 3.0, qPrintable(background.name()));
}

void TestFrmPrincipal::closingRevertsOnlyAnOpenProject_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("throughQuit");
    QTest::addColumn<bool>("reverted");
    QTest::newRow("open project, window closed") << true << false << true;
    QTest::newRow("no project, window closed") << false << false << false;
    QTest::newRow("open project, quit command") << true << true << false;
}

void TestFrmPrincipal::closingRevertsOnlyAnOpenProject()
{
    QFETCH(bool, loaded);
    QFETCH(bool, throughQuit);
    QFETCH(bool, reverted);

    // A saved project of two slides with its backup set, then unsaved work:
    // the project file rewritten and a third slide's image added.
    QTemporaryDir projectDir, backupRoot;
    const QString base = projectDir.filePath(QStringLiteral("Vacances"));
    writeFile(base + ".lmv", "saved project\r\n");
    writeFile(base + ".htm", "<html>saved</html>");
    writeFile(base + ".js", "var saved;");
    writeFile(base + "0.gif", "GIF89a slide 0");
    writeFile(base + "1.jpg", "JFIF slide 1");
    ScriptedPlatform platform;
    FrmPrincipal w(platform, m_appDir.path(), backupRoot.path());
    SlideshowProject &p = w.project;
    p.name = QStringLiteral("Vacances");
    p.folder = projectDir.path();
    p.updateBasePath();
    p.slideCount = 2;
    p.imageTypes[0] = QStringLiteral(".gif");
    p.imageTypes[1] = QStringLiteral(".jpg");
    QCOMPARE(ProjectStorage(p, backupRoot.path()).TakeBackup(), ProjectStorage::BackupResult::Complete);
    const QMap<QString, QByteArray> savedProject = snapshot(projectDir.path());
    const QMap<QString, QByteArray> savedBackup = snapshot(backupRoot.path());

    writeFile(base + ".lmv", "unsaved project\r\n");
    writeFile(base + "2.jpg", "JFIF slide 2");
    p.imageTypes[2] = QStringLiteral(".jpg");
    p.slideCount = 3;
    p.saved = false;
    p.loaded = loaded;
    const QMap<QString, QByteArray> unsavedProject = snapshot(projectDir.path());

    w.show();
    if (throughQuit)
        w.closeWithoutRevert();
    else
        QVERIFY(w.close());
    QVERIFY(!w.isVisible());

    if (reverted) {
        QCOMPARE(snapshot(projectDir.path()), savedProject);
        QVERIFY(!QFile::exists(base + ".lmv.tmp"));
    } else {
        QCOMPARE(snapshot(projectDir.path()), unsavedProject);
        QCOMPARE(snapshot(backupRoot.path()), savedBackup);
    }
    QCOMPARE(platform.messages.size(), 0);   // no question is ever asked
}

QTEST_MAIN(TestFrmPrincipal)
#include "tst_frmprincipal.moc"
