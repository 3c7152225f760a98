#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

// The help shipped in the application folder: every page a help button opens
// is there, and every link and picture of the help, the tutorial and the
// examples leads to a file of the folder (and to an anchor that exists).
class TestHelpPages : public QObject
{
    Q_OBJECT
private slots:
    void buttonPagesExist();
    void linksResolve_data();
    void linksResolve();
};

namespace {

QString appData(const QString &relative = {})
{
    return QDir::cleanPath(qEnvironmentVariable("LUMIVUE_APPDATA") + QLatin1Char('/') + relative);
}

QString readText(const QString &relative)
{
    QFile file(appData(relative));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

struct Reference
{
    QString file;   // relative to the application folder
    QString anchor; // "" when none
    QString written;
};

// What a page or stylesheet refers to with href, src and url(...);
// addresses with a scheme (http:, mailto:...) left out.
QList<Reference> references(const QString &relative)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"re((?:\b(?:href|src)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))|url\(\s*['"]?([^'")]+)['"]?\s*\))re"),
        QRegularExpression::CaseInsensitiveOption);
    QList<Reference> found;
    for (auto it = pattern.globalMatch(readText(relative)); it.hasNext();) {
        const auto match = it.next();
        QString written;
        for (int group = 1; group <= 4 && written.isEmpty(); ++group)
            written = match.captured(group);
        const QUrl url(written);
        if (!url.scheme().isEmpty() || written.startsWith(QLatin1String("//")))
            continue;
        const QString target = url.path(QUrl::FullyDecoded);
        found.append({target.isEmpty() ? relative : QDir::cleanPath(QFileInfo(relative).path() + '/' + target),
                      url.fragment(QUrl::FullyDecoded), written});
    }
    return found;
}

} // namespace

void TestHelpPages::buttonPagesExist()
{
    for (const char *page : {"Aide/AideCD.htm", "Exemples/Didacticiel.htm", "AideCapture/index.htm",
                             "Aide_Contextuelle/AjouterImage.htm", "Aide_Contextuelle/ChangerImage.htm",
                             "Aide_Contextuelle/OuvrirProjet.htm", "Aide_Contextuelle/EnregistrerSous.htm",
                             "Aide_Contextuelle/ChangerFond.htm", "Aide_Contextuelle/ChangerModele.htm",
                             "Aide_Contextuelle/CouleurTexte.htm", "Aide_Contextuelle/Vision.htm"})
        QVERIFY2(readText(page).contains(QLatin1String("<h1>")), page);
}

void TestHelpPages::linksResolve_data()
{
    QTest::addColumn<QString>("page");
    for (const char *folder : {"Aide", "Aide_Contextuelle", "AideCapture", "Exemples"}) {
        QDirIterator it(appData(folder), {QStringLiteral("*.htm")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString page = QDir(appData()).relativeFilePath(it.next());
            QTest::newRow(qPrintable(page)) << page;
        }
    }
}

void TestHelpPages::linksResolve()
{
    QFETCH(QString, page);
    QList<Reference> toCheck = references(page);
    for (const Reference &reference : references(page)) // stylesheets, for the pictures they name
        if (reference.file.endsWith(QLatin1String(".css")))
            toCheck += references(reference.file);
    for (const Reference &reference : std::as_const(toCheck)) {
        const QString what = reference.written + QStringLiteral(" -> ") + reference.file;
        QVERIFY2(!reference.file.startsWith(QLatin1String("..")) && QFileInfo(appData(reference.file)).isFile(),
                 qPrintable(what + QStringLiteral(" is missing")));
        if (!reference.anchor.isEmpty() && reference.file.endsWith(QLatin1String(".htm")))
            QVERIFY2(readText(reference.file).contains(QStringLiteral("id=\"%1\"").arg(reference.anchor)),
                     qPrintable(what + QStringLiteral(" has no anchor #") + reference.anchor));
    }
}

QTEST_GUILESS_MAIN(TestHelpPages)
#include "tst_helppages.moc"
