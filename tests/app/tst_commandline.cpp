#include "app/commandline.h"

#include <QTest>

Q_DECLARE_METATYPE(CommandLine::Action)

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CommandLine::Action>("action");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("textParts");
        using A = CommandLine::Action;
        QTest::newRow("NoArgument")
            << QStringList{"/usr/bin/lumivue"} << A::OpenWindow << 0 << QStringList{};
        QTest::newRow("LongHelp") << QStringList{"/usr/bin/lumivue", "--help"} << A::ShowHelp << 0
                                  << QStringList{"lumivue [options]", "--help", "Affiche", "Shows"};
        QTest::newRow("ShortHelp") << QStringList{"./lumivue", "-h"} << A::ShowHelp << 0
                                   << QStringList{"lumivue [options]", "navigateur", "browser"};
        QTest::newRow("UnknownOption") << QStringList{"lumivue", "--bogus"} << A::Invalid << 2
                                       << QStringList{"bogus", "lumivue --help"};
        QTest::newRow("StrayArgument") << QStringList{"lumivue", "fichier.lmv"} << A::Invalid << 2
                                       << QStringList{"fichier.lmv", "lumivue --help"};
        QTest::newRow("HelpWinsOverStray")
            << QStringList{"lumivue", "x", "--help"} << A::ShowHelp << 0 << QStringList{"--help"};
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, textParts);
        const CommandLine line = CommandLine::parse(arguments);
        QTEST(line.action, "action");
        QTEST(line.exitCode(), "exitCode");
        for (const QString &part : std::as_const(textParts))
            QVERIFY2(line.text.contains(part), qPrintable(line.text));
        QVERIFY(!line.text.contains("<executable_name>"));
        QCOMPARE(line.text.isEmpty(), textParts.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
