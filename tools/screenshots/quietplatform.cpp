#include "quietplatform.h"

#include <QTextStream>

namespace {

void tell(const QString &what) { QTextStream(stderr) << what << '\n'; }

} // namespace

Platform::Answer QuietPlatform::message(const QString &text, Buttons buttons, Icon,
                                        const QString &title)
{
    tell(QStringLiteral("message « %1 » : %2")
             .arg(title, QString(text).replace(QLatin1String("\r\n"), QLatin1String(" "))));
    return buttons == Buttons::Ok || buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
}

std::optional<QString> QuietPlatform::inputBox(const QString &prompt, const QString &,
                                               const QString &)
{
    tell(QStringLiteral("question cancelled: ") + prompt);
    return std::nullopt;
}

bool QuietPlatform::openWithShell(const QString &filePath)
{
    tell(QStringLiteral("not opened: ") + filePath);
    return false;
}

QImage QuietPlatform::grabScreen(const QRect &) { return {}; }
