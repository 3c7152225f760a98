#pragma once

#include "editor/slideorder.h"

#include <QDialog>
#include <QFuture>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QThreadPool>

#include <array>
#include <atomic>
#include <memory>
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
    // are kept until it returns; those of the next and previous views are
    // decoded ahead in the background, so that scrolling does not wait.
    std::optional<std::vector<int>> chooseOrder(const SlideshowProject &project);

    const SlideOrder &slideOrder() const { return m_order; }
    // How many thumbnails were made since the sorter was last shown.
    int thumbnailsDecoded() const { return m_decoded; }
    // Waits for the thumbnails being decoded ahead.
    void waitForDecodes() { m_pool.waitForDone(); }

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
    void decodeAhead();
    void forgetThumbnails();

    const SlideshowProject *m_project = nullptr;
    SlideOrder m_order;
    QHash<int, QPixmap> m_thumbnails; // by slide index before sorting
    // A decode ahead is 0 queued, 1 under way, or 2 no longer wanted.
    struct Ahead
    {
        QFuture<QImage> image;
        std::shared_ptr<std::atomic_int> state;
    };
    QHash<int, Ahead> m_ahead;
    QThreadPool m_pool;
    int m_decoded = 0;
};
