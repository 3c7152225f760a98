#pragma once

#include <QColor>
#include <QDialog>

#include <array>
#include <optional>

class ColourSwatch;
class HelpButton;
class QLabel;
class QPushButton;
class RgbSlider;
struct AppContext;

// The colour picker of the caption editor: sixteen fixed colours and one
// mixed on three sliders. "OK" chooses the selected colour, "Annuler" (or
// closing the window) chooses nothing; the caller reads the choice. The
// dialog is meant to be created once and only hidden between uses, so that
// the mixer and the selection stay as they were.
class FrmCouleur : public QDialog
{
    Q_OBJECT
public:
    static constexpr int MixedSwatch = 16;
    static constexpr int SliderWidth = 256;

    explicit FrmCouleur(const AppContext &context, QWidget *parent = nullptr);

    // Shows the picker modally and returns what it was left with.
    std::optional<QColor> choose();
    // The colour of the last "OK"; nothing after "Annuler" or before any use.
    const std::optional<QColor> &choice() const { return m_choice; }

    // Makes swatch i (0 .. 16) the selected colour.
    void SelectSwatch(int i);

    // ---- controls (C++ name, then objectName when it differs) ----------
    std::array<ColourSwatch *, 17> picCouleur{};
    std::array<RgbSlider *, 3> picChangeRGB{};
    ColourSwatch *picSelection = nullptr;
    QLabel *lblSelection = nullptr;
    std::array<QLabel *, 3> headings{}; // Label1
    std::array<QPushButton *, 2> cmdFin{};
    HelpButton *cmdHelp = nullptr;

public slots:
    void accept() override; // "OK"
    void reject() override; // "Annuler"

private:
    void buildControls(const AppContext &context);
    void buildLayout();
    void load();
    void mixerMoved();

    std::optional<QColor> m_choice;
};
