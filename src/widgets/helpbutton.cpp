#include "widgets/helpbutton.h"

#include "platform/appcontext.h"
#include "platform/platform.h"
#include "widgets/buttonsprites.h"

HelpButton::HelpButton(const AppContext &context, const QString &page, QWidget *parent)
    : PictureButton(parent)
    , m_pagePath(context.appDir + QLatin1Char('/') + page)
{
    const auto [normal, pressed] = ButtonSprites::helpPictures(devicePixelRatioF());
    setPictures(normal, pressed);
    showNormalPicture();
    Platform &platform = context.platform;
    connect(this, &PictureButton::released, this,
            [this, &platform] { platform.openWithShell(m_pagePath); });
}
