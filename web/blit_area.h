// The part of a picture a blit copies, worked out as SDL 1.2 does it, for the browser's SDL,
// which does not move the source along when it cuts the destination to its clip rectangle.
#pragma once

struct BlitRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

struct BlitArea {
    // Where the copied part lies in the source and where it lands; w and h are 0 when nothing
    // is copied.
    BlitRect from;
    BlitRect to;
};

// A blit of the rectangle from (the whole source of source_w by source_h when null) to the
// position (to_x, to_y): the rectangle kept within the source, and the copy cut to clip, the
// destination's clip rectangle, the source cut along with it.
BlitArea blit_area(int source_w, int source_h, const BlitRect* from, int to_x, int to_y,
                   BlitRect clip);
