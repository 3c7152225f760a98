#include "capture/captureconversion.h"

#include "bmp2jpg/bmp2jpg.h"
#include "capture/capturefiles.h"
#include "capture/integerpart.h"

#include <QFile>

namespace CaptureConversion {

Quality qualityFromText(const QString &text)
{
    const std::int32_t value = IntegerPart(text);
    if (value < 1 || value > 100)
        return {100, true};
    return {std::int16_t(value), false};
}

Result convert(const QString &appDir, int n, std::int16_t quality)
{
    const QByteArray bmp = QFile::encodeName(CaptureFiles::path(appDir, n, CaptureFiles::Bmp));
    const QByteArray jpg = QFile::encodeName(CaptureFiles::path(appDir, n, CaptureFiles::Jpg));
    Result result;
    result.status = BMP2JPGpourVBFrance(bmp.constData(), jpg.constData(), quality);
    if (result.succeeded())
        result.weight = CaptureFiles::weightOf(appDir, n, CaptureFiles::Jpg);
    return result;
}

} // namespace CaptureConversion
