#include "app/frenchapplication.h"

#include "platform/appinfo.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

void setUpFrenchApplication(QApplication &app)
{
    QApplication::setApplicationName(AppInfo::name());
    QApplication::setApplicationVersion(AppInfo::version());
    auto *qtFrench = new QTranslator(&app);
    if (qtFrench->load(QStringLiteral("qtbase_fr"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtFrench);
}
