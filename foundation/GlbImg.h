#pragma once
// GlbImg: copying rectangles between drawing surfaces ("device contexts") and converting twips
// to pixels. A surface is given as an object (its "hdc" property), as the text "S" for the
// screen, or as a surface number itself; the copy goes through the window service of the
// process context. A logical pixel is 15 twips on every screen.

#include "Variant.h"
#include "WindowService.h"

#include <QString>
#include <optional>

namespace zv {

constexpr int kTwipsPerPixel = 15;

// The surface of a value: an object gives kind "O" and its hdc property; the text "S" kind "H"
// and the screen; any other value kind "H" and the value as a number. Errors are trapped (hdc
// stays 0).
void ImgHdc(const Variant& value, DeviceContext& hdc, QString& kind);
// Copies the w x h rectangle at (xs, ys) of src to (xd, yd) of dst; a missing xd or yd takes
// xs or ys. 1 when the copy worked, else 0.
int ImgBlt(DeviceContext srcDC, int xs, int ys, int w, int h, DeviceContext dstDC,
           std::optional<int> xd = std::nullopt, std::optional<int> yd = std::nullopt);
// ImgBlt between two values resolved by ImgHdc; a screen surface taken for the copy is given
// back afterwards.
int ImgCop(const Variant& src, int xs, int ys, int w, int h, const Variant& dst,
           std::optional<int> xd = std::nullopt, std::optional<int> yd = std::nullopt);
// The screen's twips per pixel, horizontal and vertical.
void ScrTpp(int& tx, int& ty);
// Twips to pixels.
void TwpPix(double x, double y, double& px, double& py);

} // namespace zv
