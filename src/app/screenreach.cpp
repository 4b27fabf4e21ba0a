#include "screenreach.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <limits>

QPoint reachablePosition(const QRect &frame, const QList<QRect> &areas)
{
    const auto clamped = [&frame](const QRect &area) {
        return QPoint(
            std::max(area.left(), std::min(frame.left(), area.right() - frame.width() + 1)),
            std::max(area.top(), std::min(frame.top(), area.bottom() - frame.height() + 1)));
    };
    const auto distance = [middle = frame.center()](const QRect &area) {
        const qint64 dx = std::max({ area.left() - middle.x(), 0, middle.x() - area.right() });
        const qint64 dy = std::max({ area.top() - middle.y(), 0, middle.y() - area.bottom() });
        return dx * dx + dy * dy;
    };
    QRect nearest;
    qint64 nearestDistance = std::numeric_limits<qint64>::max();
    for (const QRect &area : areas) {
        if (clamped(area) == frame.topLeft())
            return frame.topLeft();
        if (distance(area) < nearestDistance) {
            nearest = area;
            nearestDistance = distance(area);
        }
    }
    return nearest.isEmpty() ? frame.topLeft() : clamped(nearest);
}

void keepWithinScreens(QWidget &window)
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (!screen->availableGeometry().isEmpty())
            areas << screen->availableGeometry();
    }
    const QRect frame = window.frameGeometry();
    window.move(window.pos() + reachablePosition(frame, areas) - frame.topLeft());
}
