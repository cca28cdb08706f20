// SupFrm: the colour palette, its file, and colours applied to controls and grids.
#include "SupFrm.h"

#include "FicGlb.h"
#include "GlbCor.h"
#include "GlbVar.h"
#include "PaletteGrid.h"
#include "SupFrmState.h"
#include "TdaOpc.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv {

EntryParts splitEntry(const QString& entry) {
    EntryParts p;
    const QStringList parts = entry.split(u'+');
    p.background = parts.value(0);
    p.foreground = parts.value(1);
    p.part3D = parts.value(2);
    // The picture is all that follows the third "+".
    if (parts.size() > 3) p.picture = parts.mid(3).join(u'+');
    return p;
}

// ---- the palette file ----

void SupFrm::CorPalIni(const QString& file) {
    s_->palette.clear();
    int exists = 0;
    FicExi(file, exists);
    if (exists == 0) return;
    if (exists < 0) throw VbError(-exists);
    TdaOpc par;
    par.ZonIni(file);
    QString name, type, description;
    int count = 0;
    for (;;) {
        par.ZonSeg(name, type, count, description);
        if (name.isEmpty()) break;
        if (name != QLatin1String("COR")) continue;
        for (int i = 1; i <= count; ++i) {
            QString text, label, key, value;
            int ok = 0;
            int32_t column = 0;
            par.MemConTxp(i, text, ok);
            if (ok != 1) continue;
            par.ParPrep(text, label, key, value, column);
            s_->palette.set(TxMai(key), value);
        }
    }
    par.ZonFim();
}

void SupFrm::CorPalReg(const QString& file, const QString& target, const QString& header) {
    TdaOpc par;
    int lines = 0;
    if (const int e = par.RegPrp(file, lines)) throw VbError(e);
    int refused = 0;
    if (!header.isEmpty()) refused = par.RegCabAlt(1, header);
    par.RegCabAlt(2, QStringLiteral("COR"));
    // Every line of a name: a file that names an entry twice keeps no stale value to win on
    // the next load.
    const NameValueTable& palette = s_->palette;
    for (int i = 1; i <= palette.count(); ++i) {
        const int e = par.RegVarAltTod(palette.nameAt(i), palette.valueAt(i), 0);
        if (e && !refused) refused = e;
    }
    if (const int e = par.RegExe(target, 0)) throw VbError(e);
    if (refused) throw VbError(refused);
}

QString SupFrm::CorPalEnt(const QString& name) const {
    QString entry;
    s_->palette.get(TxMai(name), entry);
    return entry;
}

QStringList SupFrm::CorPalNom() const {
    QStringList names;
    for (int i = 1; i <= s_->palette.count(); ++i)
        names << s_->palette.nameAt(i);
    return names;
}

// ---- colours of entries ----

void SupFrm::CorUsa(const QString& part, const QString& name, Variant& value, int& found) const {
    const EntryParts p = splitEntry(CorPalEnt(name));
    const QString text = Trim(TxMai(part) == QLatin1String("B") ? p.background : p.foreground);
    if (text.isEmpty() || text == QLatin1String("-")) {
        found = 0;
        VarIniTip(value);
        return;
    }
    found = 1;
    if (value.isString()) {
        value = Variant(text);
        return;
    }
    int32_t colour = 0;
    QString kind;
    CorTxCnv(text, colour, kind);
    VarAtr(Variant(colour), value);
}

void SupFrm::CorRegOb(const QString& name, const DispatchPtr& control) {
    const QString entry = CorPalEnt(name);
    if (Trim(entry).isEmpty()) return;
    const EntryParts p = splitEntry(entry);
    CorObBg(control, Variant(p.background));
    CorObFg(control, Variant(p.foreground));
}

namespace {

// A colour argument as CorObBgAct takes it: a text trimmed; nothing for "-" or "".
std::optional<Variant> colourToSet(const Variant& colour) {
    if (!colour.isString()) return colour;
    const QString text = Trim(colour.rawString());
    if (text.isEmpty() || text == QLatin1String("-")) return std::nullopt;
    return Variant(text);
}

} // namespace

void SupFrm::CorObBg(const DispatchPtr& control, const Variant& colour) {
    if (const auto c = colourToSet(colour)) CorObBgAct(control, *c);
}

void SupFrm::CorObFg(const DispatchPtr& control, const Variant& colour) {
    if (const auto c = colourToSet(colour)) CorObFgAct(control, *c);
}

// ---- memorising ----

void SupFrm::CorMemOb(const QString& name, const DispatchPtr& control) {
    if (!control) throw VbError(err::ObjectNotSet);
    const int32_t back = CLng(control->get(QStringLiteral("BackColor")));
    const int32_t fore = CLng(control->get(QStringLiteral("ForeColor")));
    CorMem(name, back, fore);
}

void SupFrm::CorMem(const QString& name, int32_t background, int32_t foreground) {
    Variant back{QString()}, fore{QString()};
    CorTxRgb(background, back);
    CorTxRgb(foreground, fore);
    CorMemVco(name, back.rawString() + u'+' + fore.rawString());
}

void SupFrm::CorMemVco(const QString& name, const QString& entry) {
    s_->palette.set(TxMai(name), entry);
}

// ---- grids ----

void SupFrm::CorRegGr(PaletteGrid& grid) const {
    // A colour the palette gives is set; one it does not give leaves the grid's own.
    auto colour = [&](const char* part, const char* name, auto set) {
        Variant value{int32_t(0)};
        int found = 0;
        CorUsa(QLatin1String(part), QLatin1String(name), value, found);
        if (found) vbTrap([&] { set(CLng(value)); });
    };
    vbTrap([&] { grid.setGridColor(RGB(128, 128, 128)); });
    colour("B", kGridFixedEntry, [&](int32_t c) { grid.setBackColorFixed(c); });
    colour("F", kGridFixedEntry, [&](int32_t c) { grid.setForeColorFixed(c); });
    colour("B", kGridCellEntry, [&](int32_t c) { grid.setGridBackColor(c); });
    colour("F", kGridCellEntry, [&](int32_t c) { grid.setGridForeColor(c); });
    colour("B", kGridAltEntry, [&](int32_t c) { grid.setBackColorAlternate(c); });
}

void SupFrm::CorRepGrLi(PaletteGrid& grid, int32_t row) const {
    const int32_t back = row % 2 == 0 ? grid.backColorAlternate() : grid.gridBackColor();
    GrdFlxCorLin(grid, row, back, -1, 1);
}

void SupFrm::GrdFlxCorLin(PaletteGrid& grid, int32_t row, int32_t background, int32_t foreground,
                          int skip) const {
    const int32_t cols = grid.cols();
    const int32_t first = grid.fixedCols();
    const int32_t last = std::min(cols - first - skip, cols - 1);
    grid.setRow(row);
    for (int32_t c = first; c <= last; ++c) {
        grid.setCol(c);
        grid.setCellBackColor(background);
        if (foreground >= 0) grid.setCellForeColor(foreground);
    }
}

} // namespace zv
