// GlbCor: colour texts, the classic palette and colours applied to objects.

#include "GlbCor.h"

#include "Convert.h"
#include "GlbVar.h"
#include "ModuleState.h"
#include "NumFxd.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv {

namespace {

// The classic 16-colour palette as red, green, blue.
constexpr int kPalette[16][3] = {
    {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},   {128, 0, 0}, {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},     {0, 255, 0}, {0, 255, 255},
    {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
};

int32_t colourOfNumber(double v) {
    return CLng(Variant(v));
}

// One part of RGB: rounded half to even as the language's Integer argument, negative refused,
// above 255 taken as 255.
int rgbPart(double v) {
    const int16_t n = CInt(Variant(v));
    if (n < 0) throw VbError(err::InvalidCall);
    return n > 255 ? 255 : n;
}

void applyColour(const DispatchPtr& obj, const QString& member, const Variant& colour) {
    // the object keeps its colour when the value gives none or the object refuses it
    vbTrap([&] {
        if (!obj) return;
        int32_t c = 0;
        if (colour.isString()) {
            const QString& text = colour.rawString();
            if (text == u"-") return;
            QString kind;
            CorTxCnv(text, c, kind);
        } else {
            c = CLng(colour);
        }
        obj->put(member, Variant(c));
    });
}

QString textOf(const Variant& v) {
    QString t;
    TxCnvPrp(v, t);
    return t;
}

} // namespace

GlbCorState& glbCorState() {
    return moduleState<GlbCorState>();
}

void glbCorReset() {
    resetModuleState<GlbCorState>();
}

int32_t QBColor(int n) {
    if (n < 0 || n > 15) throw VbError(err::InvalidCall);
    return RGB(kPalette[n][0], kPalette[n][1], kPalette[n][2]);
}

int32_t RGB(double red, double green, double blue) {
    const int r = rgbPart(red);
    const int g = rgbPart(green);
    const int b = rgbPart(blue);
    return int32_t(r | (g << 8) | (b << 16));
}

void CorTxCnv(const QString& text, int32_t& colour, QString& kind) {
    // a text that gives no colour that fits leaves colour (and kind) as they were
    vbTrap([&] {
        const QChar first = text.isEmpty() ? QChar() : ucaseChar(text.at(0));
        if (first == u'W') {
            colour = colourOfNumber(Val(QStringView(text).mid(1)));
        } else if (first == u'-') {
            colour = colourOfNumber(Val(text));
        } else if (first == u'H') {
            double v = Val(QString(u'&' + text));
            if (v < 0) v += 65536;
            colour = colourOfNumber(v);
            kind = QStringLiteral("H");
        } else if (text.contains(u',')) {
            const QStringList parts = text.split(u',');
            auto part = [&](int i) { return i < parts.size() ? Val(parts.at(i)) : 0.0; };
            colour = RGB(part(0), part(1), part(2));
            kind = QStringLiteral("RGB");
        } else {
            const double v = Val(text);
            if (v >= 1 && v <= 15) {
                colour = QBColor(CInt(Variant(v)));
                kind = QStringLiteral("QB");
            } else {
                colour = colourOfNumber(v);
                kind = QStringLiteral("NC");
            }
        }
    });
}

void CorVal(const Variant& value, int32_t& colour, int& ok) {
    ok = 1;
    if (value.isString()) {
        QString kind;
        CorTxCnv(value.rawString(), colour, kind);
        if (value.rawString() == u"-") ok = 0;
        return;
    }
    const double v = toDouble(value);
    if (v >= 0 && v <= 15)
        colour = QBColor(CInt(Variant(v)));
    else
        colour = CLng(value);
}

int32_t CorValCon(const Variant& value) {
    int32_t colour = 0;
    int ok = 0;
    CorVal(value, colour, ok);
    return colour;
}

void CorRgbSep(int32_t colour, int& red, int& green, int& blue) {
    const uint32_t c = uint32_t(colour);
    red = int(c & 0xFF);
    green = int((c >> 8) & 0xFF);
    blue = int((c >> 16) & 0xFF);
}

void CorTxRgb(int32_t colour, Variant& target) {
    int r = 0, g = 0, b = 0;
    CorRgbSep(colour, r, g, b);
    QString tr, tg, tb;
    const QString zero = QStringLiteral("0");
    NumTxPad(Variant(int32_t(r)), 3, zero, tr);
    NumTxPad(Variant(int32_t(g)), 3, zero, tg);
    NumTxPad(Variant(int32_t(b)), 3, zero, tb);
    VarAtr(Variant(tr + u',' + tg + u',' + tb), target);
}

void CorNomVal(const QString& name, QString& spec, int& found) {
    int code = 0;
    IdxArrCon(glbCorState().CorNomIdx, UCase(Trim(name)), spec, code);
    found = code > 0 ? 1 : 0;
}

void CorParSep(const QString& text, QString& back, QString& fore) {
    const qsizetype plus = text.indexOf(u'+');
    if (plus < 0) {
        back = text;
        fore.clear();
        return;
    }
    back = text.left(plus);
    fore = text.mid(plus + 1);
}

void CorObBgAct(const DispatchPtr& obj, const Variant& colour) {
    applyColour(obj, QStringLiteral("BackColor"), colour);
}

void CorObFgAct(const DispatchPtr& obj, const Variant& colour) {
    applyColour(obj, QStringLiteral("ForeColor"), colour);
}

void CorObAct(const DispatchPtr& obj, const Variant& back, const Variant& fore) {
    if (!Trim(textOf(fore)).isEmpty()) {
        CorObBgAct(obj, back);
        CorObFgAct(obj, fore);
        return;
    }
    QString spec;
    int found = 0;
    if (back.isString()) CorNomVal(back.rawString(), spec, found);
    if (found) {
        QString b, f;
        CorParSep(spec, b, f);
        CorObBgAct(obj, Variant(b));
        CorObFgAct(obj, Variant(f));
        return;
    }
    CorObBgAct(obj, back);
}

} // namespace zv
