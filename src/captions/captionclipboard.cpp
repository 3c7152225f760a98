#include "captions/captionclipboard.h"

#include "captions/htmlpaste.h"
#include "captions/richtextadapter.h"
#include "captions/rtf.h"
#include "project/textfile.h"

#include <QMimeData>
#include <QTextDocumentFragment>

namespace {

// Where word processors put rich text on the clipboard, in order of preference.
const QStringList &rtfFormats()
{
    static const QStringList formats = {
        QStringLiteral("text/rtf"),
        QStringLiteral("application/rtf"),
        QStringLiteral("application/x-qt-windows-mime;value=\"Rich Text Format\""),
    };
    return formats;
}

qsizetype textLength(const QList<RtfReader::Run> &runs)
{
    qsizetype length = 0;
    for (const RtfReader::Run &run : runs)
        length += run.text.size();
    return length;
}

// The rich text of data, or nothing when it holds none.
std::optional<QList<RtfReader::Run>> readRich(const QMimeData &data, const QTextCharFormat &base)
{
    for (const QString &format : rtfFormats()) {
        if (!data.hasFormat(format))
            continue;
        const QString rtf = TextFile::fromCp1252(data.data(format));
        if (Rtf::isRtf(rtf))
            return RtfReader::read(rtf);
    }
    if (data.hasHtml())
        return HtmlPaste::read(data.html(), base);
    const QString text = data.text();
    if (Rtf::isRtf(text))
        return RtfReader::read(text);
    return std::nullopt;
}

// Whether a flavour that a paste reads holds more than it reads.
bool tooLarge(const QMimeData &data)
{
    QStringList formats = rtfFormats();
    formats << QStringLiteral("text/html") << QStringLiteral("text/plain");
    return std::any_of(formats.cbegin(), formats.cend(), [&data](const QString &format) {
        return data.hasFormat(format) && data.data(format).size() > CaptionClipboard::MaxBytes;
    });
}

} // namespace

namespace CaptionClipboard {

QMimeData *fromSelection(const QTextCursor &selection)
{
    auto *data = new QMimeData;
    const QByteArray rtf = Rtf::fromSelection(selection).toLatin1(); // the writer emits ASCII only
    data->setData(rtfFormats().at(0), rtf);
    data->setData(rtfFormats().at(1), rtf);
    const QTextDocumentFragment fragment(selection);
    data->setHtml(fragment.toHtml());
    data->setText(fragment.toPlainText());
    return data;
}

std::optional<QList<RtfReader::Run>> read(const QMimeData *data, const QTextCharFormat &base)
{
    if (!data)
        return QList<RtfReader::Run>();
    if (tooLarge(*data))
        return std::nullopt;
    std::optional<QList<RtfReader::Run>> runs = readRich(*data, base);
    if (!runs) {
        QString text = RichTextAdapter::normalisedText(data->text());
        text.replace(QLatin1String("\r\n"), QString(QChar::ParagraphSeparator));
        runs = QList<RtfReader::Run>{{text, base}};
    }
    if (textLength(*runs) > MaxCharacters)
        return std::nullopt;
    return runs;
}

} // namespace CaptionClipboard
