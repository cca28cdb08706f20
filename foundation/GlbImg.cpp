#include "GlbImg.h"

#include "Convert.h"
#include "Dispatch.h"
#include "ProcessContext.h"

namespace zv {

namespace {

bool isScreenText(const Variant& v) {
    return v.isString() && v.rawString() == QLatin1String("S");
}

DeviceContext surfaceNumber(const Variant& v) {
    const double d = toDouble(v);
    // Handles are whole numbers; a negative 32-bit one is its unsigned bit pattern.
    if (d < 0) return DeviceContext(uint32_t(int32_t(d)));
    return DeviceContext(d);
}

} // namespace

void ImgHdc(const Variant& value, DeviceContext& hdc, QString& kind) {
    hdc = 0;
    vbTrap([&] {
        if (value.isObject()) {
            kind = QStringLiteral("O");
            if (!value.rawObject()) vbRaise(err::ObjectNotSet);
            hdc = surfaceNumber(value.rawObject()->get(QStringLiteral("hdc")));
        } else if (isScreenText(value)) {
            kind = QStringLiteral("H");
            hdc = ProcessContext::current().windows().screen();
        } else {
            kind = QStringLiteral("H");
            hdc = surfaceNumber(value);
        }
    });
}

int ImgBlt(DeviceContext srcDC, int xs, int ys, int w, int h, DeviceContext dstDC,
           std::optional<int> xd, std::optional<int> yd) {
    const bool ok = ProcessContext::current().windows().copyRect(
        dstDC, xd.value_or(xs), yd.value_or(ys), w, h, srcDC, xs, ys);
    return ok ? 1 : 0;
}

int ImgCop(const Variant& src, int xs, int ys, int w, int h, const Variant& dst,
           std::optional<int> xd, std::optional<int> yd) {
    DeviceContext s = 0, d = 0;
    QString ks, kd;
    ImgHdc(src, s, ks);
    ImgHdc(dst, d, kd);
    const int r = ImgBlt(s, xs, ys, w, h, d, xd, yd);
    WindowService& windows = ProcessContext::current().windows();
    if (isScreenText(src) && s) windows.releaseScreen(s);
    if (isScreenText(dst) && d) windows.releaseScreen(d);
    return r;
}

void ScrTpp(int& tx, int& ty) {
    tx = kTwipsPerPixel;
    ty = kTwipsPerPixel;
}

void TwpPix(double x, double y, double& px, double& py) {
    int tx = 0, ty = 0;
    ScrTpp(tx, ty);
    px = x / tx;
    py = y / ty;
}

} // namespace zv
