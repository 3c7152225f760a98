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
    } else if (!parser.positionalArguments().isEmpty()) {
        result.action = Action::Invalid;
        result.text = QStringLiteral("Argument inattendu / Unexpected argument: %1")
                          .arg(parser.positionalArguments().constFirst());
    }
    if (result.action == Action::Invalid)
        result.text += QStringLiteral("\nVoir / See: %1 --help\n").arg(program);
    return result;
}
