#pragma once

#include "platform/appcontext.h"

#include <QObject>
#include <QString>

#include <functional>

class Features;
class FrmPrincipal;
class QDialog;
class QPixmap;
class QWidget;

// Walks Lumivue through the steps of the tutorial and saves each window, in
// the state the page describes, under the file name the page shows:
//   principale.png       the slideshow "Nouveau" just created, slide 0;
//   enregistrer-sous.png the save-as dialog on the home folder, "Vacances" typed;
//   ajouter-diapo.png    the add chooser on the photo folder, a photo clicked,
//                        its caption typed;
//   fond.png             the background chooser, a texture shown, no current one;
//   legende.png          the caption of the example with a word selected;
//   visionneuse.png      the slide sorter of the example with one slide cut.
// The pictures are grabbed at the windows' own size; the caller reduces them.
class TutorialShots : public QObject
{
    Q_OBJECT
public:
    TutorialShots(FrmPrincipal &window, Features &features, const AppContext &context,
                  QString photoFolder, QString outputFolder);

    // True when every picture was saved; what went wrong is on standard error.
    bool run();

private:
    void newSlideshow();
    void saveAs();
    void addSlide();
    void background();
    void caption();
    void sorter();

    // Presses button, which opens the modal dialog named dialogName; act runs
    // while its exec() goes on and must close it. False when it never opened.
    bool throughDialog(QWidget *button, const QString &dialogName,
                       const std::function<void(QDialog &)> &act);
    void save(const QPixmap &picture, const QString &fileName);
    void fail(const QString &what);

    FrmPrincipal &m_window;
    Features &m_features;
    AppContext m_context;
    QString m_photoFolder;
    QString m_outputFolder;
    bool m_ok = true;
};
