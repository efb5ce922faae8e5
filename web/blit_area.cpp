#include "web/blit_area.h"

namespace {

// Cuts one axis of the copy to [low, high) at the destination, moving the source with it.
void cut(int& from, int& to, int& length, int low, int high) {
    if (to < low) {
        length -= low - to;
        from += low - to;
        to = low;
    }
    if (to + length > high) {
        length = high - to;
    }
}

}  // namespace

BlitArea blit_area(int source_w, int source_h, const BlitRect* from, int to_x, int to_y,
                   BlitRect clip) {
    BlitArea area;
    area.from = from != nullptr ? *from : BlitRect{0, 0, source_w, source_h};
    area.to = BlitRect{to_x, to_y, area.from.w, area.from.h};
    BlitRect& f = area.from;
    BlitRect& t = area.to;
    // Within the source: a part outside it moves the landing place as it is cut off.
    cut(t.x, f.x, f.w, 0, source_w);
    cut(t.y, f.y, f.h, 0, source_h);
    cut(f.x, t.x, f.w, clip.x, clip.x + clip.w);
    cut(f.y, t.y, f.h, clip.y, clip.y + clip.h);
    if (f.w <= 0 || f.h <= 0) {
        f.w = f.h = 0;
    }
    t.w = f.w;
    t.h = f.h;
    return area;
}
