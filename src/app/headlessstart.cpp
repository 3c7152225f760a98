#include "app/headlessstart.h"

#include "app/appdirfill.h"
#include "app/appfolders.h"
#include "output/headlessgeneration.h"
#include "platform/appinfo.h"
#include "platform/consoleplatform.h"

namespace HeadlessStart {

int generate(const QString &projectFile, const QProcessEnvironment &env, const QString &homeDir,
             const QString &executableDir, QTextStream &out, QTextStream &err)
{
    ConsolePlatform platform(err);
    const AppFolders folders = AppFolders::fromEnvironment(env, homeDir);
    const QStringList candidates = AppFolders::pristineCandidates(env, executableDir);

    // Filling only adds files the application folder lacks. When it cannot,
    // the generation still runs on the folder as it is and names the file it
    // misses itself.
    if (const auto pristine = AppFolders::findPristine(candidates)) {
        const AppDirFill fill = AppDirFill::run(*pristine, folders.appDir);
        if (!fill.complete())
            platform.message(fill.userMessage(), Platform::Buttons::Ok, Platform::Icon::Exclamation,
                             AppInfo::name());
    } else {
        platform.message(AppDirFill::pristineMissingMessage(candidates), Platform::Buttons::Ok,
                         Platform::Icon::Exclamation, AppInfo::name());
    }
    return HeadlessGeneration::run(projectFile, folders.appDir, platform, out);
}

} // namespace HeadlessStart
