#include "captions/rtf.h"

#include "captions/rtfreader.h"
#include "captions/rtfwriter.h"

#include <QTextCursor>

namespace Rtf {

QString fromSelection(const QTextCursor &cursor) { return RtfWriter::write(cursor); }

bool insert(QTextCursor &cursor, const QString &rtf)
{
    if (!isRtf(rtf))
        return false;
    insertRuns(cursor, RtfReader::read(rtf));
    return true;
}

void insertRuns(QTextCursor &cursor, const QList<RtfReader::Run> &runs)
{
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    for (const RtfReader::Run &run : runs) {
        const QStringList paragraphs = run.text.split(QChar::ParagraphSeparator);
        for (qsizetype i = 0; i < paragraphs.size(); ++i) {
            if (i > 0)
                cursor.insertBlock();
            if (!paragraphs.at(i).isEmpty())
                cursor.insertText(paragraphs.at(i), run.format);
        }
    }
    cursor.endEditBlock();
}

bool isRtf(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text.at(i).isSpace() || text.at(i) == QChar::ByteOrderMark))
        ++i;
    return QStringView(text).sliced(i).startsWith(u"{\\rtf");
}

} // namespace Rtf
