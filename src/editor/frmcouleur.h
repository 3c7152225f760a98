#pragma once

#include <QDialog>
#include <QString>

#include <array>

class ColourSwatch;
class Platform;
class PictureButton;
class QLabel;
class QPushButton;
class RgbSlider;

// The colour picker of the caption editor: sixteen fixed colours and one
// mixed on three sliders. "OK" writes the selected colour's HTML code
// ("#RRGGBB") into the shared field given at creation, "Annuler" (or closing
// the window) writes "". The dialog is meant to be created once and only
// hidden between uses, so that the mixer and the selection stay as they were.
class FrmCouleur : public QDialog
{
    Q_OBJECT
public:
    static constexpr int MixedSwatch = 16;
    static constexpr int SliderWidth = 256;

    // lastColour: the field that receives the choice; it must outlive the dialog.
    FrmCouleur(Platform &platform, QString appDir, QString &lastColour, QWidget *parent = nullptr);

    // Makes swatch i (0 .. 16) the selected colour.
    void SelectSwatch(int i);

    std::array<ColourSwatch *, 17> picCouleur{};
    std::array<RgbSlider *, 3> picChangeRGB{};
    ColourSwatch *picSelection = nullptr;
    QLabel *lblSelection = nullptr;
    std::array<QLabel *, 3> Label1{};
    std::array<QPushButton *, 2> cmdFin{};
    PictureButton *cmdHelp = nullptr;

public slots:
    void accept() override;   // "OK"
    void reject() override;   // "Annuler"

private:
    void buildControls();
    void buildLayout();
    void load();
    void mixerMoved();
    void showHelp();

    Platform &m_platform;
    QString m_appDir;
    QString &m_lastColour;
};
