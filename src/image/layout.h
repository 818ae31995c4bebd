#pragma once

// Where a picture of w x h pixels is drawn in a view of cw x ch pixels, by the image control's
// layout flags.
struct DrawRect
{
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const DrawRect&) const = default;
};

DrawRect layoutPicture(int w, int h, int cw, int ch, bool center, bool proportional, bool stretch);
