#pragma once

#include <QLabel>

// The look of a page design, beside the template list of the template
// chooser: the picture named like the design with ".png" ("Album.png" for
// "Album.htm") in the template folder, fitted in the label, or a short text
// when the design has none.
class TemplatePreview : public QLabel
{
    Q_OBJECT
public:
    explicit TemplatePreview(QWidget *parent = nullptr);

    void showTemplate(const QString &templateFolder, const QString &templateFile);
};
