#include "app/commandline.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>

CommandLine CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lumivue : diaporamas d'images pour le navigateur web.\n"
                       "Lumivue: picture slideshows for the web browser."));
    // Declared by hand rather than with addHelpOption(), for a French text
    // and no Qt-specific options.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Affiche cette aide. / Shows this help."));
    parser.addOption(help);
    const QCommandLineOption generate(
        QStringLiteral("generate"),
        QStringLiteral(
            "Crée la page, le script et le son du diaporama du projet FICHIER.lmv dans son "
            "dossier, sans fenêtre ni navigateur ; un projet nommé Nouveau est refusé. "
            "Codes de sortie : 0 créé, 3 fichier introuvable, 4 pas un projet, 5 projet "
            "Nouveau, 6 modèle absent ou incomplet, 7 son absent, 8 dossier non modifiable. / "
            "Writes the slideshow page, script and sound of project FILE.lmv into its folder, "
            "without a window or a browser; a project named Nouveau is refused. Exit codes: "
            "0 written, 3 no such file, 4 not a project, 5 project Nouveau, 6 template missing "
            "or incomplete, 7 sound missing, 8 folder not writable."),
        QStringLiteral("FICHIER.lmv"));
    parser.addOption(generate);
    parser.addPositionalArgument(
        QStringLiteral("FICHIER.lmv"),
        QStringLiteral("Ouvre ce projet au démarrage. / Opens this project at start."),
        QStringLiteral("[FICHIER.lmv]"));

    const QString program = arguments.isEmpty() ? QStringLiteral("lumivue")
                                                : QFileInfo(arguments.constFirst()).fileName();
    CommandLine result;
    if (!parser.parse(arguments)) {
        result.action = Action::Invalid;
        result.text = parser.errorText();
    } else if (parser.isSet(help)) {
        result.action = Action::ShowHelp;
        // Without an application object the parser cannot know the program's name.
        result.text = parser.helpText().replace(QStringLiteral("<executable_name>"), program);
        return result;
    } else if (parser.isSet(generate) && parser.positionalArguments().isEmpty()) {
        result.action = Action::Generate;
        result.projectFile = parser.value(generate);
    } else if (parser.positionalArguments().size() == 1 && !parser.isSet(generate)) {
        // Started from a file manager with a project file.
        result.projectFile = parser.positionalArguments().constFirst();
    } else if (!parser.positionalArguments().isEmpty()) {
        result.action = Action::Invalid;
        result.text = QStringLiteral("Argument inattendu / Unexpected argument: %1")
                          .arg(parser.positionalArguments().constLast());
    }
    if (result.action == Action::Invalid)
        result.text += QStringLiteral("\nVoir / See: %1 --help\n").arg(program);
    return result;
}
