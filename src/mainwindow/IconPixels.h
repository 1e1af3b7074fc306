// Pictures built into the program as pixels, made at build time by
// notorio_icon_pixels (IconPixelsMaker.cpp): the installed icon's pictures
// (data/icons/notorio-N.png) for the window icon, and the tool-bar pictures
// ToolPictures.h draws. The first image the program reads from a file costs
// a scan of the image plug-ins, and the first it draws the setting up of
// the painter; the window comes up sooner without either.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace iconpixels {

// A square picture: `size` × `size` pixels, row by row, each 0xAARRGGBB
// premultiplied (the form the window system takes).
struct Picture {
    int size;
    const std::uint32_t* argb;
};

// The installed pictures, in the order the build names them.
extern const std::span<const Picture> kWindowPictures;

// The tool-bar pictures.
extern const Picture kNewNote;
extern const Picture kOpenNote;
extern const Picture kSaveNote;
extern const Picture kSaveAs;
extern const Picture kPrintAll;

} // namespace iconpixels
