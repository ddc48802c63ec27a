// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_placement.h"

#include <algorithm>
#include <array>

namespace tarnis {

namespace {

// A little air between the two windows.
constexpr int Gap = 8;

// A room of the screen that the new window may take, and how it lines up with the other window.
struct Room {
    QRect area;
    bool across; // the window goes beside (left or right), else above or below
};

// The window within a room: as large as the room allows up to the preferred size, centred on the other
// window's middle along the room, against its start (left or top) or its end.
QRect fitInto(const Room& room, const PlacementRequest& request, bool atStart)
{
    const QSize size(std::min(request.preferred.width(), std::max(room.area.width(), request.smallest.width())),
                     std::min(request.preferred.height(), std::max(room.area.height(), request.smallest.height())));
    QRect frame(QPoint(), size);
    const QPoint middle = request.other.center();
    if (room.across) {
        frame.moveLeft(atStart ? room.area.left() : room.area.right() - size.width() + 1);
        frame.moveTop(middle.y() - size.height() / 2);
    } else {
        frame.moveTop(atStart ? room.area.top() : room.area.bottom() - size.height() + 1);
        frame.moveLeft(middle.x() - size.width() / 2);
    }
    // Within the screen, the near side first.
    const QRect& screen = request.available;
    frame.moveLeft(std::clamp(frame.left(), screen.left(), std::max(screen.left(), screen.right() - size.width() + 1)));
    frame.moveTop(std::clamp(frame.top(), screen.top(), std::max(screen.top(), screen.bottom() - size.height() + 1)));
    return frame;
}

bool holds(const QRect& area, const QSize& smallest)
{
    return area.width() >= smallest.width() && area.height() >= smallest.height();
}

// How many pixels of the part to keep the frame covers.
long long covered(const QRect& frame, const QRect& keep)
{
    const QRect both = frame.intersected(keep);
    return both.isEmpty() ? 0 : (long long)both.width() * both.height();
}

} // namespace

QRect placeBeside(const PlacementRequest& request)
{
    const QRect& screen = request.available;
    const QRect& other = request.other;
    const QRect& keep = request.keepInSight;
    const auto span = [&](int left, int top, int right, int bottom) {
        return QRect(QPoint(left, top), QPoint(right, bottom)).intersected(screen);
    };
    // Each room, and whether the window goes to its near (left or top) side.
    const std::array<std::pair<Room, bool>, 6> rooms{{
        {{span(other.right() + 1 + Gap, screen.top(), screen.right(), screen.bottom()), true}, true},
        {{span(screen.left(), screen.top(), other.left() - 1 - Gap, screen.bottom()), true}, false},
        {{span(keep.right() + 1 + Gap, screen.top(), screen.right(), screen.bottom()), true}, true},
        {{span(screen.left(), screen.top(), keep.left() - 1 - Gap, screen.bottom()), true}, false},
        {{span(screen.left(), keep.bottom() + 1 + Gap, screen.right(), screen.bottom()), false}, true},
        {{span(screen.left(), screen.top(), screen.right(), keep.top() - 1 - Gap), false}, false},
    }};
    for (const auto& [room, nearSide] : rooms)
        if (holds(room.area, request.smallest))
            return fitInto(room, request, nearSide);
    // No room is large enough: the smallest window where it covers least of the part to keep.
    QRect best;
    long long least = -1;
    for (const auto& [room, nearSide] : rooms) {
        PlacementRequest smallest = request;
        smallest.preferred = request.smallest;
        const QRect frame = fitInto(room, smallest, nearSide);
        if (least < 0 || covered(frame, keep) < least) {
            least = covered(frame, keep);
            best = frame;
        }
    }
    return best;
}

} // namespace tarnis
