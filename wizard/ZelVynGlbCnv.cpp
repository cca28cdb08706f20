// ZelVynGlb: the converters of the definition's control values.

#include "ZelVynGlbCnv.h"

#include "Convert.h"
#include "GlbCor.h"
#include "GlbImg.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv {

namespace {

bool numeric(const QString& part) {
    return IsNumeric(Variant(part));
}

// Pixels of a numeric text to whole twips along one axis.
int32_t twipsOf(const QString& part, int twipsPerPixel) {
    return CLng(Variant(Val(part) * twipsPerPixel));
}

} // namespace

void PosTwpCon(const QString& text, int32_t& x, int32_t& y) {
    int tx = 0, ty = 0;
    ScrTpp(tx, ty);
    QString xPart, rest;
    TxSepRes(text, QStringLiteral(","), xPart, rest);
    if (numeric(xPart)) x = twipsOf(xPart, tx);
    if (numeric(rest)) y = twipsOf(rest, ty);
}

void DimTwpCon(const QString& text, int32_t& w, int32_t& h) {
    w = -1;
    h = -1;
    int tx = 0, ty = 0;
    ScrTpp(tx, ty);
    QString wPart, rest, hPart, ignored;
    TxSepRes(Trim(text), QStringLiteral(","), wPart, rest);
    TxSepRes(rest, QStringLiteral(","), hPart, ignored);
    if (numeric(wPart)) w = twipsOf(wPart, tx);
    if (numeric(hPart)) h = twipsOf(hPart, ty);
}

void CorCon(const QString& text, int32_t& colour) {
    if (text.isEmpty()) {
        colour = -1;
        return;
    }
    int32_t c = -1;
    QString kind;
    CorTxCnv(text, c, kind);
    colour = (kind != u"NC" && c >= 0) ? c : -1;
}

void FonTxtCon(const QString& text, QString& name, int16_t& size, QString& style) {
    QString rest, sizePart, stylePart;
    TxSepRes(text, QStringLiteral(","), name, rest);
    TxSepRes(rest, QStringLiteral(","), sizePart, stylePart);
    size = -1;
    if (numeric(sizePart)) size = CInt(Variant(Val(sizePart)));
    style = UCase(Trim(stylePart));
}

void AlnCon(const QString& word, int16_t& alignment) {
    const QString w = UCase(Trim(word));
    if (w == u"CENTRO" || w == u"|" || w == u"-")
        alignment = 2;
    else if (w == u"DIREITA" || w == u">")
        alignment = 1;
    else
        alignment = 0;
}

} // namespace zv
