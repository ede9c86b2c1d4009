#include "ui/platform/ShowCentred.h"

#include <algorithm>
#include <optional>

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace korvel::ui {

namespace {

// The room left between a window placed beside a widget and that widget.
constexpr int kBesideGap = 4;

// The frame's extent along one direction: the client's length plus both margins, at most the area's length.
int frameLength(int client, int before, int after, int area)
{
    return std::min(client + before + after, area);
}

// Moves a frame's start so that the frame [start, start + length) lies within [areaStart, areaStart + area).
int keptWithin(int start, int length, int areaStart, int area)
{
    return std::max(areaStart, std::min(start, areaStart + area - length));
}

// The client rectangle inside a frame.
QRect clientOf(const QRect& frame, const QMargins& m)
{
    return QRect(frame.left() + m.left(), frame.top() + m.top(), std::max(1, frame.width() - m.left() - m.right()),
                 std::max(1, frame.height() - m.top() - m.bottom()));
}

} // namespace

QRect placement(const QMargins& m, const QSize& designedSize, const QRect& area)
{
    const int width = frameLength(designedSize.width(), m.left(), m.right(), area.width());
    const int height = frameLength(designedSize.height(), m.top(), m.bottom(), area.height());
    const QRect frame(area.left() + (area.width() - width) / 2, area.top() + (area.height() - height) / 2, width,
                      height);
    return clientOf(frame, m);
}

QRect placementBeside(const QMargins& m, const QSize& size, const QRect& anchor, const QRect& area)
{
    const int width = frameLength(size.width(), m.left(), m.right(), area.width());
    const int height = frameLength(size.height(), m.top(), m.bottom(), area.height());
    int left = anchor.left() + anchor.width() + kBesideGap;
    if (left + width > area.left() + area.width())
        left = anchor.left() - kBesideGap - width; // no room on the right: the other side
    left = keptWithin(left, width, area.left(), area.width());
    const int top = keptWithin(anchor.top(), height, area.top(), area.height());
    return clientOf(QRect(left, top, width, height), m);
}

QRect clampedPlacement(const QMargins& m, const QRect& client, const QRect& area)
{
    const int width = frameLength(client.width(), m.left(), m.right(), area.width());
    const int height = frameLength(client.height(), m.top(), m.bottom(), area.height());
    const int left = keptWithin(client.left() - m.left(), width, area.left(), area.width());
    const int top = keptWithin(client.top() - m.top(), height, area.top(), area.height());
    return clientOf(QRect(left, top, width, height), m);
}

// --- The Qt glue --------------------------------------------------------------------------------------

namespace {

QMargins& lastFrameSeen()
{
    static QMargins margins;
    return margins;
}

// The frame the window system reports for a framed window; nothing while the window is not framed yet.
std::optional<QMargins> reportedFrame(const QWidget* window)
{
    const QWindow* handle = window->windowHandle();
    if (!handle || !handle->handle())
        return std::nullopt;
    const QMargins margins = handle->frameMargins();
    if (margins.isNull())
        return std::nullopt;
    lastFrameSeen() = margins;
    return margins;
}

// Keeps one window where it is meant to be while the window manager frames it: the window is placed as it is
// shown, with the frame known or estimated, and placed again whenever the frame it reports differs from the
// one it was placed with, for a short while after the show.
class Placer : public QObject {
public:
    enum class Aim { Centred, OverParent, OnScreen, Beside };

    explicit Placer(QWidget* window) : QObject(window), window_(window)
    {
        setObjectName(QStringLiteral("windowPlacer"));
        timer_.setInterval(kCheckMs);
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (++checks_ * kCheckMs >= kSettleMs)
                timer_.stop();
            placeAgainWhenFramed();
        });
    }

    static Placer* of(QWidget* window)
    {
        if (auto* placer = window->findChild<Placer*>(QStringLiteral("windowPlacer"), Qt::FindDirectChildrenOnly))
            return placer;
        return new Placer(window);
    }

    // The aim of the next show, set by the caller before it shows the window.
    void aimNextShow(Aim aim, const QRect& anchor = QRect())
    {
        nextAim_ = aim;
        anchor_ = anchor;
    }

    // The window is being shown: placed with its frame as known now, then watched until it is framed.
    void shown()
    {
        if (nextAim_) {
            aim_ = *nextAim_;
            nextAim_.reset();
        } else {
            // A window placed by the program before it is shown stays there, on the screen; a dialog over a
            // window of the program opens centred over that window, on the screen; any other window centred.
            const QWidget* parent = window_->parentWidget();
            anchor_ = QRect();
            if (window_->testAttribute(Qt::WA_Moved)) {
                aim_ = Aim::OnScreen;
            } else if (window_->windowType() == Qt::Dialog && parent && parent->isVisible()) {
                aim_ = Aim::OverParent;
                anchor_ = parent->window()->frameGeometry();
            } else {
                aim_ = Aim::Centred;
            }
        }
        designed_ = window_->geometry();
        place(frameMarginsOf(window_));
        checks_ = 0;
        timer_.start();
    }

private:
    static constexpr int kCheckMs = 50;
    static constexpr int kSettleMs = 2000;

    QRect target(const QMargins& margins) const
    {
        const QScreen* screen = window_->screen();
        if (!screen)
            return designed_;
        const QRect area = screen->availableGeometry();
        switch (aim_) {
        case Aim::Beside: return placementBeside(margins, designed_.size(), anchor_, area);
        case Aim::OnScreen: return clampedPlacement(margins, designed_, area);
        case Aim::OverParent: {
            QRect frame(QPoint(), designed_.size().grownBy(margins));
            frame.moveCenter(anchor_.center());
            return clampedPlacement(margins, frame.marginsRemoved(margins), area);
        }
        case Aim::Centred: break;
        }
        return placement(margins, designed_.size(), area);
    }

    void place(const QMargins& margins)
    {
        placedWith_ = margins;
        const QRect client = target(margins);
        if (window_->geometry() != client)
            window_->setGeometry(client);
    }

    void placeAgainWhenFramed()
    {
        if (!window_->isVisible()) {
            timer_.stop();
            return;
        }
        const std::optional<QMargins> frame = reportedFrame(window_);
        if (frame && *frame != placedWith_)
            place(*frame);
    }

    QWidget* window_;
    QTimer timer_;
    int checks_ = 0;
    Aim aim_ = Aim::Centred;
    std::optional<Aim> nextAim_;
    QRect anchor_;
    QRect designed_;
    QMargins placedWith_;
};

bool placedWhenShown(const QWidget* widget)
{
    if (!widget->isWindow())
        return false;
    switch (widget->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Tool: return true;
    default: return false; // menus, tool tips, pop-ups, splash screens place themselves
    }
}

class PlacementFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A spontaneous show is a window coming back from the task bar: it stays where it was.
        if (event->type() == QEvent::Show && !event->spontaneous() && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (placedWhenShown(widget))
                Placer::of(widget)->shown();
        }
        return false;
    }
};

bool& placementInstalled()
{
    static bool installed = false;
    return installed;
}

// Places a window that no show event will place (placement not installed, or the window already shown).
void placeUnlessShowPlaces(QWidget* window)
{
    if (placementInstalled() && !window->isVisible())
        return;
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize(); // the size the show would give it
    Placer::of(window)->shown();
}

void showInFront(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

QMargins frameMarginsOf(const QWidget* window)
{
    if (window->windowFlags().testFlag(Qt::FramelessWindowHint))
        return {};
    if (const std::optional<QMargins> frame = reportedFrame(window))
        return *frame;
    if (!lastFrameSeen().isNull())
        return lastFrameSeen();
    const QStyle* style = window->style();
    const int border = std::max(1, style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window));
    return {border, style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window) + border, border, border};
}

void installWindowPlacement()
{
    if (placementInstalled() || !qApp)
        return;
    placementInstalled() = true;
    qApp->installEventFilter(new PlacementFilter(qApp));
}

void showCentred(QWidget* window)
{
    Placer::of(window)->aimNextShow(Placer::Aim::Centred);
    placeUnlessShowPlaces(window);
    showInFront(window);
}

void showBeside(QWidget* window, const QWidget* anchor)
{
    if (!anchor || !anchor->isVisible()) {
        showCentred(window);
        return;
    }
    Placer::of(window)->aimNextShow(Placer::Aim::Beside, QRect(anchor->mapToGlobal(QPoint(0, 0)), anchor->size()));
    placeUnlessShowPlaces(window);
    showInFront(window);
}

} // namespace korvel::ui
