#pragma once
// Where the program's windows open: every window with its whole frame (title bar and borders included) on the
// screen's available area (the screen less the task bars).
//
// The placement itself is plain arithmetic on rectangles (placement, placementBeside, clampedPlacement). The Qt
// glue applies it: installWindowPlacement() lets every top-level window and dialog be placed as it is shown —
// a window of its own centred on the screen, a dialog over its parent kept on the screen — and, since the frame
// of a window is known only once the window manager has framed it, places it again with the real frame as soon
// as it is known. A window larger than the area takes the area (its content scrolls or is laid out smaller).
//
//     installWindowPlacement();          // once, by the program
//     showCentred(optionsWindow);        // shown centred, in front and active
//     showBeside(helpWindow, button);    // shown beside the button that asked for it, wholly on the screen
#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace korvel::ui {

// The client rectangle (what QWidget::setGeometry takes) of a window of designedSize whose frame adds
// frameMargins: the frame centred on availableRect. In a direction where the frame does not fit, the frame
// takes the whole of that direction of the area and the client shrinks by as much.
QRect placement(const QMargins& frameMargins, const QSize& designedSize, const QRect& availableRect);

// The client rectangle of a window placed beside anchor (a rectangle in screen coordinates, such as the button
// that asked for it): its frame's left edge just right of the anchor, its top level with the anchor's top. Where
// the frame would leave the area it goes to the anchor's left, then is moved back inside the area; a window
// larger than the area shrinks as in placement.
QRect placementBeside(const QMargins& frameMargins, const QSize& size, const QRect& anchor, const QRect& availableRect);

// The client rectangle client moved (and, when larger than the area, shrunk) the least so that its frame lies
// within availableRect.
QRect clampedPlacement(const QMargins& frameMargins, const QRect& client, const QRect& availableRect);

// Lets every top-level window and dialog of the program be placed when it is shown (above). Idempotent.
void installWindowPlacement();

// Shows a window centred on the screen by its frame, in front and active.
void showCentred(QWidget* window);

// Shows a window beside anchor (a widget of another window), wholly on the screen, in front and active.
void showBeside(QWidget* window, const QWidget* anchor);

// The frame margins of a window as the window system has them; for a window not framed yet, an estimate
// (the frame of the last window framed, else the style's title bar and borders).
QMargins frameMarginsOf(const QWidget* window);

} // namespace korvel::ui
