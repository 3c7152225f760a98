#pragma once

#include <QProcessEnvironment>
#include <QString>

class QTextStream;

// The start of a run without a window (lumivue --generate FILE.lmv). The
// application folder is found and filled as for the window, but the
// single-instance lock is not taken and the backup set is not touched, so a
// Lumivue that is open meanwhile is not disturbed. Messages go to err, the
// files written to out; the result is the process exit code.
namespace HeadlessStart {

int generate(const QString &projectFile, const QProcessEnvironment &env, const QString &homeDir,
             const QString &executableDir, QTextStream &out, QTextStream &err);

} // namespace HeadlessStart
