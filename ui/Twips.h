#pragma once
// Lengths as the system's windows measure them: twips, 1/1440 inch. A logical pixel is 1/96 inch,
// so there are always 15 twips to the pixel; high-DPI scaling is Qt's business, not ours. Every
// table and property keeps twips; pixels appear only at the widget boundary.

namespace zv {

constexpr int kTwipsPerPixel = 15;

// The pixels of a length in twips, rounded half to even, clamped to what a widget can hold.
int twipsToPixels(double twips);
inline double pixelsToTwips(int pixels) {
    return double(pixels) * kTwipsPerPixel;
}

// A position in twips as a property takes it; 380 when it is not a finite number.
double checkedPosition(double twips);
// A width or height in twips as a property takes it; 380 when it is below 0 or not finite.
double checkedLength(double twips);

// The primary screen's size in twips (0 without a screen).
double screenWidthTwips();
double screenHeightTwips();

} // namespace zv
