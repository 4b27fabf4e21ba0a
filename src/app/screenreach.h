#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

class QWidget;

// Where a window whose frame is `frame` is to go so that the whole of it lies inside one of
// `areas` (as much as fits, from the top left); where it is already so, it stays. Otherwise it goes
// into the area nearest its middle, moved as little as it can be.
QPoint reachablePosition(const QRect &frame, const QList<QRect> &areas);

// Moves `window` where the user can reach all of it, within the screens' free areas, pinned or not.
void keepWithinScreens(QWidget &window);
