#pragma once

#include "platform/appcontext.h"

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>

class CaptureCommands;
class HelpButton;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

// The capture window: the user sets the size of the area to capture, the kind
// of files and the JPEG quality, and takes one capture after another into
// AppDir/ScreenShot_<n>. This class holds the settings and what the window
// shows; the commands that capture, convert and delete are CaptureCommands.
// It has no close box: it is left through leaveButton only, and then emits
// unloaded().
class FrmCE : public QDialog
{
    Q_OBJECT
public:
    // Runs the window's load: reads the hand-over file, deletes the capture
    // files of an earlier run and warns when some could not go, and says so
    // when the desktop does not let programs copy the screen.
    explicit FrmCE(const AppContext &context, QWidget *parent = nullptr);
    ~FrmCE() override;

    // ---- values shared with the capture commands and the frame ----------
    std::int32_t captureTop = 0;    // twips, -999: centre the frame
    std::int32_t captureLeft = 0;   // twips
    std::int32_t captureHeight = 0; // device pixels
    std::int32_t captureWidth = 0;  // device pixels
    std::int16_t captureCount = 0;  // number of the last capture, 0: none
    std::int32_t screenWidthPx = 0; // device pixels of the screen
    std::int32_t screenHeightPx = 0;
    bool overwriteLast = false; // the next capture replaces the last one

    // ---- operations the commands use -----------------------------------
    void ShowCaptureCount();
    void ResetCaptureWindow();
    // cmdNumero light red while the overwrite toggle is armed, else light green.
    void setNumeroColour(bool armed);
    // Selects ".jpg ( seulement )" and applies its choice.
    void selectJpegOnly();
    // Hides the window for good and tells whoever waits for it.
    void unload();

    // ---- controls (C++ name, then objectName when it differs) ----------
    QLabel *typePanel = nullptr;     // Label2(1)
    QLabel *sizePanel = nullptr;     // Label2(0)
    QLabel *typeCaption = nullptr;   // Label1(2)
    QLabel *widthCaption = nullptr;  // Label1(0)
    QLabel *heightCaption = nullptr; // Label1(1)
    // Option1(0..2): ".bmp" (not offered), ".jpg et .bmp", ".jpg ( seulement )"
    std::array<QRadioButton *, 3> captureType{};
    QLabel *lblQualite = nullptr;
    QLineEdit *txtQualite = nullptr;
    QPushButton *cmdNumero = nullptr;
    QPushButton *cmdBMP = nullptr;
    QPushButton *cmdVisu = nullptr;
    QPushButton *cmdRefaire = nullptr;
    QLabel *lblRefaire = nullptr;
    std::array<QPushButton *, 4> cmdLargeur{};
    QLineEdit *txtLargeur = nullptr;
    std::array<QPushButton *, 4> cmdHauteur{};
    QLineEdit *txtHauteur = nullptr;
    HelpButton *cmdHelp = nullptr;
    QPushButton *takeButton = nullptr;      // Command1(0)
    QPushButton *leaveButton = nullptr;     // Command1(1)
    QPushButton *deleteAllButton = nullptr; // Command1(2)
    QPushButton *deleteBmpButton = nullptr; // Command1(3)
    QTimer *screenWaitTimer = nullptr;      // Timer1, 500 ms: the waits of a whole-screen capture
    QTimer *repeatTimer = nullptr;          // Timer2, 50 ms: the auto-repeat of the size buttons

signals:
    void unloaded();

public:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls(); // frmcecontrols.cpp
    void connectControls();
    void load();

    // The size buttons repeat their step every 50 ms while held.
    void sizeButtonPressed(QLineEdit *box, int button, bool height);
    void repeatTick();
    void optionClicked(int index);
    void cmdNumeroClicked();
    void showCaptureFile(const QString &extension, const QString &goneMessage);

    AppContext m_context;
    CaptureCommands *m_commands = nullptr;
    bool m_unloaded = false;

    // The size button held down: its box, its step and whether it is let go.
    QLineEdit *m_repeatBox = nullptr;
    int m_repeatButton = 0;
    std::int32_t m_repeatLimit = 0;
    bool m_released = true;
};
