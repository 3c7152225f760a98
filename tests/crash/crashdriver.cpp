// A Lumivue that runs one file operation through the program's own code and
// can be killed part way (see killswitch.h). Started as
//   crashdriver start
//   crashdriver OPERATION PROJECT.lmv [TARGET]
// it starts as the program does (single-instance lock, recovery of a set
// left behind, application folder filled), then opens the project and runs
// the operation. The number of file-changing calls the operation made is
// printed at the end. Messages go to standard error.
#include "killswitch.h"

#include "app/startup.h"
#include "editor/applyslideorder.h"
#include "editor/slidefiles.h"
#include "output/slideshowgeneration.h"
#include "output/templatereplacement.h"
#include "output/webpictures.h"
#include "platform/consoleplatform.h"
#include "project/projectlifecycle.h"
#include "project/slideshowproject.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <functional>
#include <map>
#include <numeric>

namespace {

// The window around the life cycle: a save-as target given on the command line.
class DriverWindow : public LifeCycleWindow
{
public:
    explicit DriverWindow(QString target)
        : m_target(std::move(target))
    {
    }
    OpenChoice chooseProjectToOpen(bool) override { return {}; }
    std::optional<ProjectLocation> chooseSaveAsTarget() override
    {
        const QFileInfo target(m_target);
        return ProjectLocation{target.absolutePath(), target.fileName()};
    }
    void storeEdits() override {}
    void showCurrentSlide() override {}
    void projectChanged() override {}
    void restoreDefaultTemplate() override {}
    void endProcess() override {}
    void copyProgress(const QString &, int, int) override {}

private:
    QString m_target;
};

struct Run
{
    SlideshowProject &project;
    ProjectLifeCycle &life;
    Platform &platform;
    QString appDir;
    QString extra;
    QString backupRoot;
};

// Each operation as the window's command runs it. "save" and "close" delete
// a slide first, unarmed, so that they have changed pictures to commit or
// to throw away.
const std::map<QString, std::function<void(Run &)>> &operations()
{
    static const std::map<QString, std::function<void(Run &)>> table{
        {QStringLiteral("open"), [](Run &) {}},
        // The window closed by other means than its quit button, after a deletion.
        {QStringLiteral("close"), [](Run &r) { r.life.storage().RevertToBackup(); }},
        {QStringLiteral("add"),
         [](Run &r) { SlideFiles::appendSlide(r.project, r.extra, QStringLiteral("Nouvelle")); }},
        {QStringLiteral("save"), [](Run &r) { r.life.savePressed(); }},
        {QStringLiteral("saveas"), [](Run &r) { r.life.saveAsPressed(); }},
        {QStringLiteral("generate"),
         [](Run &r) {
             GenerateSlideshow(r.project, r.appDir, r.platform, AfterGeneration::StayHere);
         }},
        {QStringLiteral("template"),
         [](Run &r) {
             TemplateReplacement::replaceTemplate(
                 r.appDir, QLatin1String(TemplateReplacement::FramedTemplate), r.extra,
                 r.backupRoot);
         }},
        {QStringLiteral("delete"), [](Run &r) { SlideFiles::deleteCurrentSlide(r.project); }},
        {QStringLiteral("reorder"),
         [](Run &r) {
             std::vector<int> order(std::size_t(r.project.slideCount));
             std::iota(order.rbegin(), order.rend(), 0);
             ApplySlideOrder(r.project, order, r.platform);
         }},
        {QStringLiteral("webphotos"),
         [](Run &r) {
             WebPictures::reduceAll(WebPictures::jpegSlides(r.project)).waitForFinished();
         }},
    };
    return table;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    ConsolePlatform platform(err);
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    Startup startup(platform, AppFolders::fromEnvironment(env, QDir::homePath()),
                    AppFolders::pristineCandidates(env, QCoreApplication::applicationDirPath()));
    if (!startup.prepare())
        return 1;
    const QStringList args = QCoreApplication::arguments();
    if (args.value(1) == QLatin1String("start"))
        return 0;
    const auto operation = operations().find(args.value(1));
    if (operation == operations().end())
        return 2;

    SlideshowProject project;
    DriverWindow window(args.value(3));
    const AppFolders &folders = startup.folders();
    ProjectLifeCycle life(project, platform, window, folders.appDir, folders.backupRoot);
    life.openFile(args.value(2));
    if (!project.loaded)
        return 3;
    project.currentSlide = 1;
    if (operation->first == QLatin1String("save") || operation->first == QLatin1String("close")) {
        SlideFiles::deleteCurrentSlide(project);
        project.saved = false;
    }
    Run run{project, life, platform, folders.appDir, args.value(3), folders.backupRoot};
    KillSwitch::arm();
    operation->second(run);
    KillSwitch::disarm();
    QTextStream(stdout) << KillSwitch::steps() << Qt::endl;
    return 0;
}
