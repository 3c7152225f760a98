#pragma once

#include <QObject>

class FrmPrincipal;

// The main window's slideshow commands: imgVisual generates the slideshow
// and shows it in the browser, imgVisuHTML shows the page last generated.
class OutputCommands : public QObject
{
    Q_OBJECT
public:
    // Hooks the commands to the window's buttons; owned by the window.
    explicit OutputCommands(FrmPrincipal &window);

    void generate();
    void viewPage();

private:
    FrmPrincipal &m_window;
};
