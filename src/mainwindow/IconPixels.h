// The installed icon's pictures (data/icons/notorio-N.png) as pixels built
// into the program, for the window icon: the first image the program reads
// from a file costs a scan of the image plug-ins, and drawing them costs
// more than the whole icon needs. Generated at build time by
// notorio_icon_pixels (IconPixelsMaker.cpp) from the PNG files themselves.
#pragma once

#include <cstddef>
#include <cstdint>

namespace iconpixels {

// A square picture: `size` × `size` pixels, row by row, each 0xAARRGGBB
// premultiplied (the form the window system takes).
struct Picture {
    int size;
    const std::uint32_t* argb;
};

extern const Picture kPictures[];
extern const std::size_t kPictureCount;

} // namespace iconpixels
