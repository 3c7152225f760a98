#include "widgets/helpbutton.h"

#include "platform/appcontext.h"
#include "platform/helppage.h"
#include "widgets/buttonsprites.h"

HelpButton::HelpButton(const AppContext &context, const QString &page, QWidget *parent)
    : PictureButton(parent)
    , m_pagePath(context.appDir + QLatin1Char('/') + page)
{
    const auto [normal, pressed] = ButtonSprites::helpPictures(devicePixelRatioF());
    setPictures(normal, pressed);
    showNormalPicture();
    connect(this, &PictureButton::released, this, [context, page] { OpenHelpPage(context, page); });
}
