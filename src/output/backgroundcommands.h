#pragma once

#include "platform/appcontext.h"

#include <QObject>
#include <QString>

class PictureButton;
class QWidget;
struct SlideshowProject;

// imgChangerFond: the background chooser, then the chosen texture copied
// into the project folder as its "imgFond.jpg". The texture last confirmed
// is kept for the whole run and comes first at the next opening.
class BackgroundCommands : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        PictureButton *imgChangerFond = nullptr;
    };

    // window: the parent of the chooser.
    BackgroundCommands(const Controls &controls, const SlideshowProject &project,
                       const AppContext &context, QWidget *window);

    void ChangeBackground();

    const QString &chosenTexture() const { return m_chosenTexture; }

private:
    const SlideshowProject &m_project;
    AppContext m_context;
    QWidget *m_window;
    QString m_chosenTexture;
};
