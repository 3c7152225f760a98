#pragma once

#include "editor/slideorder.h"

#include <QDialog>
#include <QHash>
#include <QPixmap>

#include <array>
#include <optional>
#include <vector>

class HelpButton;
class PicturePreview;
class QLabel;
class QPushButton;
class QScrollBar;
struct AppContext;
struct SlideshowProject;

// The slide sorter: the slides three at a time on a strip. Clicking a slide
// cuts it; then an insertion marker puts it back elsewhere, or a click on
// another slide exchanges the two. Nothing changes until "OK", which hands
// the order to the caller; "Annuler" or closing the window hands nothing.
// Meant to be created once and only hidden between uses; each use starts
// from the slides' own order.
class FrmVisionneuse : public QDialog
{
    Q_OBJECT
public:
    static constexpr int Shown = 3;
    static constexpr QSize ThumbnailRoom{240, 180};

    explicit FrmVisionneuse(const AppContext &context, QWidget *parent = nullptr);

    // Shows the sorter modally on the slides of project; after "OK" returns
    // order[p] = index of the slide now at position p. The thumbnails decoded
    // are kept until it returns.
    std::optional<std::vector<int>> chooseOrder(const SlideshowProject &project);

    const SlideOrder &slideOrder() const { return m_order; }
    // How many thumbnails were decoded since the sorter was last shown.
    int thumbnailsDecoded() const { return m_decoded; }

    // ---- controls ------------------------------------------------------
    std::array<PicturePreview *, Shown> imgVisio{};
    std::array<QLabel *, Shown> lblVisio{};
    std::array<QLabel *, Shown + 1> picInsertion{};
    QScrollBar *hscVisio = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdStop = nullptr;
    HelpButton *cmdHelp = nullptr;

protected:
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls(const AppContext &context);
    void buildLayout();
    void thumbnailClicked(int i);
    void markerClicked(int j);
    void setCutLook(bool cut);
    void refresh();
    bool scrollByKey(const QKeyEvent *event);
    QPixmap thumbnail(int slide);

    const SlideshowProject *m_project = nullptr;
    SlideOrder m_order;
    QHash<int, QPixmap> m_thumbnails; // by slide index before sorting
    int m_decoded = 0;
};
