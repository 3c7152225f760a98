#include "project/replacementjournal.h"
#include "project/textfile.h"
#include "support/tempfolder.h"

#include <QTest>

// A record left in the backup root that names files Lumivue did not make is
// never acted on: the next start deletes only the record.
class TestReplacementJournal : public QObject
{
    Q_OBJECT

private slots:
    void foreignRecordTouchesNothing_data()
    {
        QTest::addColumn<QString>("phase");
        QTest::addColumn<QString>("staging"); // relative to the folder, "" for none
        QTest::addColumn<QString>("target");  // relative to the folder
        QTest::newRow("StagingIsAUserFolder") << "ready" << "photos" << "Voyage.lmv";
        QTest::newRow("StagingIsAUserFolderBeingWritten") << "writing" << "photos" << "";
        QTest::newRow("StagingIsALinkToAUserFolder") << "writing" << "copie/.lumivue-Lk12Cd" << "";
        QTest::newRow("TargetOutsideTheStagingFolder")
            << "ready" << "copie/.lumivue-Ab12Cd" << "photos/Voyage.lmv";
        QTest::newRow("TargetBelowTheStagingFolder")
            << "writing" << "copie/.lumivue-Ab12Cd" << "copie/.lumivue-Ab12Cd/Voyage.lmv";
        QTest::newRow("RelativeTarget") << "writing" << "" << "../Voyage.lmv";
        QTest::newRow("UnknownPhase") << "done" << "copie/.lumivue-Ab12Cd" << "copie/Voyage.lmv";
    }
    void foreignRecordTouchesNothing()
    {
        QFETCH(QString, phase);
        QFETCH(QString, staging);
        QFETCH(QString, target);
        TempFolder folder, backupRoot;
        folder.write({{"photos/Voyage.lmv", "a user's file"},
                      {"photos/.Voyage.lmv.remplacement", "a user's hidden file"},
                      {"copie/.lumivue-Ab12Cd/Voyage.lmv", "a user's file"},
                      {"copie/.Voyage.lmv.remplacement", "a user's hidden file"}});
        QVERIFY(QFile::link(folder.path("photos"), folder.path("copie/.lumivue-Lk12Cd")));
        const Files before = folder.snapshot();
        const auto absolute = [&](const QString &p) {
            return p.isEmpty() || p.startsWith("..") ? p : folder.path(p);
        };
        QStringList record{phase, "saveas", folder.path("copie/Voyage"), absolute(staging)};
        if (!target.isEmpty())
            record << absolute(target);
        QVERIFY(TextFile::writeLines(backupRoot.path("aaaa.journal"), record));

        const auto recovered = ReplacementJournal::recover(backupRoot.path());
        QCOMPARE(recovered.outcome, ReplacementJournal::Outcome::Refused);
        QCOMPARE(folder.snapshot(), before);
        QCOMPARE(backupRoot.snapshot(), Files{});
        QVERIFY(ReplacementJournal::message(recovered).contains("sans toucher à aucun fichier"));
    }
};

QTEST_GUILESS_MAIN(TestReplacementJournal)
#include "tst_replacementjournal.moc"
