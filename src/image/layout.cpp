#include "layout.h"

DrawRect layoutPicture(int w, int h, int cw, int ch, bool center, bool proportional, bool stretch)
{
    DrawRect r{0, 0, w, h};
    if (stretch || (proportional && (w > cw || h > ch))) {
        if (proportional && w > 0 && h > 0) {
            const double ratio = static_cast<double>(w) / h;
            if (w > h) {
                r.width = cw;
                r.height = static_cast<int>(cw / ratio);
                if (r.height > ch) {
                    r.height = ch;
                    r.width = static_cast<int>(ch * ratio);
                }
            } else {
                r.height = ch;
                r.width = static_cast<int>(ch * ratio);
                if (r.width > cw) {
                    r.width = cw;
                    r.height = static_cast<int>(cw / ratio);
                }
            }
        } else {
            r.width = cw;
            r.height = ch;
        }
    }
    if (center) {
        r.x = (cw - r.width) / 2;
        r.y = (ch - r.height) / 2;
    }
    return r;
}
