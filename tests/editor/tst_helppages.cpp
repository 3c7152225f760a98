#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QUrl>

// The help pages shipped in the application folder: every page a help button
// opens is there and is real help, and every link and picture of the help,
// the tutorial and the examples leads to a file of the folder (and to an
// anchor that exists), so that no page ever shows a broken link or picture.
class TestHelpPages : public QObject
{
    Q_OBJECT
private slots:
    void buttonPageIsRealHelp_data();
    void buttonPageIsRealHelp();
    void linksResolve_data();
    void linksResolve();
    void everyPageReachableFromContents();
};

namespace {

QString appData() { return QDir::cleanPath(qEnvironmentVariable("LUMIVUE_APPDATA")); }

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Every page of the help folders, the tutorial and the examples, relative to
// the application folder.
QStringList helpPages()
{
    QStringList pages;
    for (const char *folder : {"Aide", "Aide_Contextuelle", "AideCapture", "Exemples"}) {
        QDirIterator it(appData() + QLatin1Char('/') + QLatin1String(folder), {QStringLiteral("*.htm")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            pages.append(QDir(appData()).relativeFilePath(it.next()));
    }
    pages.sort();
    return pages;
}

// The files a page or stylesheet refers to: href and src attributes and
// url(...) in styles, without their anchor; external addresses left out.
struct Reference
{
    QString file;    // cleaned path relative to the application folder
    QString anchor;  // "" when none
    QString written;
};

QList<Reference> references(const QString &relativePath)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"re((?:\b(?:href|src)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))|url\(\s*['"]?([^'")]+)['"]?\s*\))re"),
        QRegularExpression::CaseInsensitiveOption);
    const QString text = readText(appData() + QLatin1Char('/') + relativePath);
    const QString folder = QFileInfo(relativePath).path();
    QList<Reference> found;
    for (auto it = pattern.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        QString written;
        for (int group = 1; group <= 4 && written.isEmpty(); ++group)
            written = match.captured(group);
        const QUrl url(written);
        if (!url.scheme().isEmpty() || written.startsWith(QLatin1String("//")))
            continue;   // http:, mailto:, javascript: and the like
        const QString target = url.path(QUrl::FullyDecoded);
        const QString file = target.isEmpty()
                                 ? relativePath
                                 : QDir::cleanPath(folder + QLatin1Char('/') + target);
        found.append({file, url.fragment(QUrl::FullyDecoded), written});
    }
    return found;
}

} // namespace

void TestHelpPages::buttonPageIsRealHelp_data()
{
    // The page each help button of the program opens.
    QTest::addColumn<QString>("page");
    for (const char *page : {"Aide/AideCD.htm", "Exemples/Didacticiel.htm",
                             "Aide_Contextuelle/AjouterImage.htm", "Aide_Contextuelle/ChangerImage.htm",
                             "Aide_Contextuelle/OuvrirProjet.htm", "Aide_Contextuelle/EnregistrerSous.htm",
                             "Aide_Contextuelle/ChangerFond.htm", "Aide_Contextuelle/ChangerModele.htm",
                             "Aide_Contextuelle/CouleurTexte.htm", "Aide_Contextuelle/Vision.htm",
                             "AideCapture/index.htm"})
        QTest::newRow(page) << QString::fromLatin1(page);
}

void TestHelpPages::buttonPageIsRealHelp()
{
    QFETCH(QString, page);
    const QString text = readText(appData() + QLatin1Char('/') + page);
    QVERIFY2(!text.isEmpty(), "missing or empty");

    bool styled = false;
    for (const Reference &reference : references(page))
        styled = styled || reference.file == QLatin1String("Aide/aide.css");
    QVERIFY2(styled, "does not use the common stylesheet");

    // Real help, not a placeholder: a title and a few hundred words.
    QVERIFY(text.contains(QLatin1String("<h1>")));
    QString words = text;
    words.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    const qsizetype count = words.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size();
    QVERIFY2(count >= 250, qPrintable(QString::number(count) + QStringLiteral(" words")));
}

void TestHelpPages::linksResolve_data()
{
    QTest::addColumn<QString>("page");
    const QStringList pages = helpPages();
    QVERIFY(!pages.isEmpty());
    for (const QString &page : pages)
        QTest::newRow(qPrintable(page)) << page;
}

void TestHelpPages::linksResolve()
{
    QFETCH(QString, page);
    QList<Reference> toCheck = references(page);
    // Stylesheets are followed once, for the pictures they name.
    for (const Reference &reference : references(page)) {
        if (reference.file.endsWith(QLatin1String(".css")))
            toCheck += references(reference.file);
    }
    for (const Reference &reference : std::as_const(toCheck)) {
        const QString what = reference.written + QStringLiteral(" -> ") + reference.file;
        QVERIFY2(!reference.file.startsWith(QLatin1String("..")), qPrintable(what + QStringLiteral(" leaves the folder")));
        QVERIFY2(QFileInfo(appData() + QLatin1Char('/') + reference.file).isFile(),
                 qPrintable(what + QStringLiteral(" is missing")));
        if (!reference.anchor.isEmpty() && reference.file.endsWith(QLatin1String(".htm"))) {
            const QString target = readText(appData() + QLatin1Char('/') + reference.file);
            QVERIFY2(target.contains(QStringLiteral("id=\"%1\"").arg(reference.anchor)),
                     qPrintable(what + QStringLiteral(" has no anchor #") + reference.anchor));
        }
    }
}

void TestHelpPages::everyPageReachableFromContents()
{
    QSet<QString> reached{QStringLiteral("Aide/AideCD.htm")};
    QStringList queue{QStringLiteral("Aide/AideCD.htm")};
    while (!queue.isEmpty()) {
        for (const Reference &reference : references(queue.takeFirst())) {
            if (reference.file.endsWith(QLatin1String(".htm")) && !reached.contains(reference.file)) {
                reached.insert(reference.file);
                queue.append(reference.file);
            }
        }
    }
    for (const QString &page : helpPages())
        QVERIFY2(reached.contains(page), qPrintable(page + QStringLiteral(" has no link leading to it")));
}

QTEST_GUILESS_MAIN(TestHelpPages)
#include "tst_helppages.moc"
