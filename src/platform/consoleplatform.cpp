#include "platform/consoleplatform.h"

#include "platform/appinfo.h"

ConsolePlatform::ConsolePlatform(QTextStream &out)
    : m_out(out)
{
}

Platform::Answer ConsolePlatform::message(const QString &text, Buttons buttons, Icon,
                                          const QString &title)
{
    QString flat = text;
    flat.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_out << (title.isEmpty() ? AppInfo::name() : title) << " : " << flat << Qt::endl;
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel: return Answer::Cancel;
    case Buttons::YesNo: return Answer::No;
    case Buttons::YesNoCancel: return Answer::Cancel;
    }
    return Answer::Ok;
}

std::optional<QString> ConsolePlatform::inputBox(const QString &, const QString &, const QString &)
{
    return std::nullopt;
}

bool ConsolePlatform::openWithShell(const QString &) { return false; }

QImage ConsolePlatform::grabScreen(const QRect &) { return {}; }
