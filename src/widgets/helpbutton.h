#pragma once

#include "widgets/picturebutton.h"

struct AppContext;

// The help button of a window: the help key's picture, and on release the
// window's help page from the application folder handed to the shell. The
// window stays as it was; a missing page or browser shows nothing here.
class HelpButton : public PictureButton
{
    Q_OBJECT
public:
    // page: the page's path inside the application folder, e.g.
    // "Aide_Contextuelle/CouleurTexte.htm".
    HelpButton(const AppContext &context, const QString &page, QWidget *parent = nullptr);

    const QString &pagePath() const { return m_pagePath; }

private:
    QString m_pagePath;
};
