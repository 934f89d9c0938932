#pragma once
// Where the help and info windows go: centred on the main window, kept wholly on its
// screen. Positions and sizes here are those of the frames the window system draws
// around the windows, title bar included.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The frame's top-left corner for a window whose frame is `frame` large, centred on
// `owner` and moved as little as needed to lie within `available`; a frame larger than
// `available` keeps its top-left corner in it.
QPoint CentredWithin(QSize frame, const QRect& owner, const QRect& available);

// The widths of the frame around a shown top-level window; none before it is shown.
QMargins FrameMargins(const QWidget& window);

// Shows window, hidden so far, centred on owner's frame and wholly on owner's screen.
// Its frame is taken to be as wide as owner's: the window system draws it only on showing.
void ShowCentredOn(QWidget& window, const QWidget& owner);
