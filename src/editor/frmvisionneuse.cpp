#include "editor/frmvisionneuse.h"

#include "project/slideshowproject.h"
#include "widgets/centreonscreen.h"
#include "widgets/helpbutton.h"
#include "widgets/picturepreview.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <functional>

namespace {

const QString kCutTip = QStringLiteral("Cliquez pour couper");
const QString kExchangeTip = QStringLiteral("Cliquez pour échanger");
const QString kInsertTip = QStringLiteral("Cliquez pour insérer");

// A click is a press and a release of the left button on the same widget.
template <typename Base> class Clickable : public Base
{
public:
    Clickable(std::function<void()> action, QWidget *parent)
        : Base(parent)
        , m_action(std::move(action))
    {
    }

protected:
    void mousePressEvent(QMouseEvent *event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && this->rect().contains(event->position().toPoint()))
            m_action();
    }

private:
    std::function<void()> m_action;
};

// An insertion marker: an arrow over a bar the height of a thumbnail.
QPixmap markerPicture(int height, qreal ratio)
{
    const int width = 18;
    QPixmap picture(QSize(width, height) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour(200, 30, 30);
    painter.fillRect(QRectF(width / 2.0 - 1.5, 12, 3, height - 12), colour);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const QPointF arrow[] = {{1, 0}, {width - 1.0, 0}, {width / 2.0, 14}};
    painter.drawPolygon(arrow, 3);
    return picture;
}

// Hidden controls keep their room, so the strip never shifts.
void keepRoomWhenHidden(QWidget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

FrmVisionneuse::FrmVisionneuse(const AppContext &context, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmVisionneuse"));
    setWindowTitle(QStringLiteral("Visionneuse"));
    setModal(true);
    m_pool.setMaxThreadCount(1);
    buildControls(context);
    buildLayout();
    setFixedSize(sizeHint());
    CentreOnScreen(*this);
}

void FrmVisionneuse::buildControls(const AppContext &context)
{
    const QPixmap marker = markerPicture(ThumbnailRoom.height(), devicePixelRatioF());
    for (int i = 0; i < Shown; ++i) {
        auto *picture = new Clickable<PicturePreview>([this, i] { thumbnailClicked(i); }, this);
        picture->setObjectName(QStringLiteral("imgVisio"));
        picture->setProperty("index", i);
        picture->setFrameShape(QFrame::Box);
        picture->setFixedSize(ThumbnailRoom + QSize(2, 2) * picture->frameWidth());
        imgVisio[std::size_t(i)] = picture;

        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblVisio"));
        label->setProperty("index", i);
        label->setAlignment(Qt::AlignCenter);
        lblVisio[std::size_t(i)] = label;
        keepRoomWhenHidden(picture);
        keepRoomWhenHidden(label);
    }
    for (int j = 0; j <= Shown; ++j) {
        auto *insertion = new Clickable<QLabel>([this, j] { markerClicked(j); }, this);
        insertion->setObjectName(QStringLiteral("picInsertion"));
        insertion->setProperty("index", j);
        insertion->setPixmap(marker);
        insertion->setToolTip(kInsertTip);
        insertion->setCursor(Qt::PointingHandCursor);
        keepRoomWhenHidden(insertion);
        picInsertion[std::size_t(j)] = insertion;
    }

    hscVisio = new QScrollBar(Qt::Horizontal, this);
    hscVisio->setObjectName(QStringLiteral("hscVisio"));
    hscVisio->setPageStep(Shown);
    connect(hscVisio, &QScrollBar::valueChanged, this, &FrmVisionneuse::refresh);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    cmdStop = new QPushButton(QStringLiteral("Annuler"), this);
    cmdStop->setObjectName(QStringLiteral("cmdStop"));
    connect(cmdStop, &QPushButton::clicked, this, &QDialog::reject);
    cmdHelp = new HelpButton(context, QStringLiteral("Aide_Contextuelle/Vision.htm"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));

    // The wheel over any part of the strip, and the arrow keys, page keys,
    // Home and End whichever button has the focus, move the strip.
    for (QWidget *part : findChildren<QWidget *>())
        if (part != hscVisio)
            part->installEventFilter(this);
}

void FrmVisionneuse::buildLayout()
{
    auto *strip = new QGridLayout;
    strip->setHorizontalSpacing(6);
    for (int j = 0; j <= Shown; ++j)
        strip->addWidget(picInsertion[std::size_t(j)], 0, 2 * j);
    for (int i = 0; i < Shown; ++i) {
        strip->addWidget(imgVisio[std::size_t(i)], 0, 2 * i + 1);
        strip->addWidget(lblVisio[std::size_t(i)], 1, 2 * i + 1);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdStop);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(strip);
    layout->addWidget(hscVisio);
    layout->addSpacing(6);
    layout->addLayout(buttons);
}

std::optional<std::vector<int>> FrmVisionneuse::chooseOrder(const SlideshowProject &project)
{
    m_project = &project;
    m_decoded = 0;
    m_order.reset(project.boundedSlideCount());
    setCutLook(false);
    hscVisio->blockSignals(true);
    hscVisio->setRange(0, std::max(m_order.count() - 2, 0));
    hscVisio->setValue(0);
    hscVisio->blockSignals(false);
    refresh();

    const bool confirmed = exec() == QDialog::Accepted;
    forgetThumbnails();
    m_project = nullptr;
    if (!confirmed)
        return std::nullopt;
    return m_order.order();
}

void FrmVisionneuse::setCutLook(bool cut)
{
    for (PicturePreview *picture : imgVisio) {
        picture->setCursor(cut ? Qt::ArrowCursor : Qt::SizeAllCursor);
        picture->setToolTip(cut ? kExchangeTip : kCutTip);
    }
    for (QLabel *marker : picInsertion)
        marker->setVisible(cut);
}

void FrmVisionneuse::thumbnailClicked(int i)
{
    const int p = hscVisio->value() + i;
    if (p >= m_order.count() || m_order.isParked(p))
        return;
    // After an exchange nothing is cut any more: the markers go and the
    // thumbnails offer to cut again, as they would after an insertion.
    if (m_order.cutPending())
        m_order.exchange(p);
    else
        m_order.cut(p);
    setCutLook(m_order.cutPending());
    refresh();
}

void FrmVisionneuse::markerClicked(int j)
{
    if (!m_order.cutPending())
        return;
    m_order.insert(std::min(hscVisio->value() + j, m_order.count() - 1));
    setCutLook(false);
    refresh();
}

void FrmVisionneuse::refresh()
{
    if (!m_project)
        return;
    const int first = hscVisio->value();
    for (int i = 0; i < Shown; ++i) {
        const int p = first + i;
        const bool shown = p < m_order.count() && !m_order.isParked(p);
        if (shown) {
            lblVisio[std::size_t(i)]->setText(QLatin1Char(' ') + QString::number(p));
            imgVisio[std::size_t(i)]->setPixmap(thumbnail(m_order.at(p)));
        }
        imgVisio[std::size_t(i)]->setVisible(shown);
        lblVisio[std::size_t(i)]->setVisible(shown);
    }
    if (m_order.cutPending())
        for (int j = 1; j <= Shown; ++j)
            picInsertion[std::size_t(j)]->setVisible(
                imgVisio[std::size_t(j - 1)]->isVisibleTo(this));
    decodeAhead();
}

QPixmap FrmVisionneuse::thumbnail(int slide)
{
    const auto found = m_thumbnails.constFind(slide);
    if (found != m_thumbnails.cend())
        return *found;
    const qreal ratio = devicePixelRatioF();
    // A decode ahead under way is awaited; one still queued is called off
    // and the picture decoded here, rather than waiting behind the others.
    const Ahead ahead = m_ahead.take(slide);
    int queued = 0;
    const QImage image = ahead.state && !ahead.state->compare_exchange_strong(queued, 2)
        ? ahead.image.result()
        : PicturePreview::decodeToFit(m_project->imagePath(slide), ThumbnailRoom * ratio);
    QPixmap picture = QPixmap::fromImage(image);
    picture.setDevicePixelRatio(ratio);
    ++m_decoded;
    m_thumbnails.insert(slide, picture);
    return picture;
}

void FrmVisionneuse::decodeAhead()
{
    // The next view first, then the previous one; one thread, so that the
    // decodes ahead never take the whole machine.
    const int first = hscVisio->value();
    for (int p : {first + 3, first + 4, first + 5, first - 1, first - 2, first - 3}) {
        if (p < 0 || p >= m_order.count())
            continue;
        const int slide = m_order.at(p);
        if (m_thumbnails.contains(slide) || m_ahead.contains(slide))
            continue;
        auto state = std::make_shared<std::atomic_int>(0);
        const auto decode = [state, path = m_project->imagePath(slide),
                             room = ThumbnailRoom * devicePixelRatioF()] {
            int queued = 0;
            return state->compare_exchange_strong(queued, 1)
                ? PicturePreview::decodeToFit(path, room)
                : QImage();
        };
        m_ahead.insert(slide, {QtConcurrent::run(&m_pool, decode), state});
    }
}

void FrmVisionneuse::forgetThumbnails()
{
    m_pool.clear();
    m_pool.waitForDone();
    m_ahead.clear();
    m_thumbnails.clear();
}

void FrmVisionneuse::wheelEvent(QWheelEvent *event)
{
    // One slide per notch, towards the end when the wheel turns down.
    const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    hscVisio->setValue(hscVisio->value() - notches);
    event->accept();
}

bool FrmVisionneuse::scrollByKey(const QKeyEvent *event)
{
    static const QHash<int, QAbstractSlider::SliderAction> actions{
        {Qt::Key_Left, QAbstractSlider::SliderSingleStepSub},
        {Qt::Key_Right, QAbstractSlider::SliderSingleStepAdd},
        {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub},
        {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd},
        {Qt::Key_Home, QAbstractSlider::SliderToMinimum},
        {Qt::Key_End, QAbstractSlider::SliderToMaximum}};
    const auto action = actions.constFind(event->key());
    if (action == actions.cend() || event->modifiers() != Qt::NoModifier)
        return false;
    hscVisio->triggerAction(*action);
    return true;
}

void FrmVisionneuse::keyPressEvent(QKeyEvent *event)
{
    if (!scrollByKey(event))
        QDialog::keyPressEvent(event);
}

bool FrmVisionneuse::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent *>(event));
        return true;
    }
    // The buttons would move the focus with the arrow keys.
    if (event->type() == QEvent::KeyPress && scrollByKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}
