#include "output/templatepreview.h"

#include "project/fileops.h"

#include <QFileInfo>
#include <QImageReader>

TemplatePreview::TemplatePreview(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("imgApercu"));
    setFixedSize(244, 154);  // a 16:10 preview and the frame
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setFrameShape(QFrame::StyledPanel);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void TemplatePreview::showTemplate(const QString &templateFolder, const QString &templateFile)
{
    const QString picture = templateFolder + QLatin1Char('/')
                            + QFileInfo(templateFile).completeBaseName() + QStringLiteral(".png");
    QFile file(picture);
    QImageReader reader;
    if (FileOps::openForReading(file))
        reader.setDevice(&file);
    const QSize room = contentsRect().size();
    if (reader.size().isValid() && !reader.size().boundedTo(room).isEmpty()
        && (reader.size().width() > room.width() || reader.size().height() > room.height()))
        reader.setScaledSize(reader.size().scaled(room, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull()) {
        setText(QStringLiteral("Pas d'aperçu pour ce modèle"));
        return;
    }
    setPixmap(QPixmap::fromImage(image));
}
