// Where a dialog opens: centred over its owner, or over the screen's work area when it has no
// owner to be centred over, and kept inside the work area. Portable arithmetic, tested natively;
// CenterWindow (ui/center_window.h) applies it to a real window.
#pragma once

namespace kolt::ui {

struct Rectangle {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const Rectangle&, const Rectangle&) = default;
};

struct Position {
    int x = 0;
    int y = 0;
    friend bool operator==(const Position&, const Position&) = default;
};

// The top left corner that centres a window `width` × `height` over `reference`, moved back
// inside `workArea` where it would stick out; a window larger than the work area keeps its top
// left corner inside it, so its caption stays reachable.
constexpr Position CenteredPosition(int width, int height, const Rectangle& reference,
                                    const Rectangle& workArea) {
    Position position{(reference.left + reference.right) / 2 - width / 2,
                      (reference.top + reference.bottom) / 2 - height / 2};
    if (position.x + width > workArea.right) {
        position.x = workArea.right - width;
    }
    if (position.x < workArea.left) {
        position.x = workArea.left;
    }
    if (position.y + height > workArea.bottom) {
        position.y = workArea.bottom - height;
    }
    if (position.y < workArea.top) {
        position.y = workArea.top;
    }
    return position;
}

}  // namespace kolt::ui
