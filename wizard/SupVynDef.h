#pragma once
// The tables the wizard engine builds from its definition. Each table is kept with an element 0
// that exists and stays empty, entries from 1, so a table's count is its upper bound.

#include <QString>
#include <array>
#include <cstdint>

namespace zv {

// One entry of a "VAR", "PON" or "ZON" zone: a script variable stem and its expression text.
struct ZpoDef {
    QString Ide; // the bracketed key as written (the variable stem); "" without brackets
    QString Des; // the entry's label
    QString Tip; // "V", "P" or "Z"
    QString Val; // the value: one expression, "x, y" or "x1, y1, x2, y2"
    QString Rsv; // kept empty
};

// What a button does on a page: its "TRATIP", upper-cased and trimmed, read once. Any other
// text acts as an empty one.
enum class TraKind : uint8_t { None, Pag, Fx, Fim };
TraKind traKindOf(const QString& tratip);

// One button of one page ("TRA" zone). A record whose IDE is "" means the page has no such
// button.
struct TraDef {
    QString IDE;    // "ANT", "SEG", "CNF" or "CAN"
    QString DES;    // caption
    QString POS;    // position text "x, y" (pixels)
    QString SIT;    // state list
    QString TRATIP; // what the button does: "PAG", "FX", "FIM" or ""
    QString TRAPAG; // target page identifier
    QString TRAFX;  // script procedure
    int32_t X = 0;  // position in twips
    int32_t Y = 0;
    TraKind Kind = TraKind::None; // TRATIP read
};

// The buttons of a page by their index in PagDef::Tra.
enum TraIdx { TraAnt = 1, TraSeg = 2, TraCnf = 3, TraCan = 4 };

// One page ("PAG" zone); its number is its index in the page table.
struct PagDef {
    QString IDE;
    QString DES;
    QString Img;               // background picture, used as written
    std::array<TraDef, 5> Tra; // 1 Back, 2 Next, 3 Confirm, 4 Cancel; 0 unused
    QString FxPagEnt;
    QString FxPagSai;
    // The page's controls in the control table: first, last and count. A page without
    // controls has CmpIni = the count of controls before it + 1, CmpFim 0, CmpNum 0.
    int16_t CmpIni = 0;
    int16_t CmpFim = 0;
    int16_t CmpNum = 0;
};

// The kind of a page control: its "Tip", compared exactly (as the definition writes it, in
// upper case), read once. Any other text makes no control.
enum class CmpKind : uint8_t { Other, Lab, Ckb, Rtf, Opc, OpcTxt };
CmpKind cmpKindOf(const QString& tip);

// One control of a page ("CMP" zone). Its index in the control table is the index of its
// element in the window's control array of its kind.
struct CmpDef {
    // As the zone gives them.
    QString Ide;
    QString Nom;                   // a name nothing fills
    QString Tip;                   // "LAB", "CKB", "RTF", "OPC", "OPCTXT"
    CmpKind Kind = CmpKind::Other; // Tip read
    QString Pos;
    QString Dim;
    QString Fun;
    QString Cor;
    QString Fon;
    QString Aln;
    QString Txt;
    QString Adi;
    QString Sit;
    // Worked out when the controls are built: twips (W and H -1 when not given), colours (-1:
    // none, so transparent or the default text colour), font parts, alignment, text to show.
    int32_t X = 0;
    int32_t Y = 0;
    int32_t W = -1;
    int32_t H = -1;
    int32_t CorFg = -1;
    int32_t CorBg = -1;
    QString FonNom;
    int16_t FonTam = -1;
    QString FonEst;
    int16_t AlnVal = 0;
    QString TxtVer;
};

} // namespace zv
