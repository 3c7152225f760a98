#include "project/choosergrid.h"

#include "widgets/browsefolderlist.h"
#include "widgets/drivelist.h"
#include "widgets/helpbutton.h"
#include "widgets/patternfilelist.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLayout *titled(const QString &title, QWidget *widget)
{
    auto *column = new QVBoxLayout;
    column->setSpacing(4);
    auto *label = new QLabel(title);
    label->setBuddy(widget);
    column->addWidget(label);
    column->addWidget(widget, 1);
    return column;
}

} // namespace

ChooserGrid::ChooserGrid(QDialog *dialog, const AppContext &context, const QString &helpPage)
    : rows(new QVBoxLayout(dialog))
    , controls{named(new DriveList(dialog), "Drive1"),
               named(new BrowseFolderList(dialog), "Dir1"),
               named(new PatternFileList(QStringLiteral("*.lmv"), dialog), "File1"),
               named(new QPushButton(QStringLiteral("OK"), dialog), "cmdOK"),
               named(new QPushButton(QStringLiteral("Annuler"), dialog), "cmdAnnuler"),
               named(new HelpButton(context, helpPage, dialog), "cmdHelp")}
{
    const auto &[drives, folders, files, cmdOK, cmdAnnuler, cmdHelp] = controls;
    rows->setSpacing(10);
    auto *driveRow = new QHBoxLayout;
    auto *driveLabel = new QLabel(QStringLiteral("&Lecteur :"), dialog);
    driveLabel->setBuddy(drives);
    driveRow->addWidget(driveLabel);
    driveRow->addWidget(drives, 1);
    rows->addLayout(driveRow);

    auto *lists = new QHBoxLayout;
    lists->addLayout(titled(QStringLiteral("&Dossiers :"), folders), 3);
    lists->addLayout(titled(QStringLiteral("&Projets :"), files), 2);
    rows->addLayout(lists, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdAnnuler);
    rows->addLayout(buttons);
    cmdOK->setDefault(true);
    dialog->resize(640, 440);
}
