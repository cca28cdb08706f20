#pragma once
// The screen as the system's forms measure it: its size in twips and the twips to one pixel,
// across and down. Form code takes it as a value, so that a program can place its forms for a
// screen other than the one it runs on and tests can fix it.

namespace zv {

struct ScreenInfo {
    int width = 0;  // twips
    int height = 0; // twips
    int twipsPerPixelX = 15;
    int twipsPerPixelY = 15;

    // The primary screen now (a size of 0 when there is no screen).
    static ScreenInfo primary();
};

} // namespace zv
