#pragma once
// SupFlx: grid support. One object drives one grid control (GridWidget) for a host form: it
// keeps a registry of the grid's columns, reads and writes cells as a two-dimensional array,
// keeps count of the data rows in use through every row operation, sizes the grid to its form
// and scrolls it, and keeps icons, notes and hidden data in cells.
//
// Numbering. Rows are the grid's: row 0 is the header row, data rows run from 1. The column
// registry and the members that say "1-based" count columns from 1 (registered column c is grid
// column c - 1); the others take grid columns (from 0). The last used row (U below) is the
// number of data rows in use, 0 for none; rows beyond it are spare empty rows that fill the
// grid's visible height. Column 0 usually shows the row numbers (LiCnt).
//
// Lengths are twips. The grid's place and size are those of its widget in its parent.
//
// Errors. A member raises the grid's run-time error (VbError: 381 for a row or column outside
// the grid, 380 for a value the grid refuses, 91 when no grid is bound, 9 for an array index
// outside the array) unless it says that it traps errors: those end quietly, leaving what was
// done so far. Nothing is shown to the person.
//
// Cell content. A cell's content is its text, its hidden data text and its picture. The row
// copies and clears (LiCop, LiLpz and the operations built on them) carry all three, so notes
// and use states stay with their rows; the cells' colours stay where they are (the look of a
// row is its position's: alternate colours and editable marks are given by position).
//
// The grid, the record source, the callback and the image list are the host's: the object only
// refers to them, and the host keeps them alive while they are bound (a grid that is deleted is
// noticed: the object then has no grid).

#include "FlxCallback.h"
#include "GridWidget.h"
#include "ImageList.h"
#include "RecordSource.h"
#include "Variant.h"

#include <QAbstractButton>
#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>
#include <vector>

namespace zv {

class PaletteSource;

class SupFlx : public QObject {
    Q_OBJECT

public:
    // One registered column: width (twips; negative hides the column), header text ("*": the
    // header cell is left as it is), alignment code ("<" left, "|" centre, ">" right, "?"
    // general) and the definition read from the column definition text "kind:type,number".
    struct ColDef {
        int width = 0;
        QString text;
        QString align;
        // The text before the first ":" (the whole text without one): "CBK" when the host
        // supplies the values (FlxCallback), any other non-empty kind the source of the
        // column's number mask.
        QString kind;
        QString type;      // the text after ":" up to the first ","
        double number = 0; // the rest, read as a leading number
        QString mask;      // the number mask built from number
    };

    SupFlx();
    ~SupFlx() override;
    SupFlx(const SupFlx&) = delete;
    SupFlx& operator=(const SupFlx&) = delete;

    // The pair every support class has; nothing to prepare or release beyond the hooks.
    void FxIni();
    void FxFim();

    // The object's name ("SupFlx", also its QObject name) and its instance identifier.
    const QString& className() const { return className_; }
    const QString& instanceId() const { return instanceId_; }

    // ---- Binding ----

    // Binds the grid and its record source (nullptr: none), and keeps mode as the use mode
    // (UsoGr). A grid bound before is let go.
    void IniUsoGr(GridWidget* grid, RecordSource* records, const QString& mode);
    // Keeps the data kind (for example "ARR" for array-backed data), the SQL text and the two
    // further set-up texts, then empties the column registry (ColRegIni).
    void IniGda(const QString& kind, const QString& setup1, const QString& sql,
                const QString& setup2);
    void GdaSqlUsa(const QString& sql);
    // The host's callback object (nullptr: none).
    void IniCbk(FlxCallback* callback);
    // Shapes the grid for rows data rows: the kept minimum and visible rows become rows, U 0,
    // the grid gets one column per registered column, its last column takes the spare width,
    // the registered columns are applied (ColAspIni) and the grid gets rows data rows.
    void GdoCfcGrIni(int rows);

    GridWidget* grid() const { return grid_; }
    RecordSource* records() const { return records_; }
    FlxCallback* callback() const { return callback_; }
    const QString& dataKind() const { return dataKind_; }
    const QString& sqlText() const { return sql_; }
    const QString& setup1() const { return setup1_; }
    const QString& setup2() const { return setup2_; }
    // The use mode: "CON" after construction.
    const QString& UsoGr() const { return useMode_; }
    // U, the kept minimum rows and the kept visible rows.
    int lastUsedRow() const { return lastUsed_; }
    int minRows() const { return minRows_; }
    int visibleRows() const { return visibleRows_; }

    // The header-command flags, 1 or 0 (0 after construction): UsaOrd (also named OpcUsaOrd:
    // one flag) lets a header click sort the rows, OpcUsaFon lets it change the grid's font.
    // The setters take a yes/no value ("S", "Sim", 1, True ... yes; anything else no).
    int UsaOrd() const { return usaOrd_; }
    void setUsaOrd(const Variant& yes);
    int OpcUsaOrd() const { return usaOrd_; }
    void setOpcUsaOrd(const Variant& yes) { setUsaOrd(yes); }
    int OpcUsaFon() const { return opcUsaFon_; }
    void setOpcUsaFon(const Variant& yes);

    // ---- Column registry ----

    // Empties the registry.
    void ColRegIni();
    // Registers one more column.
    void ColReg(int width, const QString& text, const QString& align, const QString& def);
    int colCount() const { return int(columns_.size()); }
    // Registered column c (1..colCount()); else 9.
    const ColDef& ColTab(int c) const;
    // Applies every registered column to its grid column (ColAspDef).
    void ColAspIni();
    // Applies registered column c to grid column c - 1: alignment, width (0 for a negative
    // one), header text (unless "*"), number mask (when the kind is not empty), and the header
    // cell centred and bold. The cursor is left on that header cell.
    void ColAspDef(int c);
    // total = the sum of every grid column's width.
    void GrColLrg(int& total);
    // name = the upper-cased, trimmed name of the record source's field col - base; traps
    // errors (name unchanged).
    void RstColVar(int base, int col, QString& name);
    // n = the record source's record count; traps errors (n unchanged).
    void RecNum(int& n);

    // ---- Cells as an array ----

    // Mode "A" (upper-cased, trimmed) writes value's text into (row, col - 1); any other mode
    // reads the cell into value in value's own type. Traps errors.
    void ArrVpo(const QString& mode, int row, int col, Variant& value);
    // Reads (row, col - 1): a text value receives the text, any other value becomes the
    // Double of the text's leading number. Traps errors (value unchanged).
    void ArrCon(int row, int col, Variant& value);
    // Writes value's text into (row, col - 1). Traps errors.
    void ArrReg(int row, int col, const Variant& value);
    // ArrCon and ArrReg on grid columns (row, col). Trap errors.
    void ArrLcCon(int row, int col, Variant& value);
    void ArrLcReg(int row, int col, const Variant& value);
    // values = a 1-based array of the texts of the registered columns of row.
    void ArrLiCon(int row, Variant& values);
    // n = the grid's data rows (Rows - 1).
    void ArrNumLin(int& n);
    // arr = an array sized for rows records: rows 1..rows by registered columns 0..count - 1.
    void ArrReDim(int rows, Variant& arr);
    // Adds one record: a new used row (GrLinCri) showing its number in column 0 and the
    // elements of values from column 1.
    void GrLstCmp(const Variant& values);
    // Writes values(0), values(1), ... into columns 0, 1, ... of the current row (as far as
    // both go); isNew 1 adds a used row first (GrLinCri).
    void GrLstLin(const Variant& values, int isNew);

    // ---- Rows ----

    // Rows = rows + 1 when rows >= 0; Cols = cols when cols >= 0.
    void GrDimIni(int rows, int cols);
    // Rows = the larger of rows and the kept minimum, plus 1.
    void GrDimLin(int rows);
    void GrDimCon(int& rows, int& cols);
    // No used row, Rows 1; unless mode is "Z", then the kept visible rows (GrDimLin).
    void linIni(const QString& mode);
    // No used row and the kept visible rows of empty rows.
    void GrLpz();
    // One more grid row; rows row.. move one down, row is emptied. U does not change. A row
    // outside 1..Rows does nothing.
    void LiIns(int row);
    // One more grid row; go > 0 makes its first data cell current.
    void LiJun(int go);
    // Rows row + 1.. move one up and the last row is emptied; the grid loses its last row
    // unless that would leave fewer than the kept minimum + 1 rows or fewer than 2. U does not
    // change. A row outside the data rows does nothing.
    void LiEli(int row);
    // Copies the content of rows first..last to the rows from dest (overlapping blocks copy
    // correctly).
    void LiCop(int first, int last, int dest);
    // Empties the content of n rows from row.
    void LiLpz(int row, int n);
    // Numbers rows 1..last (every data row when not given) in column 0. Traps errors.
    void LiCnt(std::optional<int> last = {});
    // Numbers rows first..last (Rows - 1 when last < 0) num, num + 1, ... in column 0.
    void LiCnt2(int first, int num, int last);
    // One more used row (the grid grows when it has no spare row); it becomes current.
    void GrLinCri();
    // An empty used row at row (1..U; else nothing), the rows renumbered.
    void GrLinIns(int row);
    // GrLinIns, then one spare row fewer when there is one (nothing for a row outside 1..U).
    void GrLinInc(int row);
    // Removes used row row (1..U; else nothing), the rows renumbered.
    void GrLinEli(int row);
    // row = the row a code names (upper-cased, trimmed): "P" the first used row (0 with none),
    // "U" the last used row, "R" given bounded to the used rows (0 with none), "GP" the first
    // grid row, "GU" the last grid row, "GR" the row under the mouse, "GC" the current row;
    // any other code leaves row.
    void GrLinUsa(const QString& code, int& row, std::optional<int> given = {});
    // Brings row into view in the current column.
    void GrLinVis(int row);
    // Copies the texts of row src to row dst (ArrVpo, every column).
    void GrLinMov(int src, int dst);
    // Inserts a used row at row (at U when row < 1, after the used rows when row > U), the
    // rows renumbered.
    void LinIns(int row);
    // Removes used row row (U when row < 1); a row beyond U, or no used row, does nothing.
    // The rows are renumbered, the cursor stays within the used rows and the grid keeps at
    // least its kept visible rows.
    void LinEli(int row);
    // A row insertion in stages (stage upper-cased, trimmed):
    // "INI" keeps the current row as the origin, inserts an empty used row at row (bounded to
    // 1..U + 1) and brings it into view; "CNF" row = the inserted row; "CAN" removes the
    // inserted row (LinEli), brings the origin into view, renumbers the rows and gives row the
    // origin (with no insertion kept it removes nothing); "POS" brings the inserted row into
    // view and gives it to row. Other stages do nothing.
    void LinInsFx(const QString& stage, int& row);
    // Swaps row (the current row when 0) with the used row before it (dir "-") or after it
    // (any other dir): the whole content of every column; the cursor goes with it. Nothing
    // when either row is not a used row.
    void LinMov(const QString& dir, int row);
    // The rows LinMov would swap; both -1 when it would not.
    void LinMovPrp(const QString& dir, int row, int& src, int& dst);
    // step = -1 for "-", else 1.
    void DesUsa(const QString& dir, int& step);
    // Adds a row at row from text whose columns are separated by sep.
    void LinTxcIns(const QString& text, const QString& sep, int row);
    // n = the current row, 0 when it is beyond U.
    void linNum(int& n);
    // The current row's values (ArrCon) into values(1..): an array keeps its bounds and each
    // element its type (from 1 up to the registered columns); any other value becomes a
    // 1-based array of texts, one per registered column.
    void LinCur(Variant& values);
    // row, or the current row when row is 0, bounded to 1..U.
    int LinUsa(int row);
    // row = "=" the current row, "<" the row before, ">" the row after, "+" the row after the
    // used ones; any other code leaves row.
    void LinUsaTip(const QString& code, int& row);

    // ---- Cursor and selection ----

    // Makes (row, col) current and brings it into view.
    void GrCurPos(int row, int col);
    // GrCurPos on row in the current column. Traps errors.
    void GrLinPos(int row);
    // The current cell (GrCurLC) or the cell under the mouse (MouLC); base 1 or 3 adds 1 to the
    // row, base 2 or 3 adds 1 to the column.
    void GrCurLC(int& row, int& col, int base);
    void MouLC(int& row, int& col, int base);
    // row = the current row.
    void GrCurLi(int& row);
    // Makes the cell under the mouse current and the whole selection.
    void SelMou();
    // The selection's other corner = (row, col).
    void SelLC(int row, int col);
    // Selects the whole of row.
    void SelLin(int row);
    // The selected rectangle, smallest row and column first. Traps errors (values unchanged).
    void SelConZon(int& r1, int& c1, int& r2, int& c2);
    // The selected rows, and the selected columns.
    void SelConLi(int& r1, int& r2);
    void SelConCo(int& c1, int& c2);

    // ---- Sorting ----
    //
    // A sorted column's header shows its direction before the title: "[+] Nome" ascending,
    // "[-] Nome" descending. Only such a leading mark is ever taken off a header, so titles
    // that hold brackets of their own ("Valor [EUR]") stay as they are. Sorting takes the
    // used rows only: the spare rows below them stay empty and below.

    // Sorts the used rows by one column: col is a grid column for base 0, counted from 1 for
    // base 1. dir "-" descending, any other ascending; not given: the reverse of the
    // column's current mark (descending when it shows "+", else ascending). The column gets
    // the mark, every other header loses its own, and row 1 is brought into view. No used row:
    // nothing is sorted. Rows stays as it was, also when the sort fails.
    void OrdCol(int base, int col, std::optional<QString> dir = {});
    // The sort itself, on every scrolled row of the grid (OrdCol cuts the grid to its used rows
    // around it).
    void OrdColExe(int base, int col, std::optional<QString> dir = {});
    // The multi-column sort list: OrdMcPrp empties it; OrdMcReg adds one column (counted as
    // base says) with its direction "+" or "-"; OrdMcVer sorts by it (OrdMcExe).
    void OrdMcPrp();
    void OrdMcReg(int base, int col, const QString& dir);
    void OrdMcVer();
    // The list as a two-dimensional array (0 To 1, 0 To n): (0, 0) the base of the last
    // registration, (0, i) the direction and (1, i) the column of entry i.
    const Variant& OrdMcLst() const { return sortList_; }
    // Sorts the used rows by several columns: every header loses its mark and every column its
    // sort; each entry's column sorts ascending ("+") or descending ("-") and gets the mark; an
    // entry with any other direction leaves its column unsorted and unmarked. The columns are
    // keys from left to right, whatever their order in the list. An empty list, or no used row,
    // sorts nothing.
    void OrdMcExe(int base, const Variant& list);
    // Every header loses its mark, then col gets mark.
    void OrdColVer(int col, const QString& mark);
    // Every header loses its mark.
    void OrdTipLpz();
    // The mark ("+", "-", or "" for none) and the title of col's header.
    void OrdTipCon(int col, QString& mark, QString& title);
    // dir = "-" when col's header shows "+", else "+".
    void OrdTipUsa(int col, QString& dir);
    // col's header = "[" mark "] " title.
    void OrdTipVer(int col, const QString& mark);

    // ---- Header commands ----
    //
    // A press on the grid's header row is a command: the left or middle button sorts by the
    // pressed column (when UsaOrd is 1, reversing its direction each time), the right button
    // opens the font dialog (when UsaFon allows it). Presses on data rows are no commands.

    // res = "N" for a row other than the header row 0; for kind "TB" (upper-cased, trimmed)
    // "E" button 1, "D" button 2, "C" button 4; else "S".
    void CabPos(const QString& kind, int row, int button, QString& res);
    // action = the command of a press: "FON", "ORD" or "".
    void CabFx(int row, int button, QString& action);
    // The font dialog for the grid (FonSel).
    void CabFx_Fon();
    // Sorts by grid column col (OrdCol, the direction from its mark) with the hourglass shown.
    void CabFx_Ord(int col);
    // res = 1 when the header may change the grid's font: the grid's user resizing is 1, 3 or
    // 4, or OpcUsaFon is 1; else 0.
    void UsaFon(int& res);
    // The font dialog on the grid's font; when confirmed the grid takes the chosen font and
    // its header row the chosen size.
    void FonSel();

    // ---- The host's grid events ----
    //
    // The host form forwards its grid's events to these.

    // Nothing to do (hooks for the host).
    void GrEveKeyDown(int key, int shift);
    void GrEveBeforeInsert(int& cancel);
    // A record was added through the record source: it moves to its last record and, when
    // registered column 1 is a "CBK" column, the callback gives it its default values
    // (GrvVl "VDEF"). Traps errors.
    void GrEveAfterInsert();
    // Redraws the grid when its data kind is "TAB".
    void GrEveAfterUpdate();
    // The display text of value in grid column col: a "CBK" column's callback formats it
    // (FrmVl), any other column by its definition's type and number (TxTipFmt). Traps errors
    // (value unchanged).
    void GrEveFormatText(int col, Variant& value);

    // ---- Outline tree ----
    //
    // Every data row is a node with an outline level (1 the top); the outline column shows
    // each row's dotted key (1, 1.2, 1.2.3 ...), each number zero-filled to its level's width.
    // Six registered buttons move the selected nodes, each once (a node inside another selected
    // node's subtree moves with it), the selected nodes keeping their order; the last one moved
    // becomes the current row. After each button the host form (the grid's parent) is told
    // through its slot cbkFlxTreDes(QString gridName), when it has one.

    // Shows the grid as an outline in column col: no fixed columns, both scroll bars, column
    // resizing, the tree drawn, grid lines.
    void TrePrp(int col);
    // GridLines = "GRL" and FixedCols = "FXC" of the property text opt, each only when given.
    void TreAsp(const QString& opt);
    // Registers a move button by key (upper-cased, trimmed): "DESES" out (left), "DESDI" in
    // (right), "DESUP" up, "DESDN" down, "DESPR" first, "DESUL" last; other keys do nothing.
    // nullptr lets the button go.
    void TreRegOb(const QString& key, QAbstractButton* button);
    // The tree image list (nullptr: none).
    void TreeIcoImg(ImageList* list);
    // No nodes: the grid emptied to its kept visible rows, none used.
    void TreLstIni();
    // Adds a node at row (1..Rows - 1; any other row appends it) with level and the values of
    // the array values in columns 0, 1, ...; "[CNT]" in values(0) reads as Rows before the
    // insertion. U and Row become Rows - 1. Traps errors.
    void TreLinInsCmp(int row, int level, const Variant& values);
    // TreLinInsCmp, and the row inserted becomes the last inserted tree row.
    void TreLinIns(int row, int level, const Variant& values);
    // Adds a node after (side > 0) or at row (the current row when 0, bounded to the used rows)
    // on that row's level (TreNivCmp), and brings it into view.
    void TreLinJun(int row, int side, const Variant& values);
    // The row that TreLinIns last inserted (0: none).
    int treeLastRow() const { return treeLastRow_; }
    // level = the row's outline level (0 on error); TreNivReg sets it.
    void TreNivCon(int row, int& level);
    void TreNivReg(int row, int level);
    // level = the level of the row LinUsaTip names for code.
    void TreNivUsa(const QString& code, int& level);
    // The text of the row's outline cell and its level.
    void TreConRub(int row, QString& text, int& level);
    // The level widths from a dotted width text ("2.3"): entry k the width of level k, entry 0
    // the width of deeper levels: the first part for mode "I", the last for "U", none else.
    void TreFrmChv(const QString& widths, const QString& mode);
    // The number of levels of a key; its first n levels (parent) and flag 0 when that is the
    // whole key, else 1; the fill width of level k; value bounded to low..high.
    void TreNivRub(const QString& key, int& level);
    void TreNivSep(const QString& key, int n, QString& parent, int& flag);
    void TreNivNdi(int k, int& width);
    void TreNivLim(int& value, int low, int high);
    // Levels made gap-free from the top: the first row at most level 1, no row deeper than the
    // row before it plus one, and rows that were siblings stay siblings (1, 3, 3, 1 becomes
    // 1, 2, 2, 1); count = Rows - 1.
    void TreLinNivAjt(int& count);
    // keys(1..Rows - 1) = every row's key from the levels (keys(0) "").
    void TreLinChv(QStringList& keys);
    // Writes every row's key into column col (the outline column when below 0); count = the
    // rows written.
    void TreLinChvAjt(int col, int& count);
    // After a change: TreLinNivAjt, the keys into the outline column and, with flag 1, the
    // used rows renumbered.
    void TreAjt(int flag);
    // Shows the tree down to a level read from a value or a control (9: every level). Traps.
    void TreNivVer(const Variant& level);
    // code "C" collapses the node, "E" expands it, any other shows its subtotals; show 1
    // brings it into view. Traps errors.
    void TreeNoExp(int row, const QString& code, int show);
    // result = the row related to row by code: "R" root, "P" parent, "FP"/"FU" first/last
    // child, "SP"/"SU" first/last sibling, "SA"/"SS" previous/next sibling; -1 for none or
    // any other code. Traps errors.
    void TreeNoIdx(const QString& code, int row, int& result);
    // Shows the tree image of key (an index, or a key of the list) in grid column col (0:
    // column 1) of row (0: the last inserted tree row). Traps errors.
    void TreIcoVer(int row, int col, const Variant& key);
    // Dragging a node onto another (the host's mouse down, move and up, in twips): a drag
    // starts once the mouse went more than 100 away; the drop makes the source node the last
    // child of the node under the mouse (refused onto itself or its own subtree).
    void TreDragPrp(double x, double y);
    void TreDragMov(double x, double y);
    void TreDragFim();
    bool treeDragging() const { return dragOn_; }
    // Calls the grid's parent's cbkFlxTreDes(gridName), when it has that slot.
    void exeCbkTreDes();

    // ---- Colours ----
    //
    // Row-colouring scheme: "FIX" (none), "ALT" (alternate rows: even rows the first colour,
    // odd rows the second; the rows keep the grid's fore colour) or "NOR".

    // Keeps a grid colour kind and colour; GrCorAct gives the grid that back colour for kind
    // "FIX" or "ALT".
    void GrCorPrp(const QString& kind, qint32 color);
    void GrCorAct();
    // "ALT" (upper-cased, trimmed): alternate rows in the default colours; else "FIX".
    void CorLinAsp(const QString& kind);
    // "NOR": the grid's back and fore colours (each when given); "ALT": alternate rows in c1
    // and c2.
    void CorLinPrp(const QString& kind, std::optional<qint32> c1 = {},
                   std::optional<qint32> c2 = {});
    const QString& rowScheme() const { return rowScheme_; }
    // One cell's, one row's (from the first non-fixed column) or one column's (from the first
    // non-fixed row) back or fore colour. The cell colours move the cursor there.
    void CorCxBg(int row, int col, qint32 color);
    void CorCxFg(int row, int col, qint32 color);
    void CorLiBg(int row, qint32 color);
    void CorLiFg(int row, qint32 color);
    void CorCoBg(int col, qint32 color);
    void CorCoFg(int col, qint32 color);
    // Under "ALT": the row's alternate back colour (CorLin, CorLinAlt), or every row's (CorGr).
    void CorLinAlt(int row);
    void CorLin(int row);
    void CorGr();
    // The two palette entries a selected row takes its colours from (none after
    // construction).
    void CorLinSelNom(const QString& first, const QString& second);
    // Colours row from the palette: back ("B") and fore ("F") colour of the first entry; when
    // they are the system's selection colours (16777203 and 16777202), those of the second
    // entry, a black back colour read as 6447714. Nothing when the entry names are unset or
    // the first entry is not in the palette.
    void CorLinSel(const PaletteSource* palette, int row);

    // ---- Aspect text, column widths and fonts ----
    //
    // The aspect text is a property text of keys applied to the grid by AspPrpExe: "EDI" the
    // cells take edits (true/false value), "CNT" shows the counter column 0 (true/false),
    // "COR.BG" the back colour, "FXC" FixedCols and "GRL" GridLines (TreAsp), "RCO" column
    // resizing on, "SCB" both scroll bars (the last two whatever their value).

    // Empties the aspect text.
    void AspOpcIni();
    // Sets the key's entry (upper-cased, trimmed) to value; an empty key replaces the whole
    // text by value.
    void AspOpcReg(const QString& key, const Variant& value);
    // value = the key's value; an empty key gives the whole text.
    void AspOpcCon(const QString& key, Variant& value);
    // Writes a preset (kind upper-cased, trimmed) over an emptied text: "NOR" both scroll bars;
    // "TRE" also column resizing, grid lines and one fixed column; "TRE.ZER" also the back
    // colour 15, no grid lines, no fixed column. Other kinds leave the text.
    void AspPrpTip(const QString& kind);
    // Applies the aspect text key by key; a value the grid refuses ends it there (trapped).
    void AspPrpExe();
    // list = every column's width: an array when list holds one, else a text "w0,w1,...".
    void AspDcoCon(Variant& list);
    // Column widths from such a text or array, from column 0; further columns keep theirs.
    // Traps errors.
    void AspDcoReg(const Variant& list);
    // The grid's font from a font option text ("NOM", "TAM", "BLD", "ITA"; the header row takes
    // its size when above 0), and the grid's font as such a text.
    void FonPrp(const QString& opt);
    void FonCon(QString& opt);

    // ---- In-cell editing ----
    //
    // The host edits cells with a control of its own laid over the current cell. A cell is
    // editable when its back colour is the editable colour (65280, green, after construction).

    void EdiCorReg(qint32 color);
    qint32 editableColor() const { return editColor_; }
    // ok = 1 when cell (row, col) shows the editable colour, else 0 (also on error).
    void EdiPosOk(int row, int col, int& ok);
    // Looks for an editable cell from a start cell by code (upper-cased, trimmed), never
    // testing the start cell itself: "S" from (row, col - 1) forward, "SC" from the current
    // cell forward, "A" from (row, col - 1) backward, "AC" from the current cell backward,
    // "LC+" / "LC-" test only the cell below / above the current one (kept within the used
    // rows); any other code from (1, 0) forward. Forward runs to the next column, past the last
    // to column 0 of the next row, up to the last used row; backward the other way down to
    // row 1. Returns 1 and gives row and col (a grid column) the cell found; 0 leaves them.
    int EdiPos(const QString& code, int& row, int& col);
    // Lays ctl over the current cell (in the coordinates of ctl's own parent); show 0 hides
    // it, 1 shows it, other values leave it.
    void EdiObPrp(QWidget* ctl, int show);
    // Hides ctl.
    void EdiObFim(QWidget* ctl);
    // Raise EdiIni and EdiFim for the host (the object itself never does).
    void EdiIniEve(Variant& a, Variant& b) { emit EdiIni(a, b); }
    void EdiFimEve(Variant& a, Variant& b) { emit EdiFim(a, b); }

signals:
    // The start and the end of an edit, as the host raises them.
    void EdiIni(zv::Variant& a, zv::Variant& b);
    void EdiFim(zv::Variant& a, zv::Variant& b);

public:
    // ---- Sizing and placing ----

    // Width = the columns' total + 270 + extra; the last column takes the spare width.
    void GrAjtLrgCol(int extra);
    // Height = the current cell's height x (visible rows + 1) + extra + 75.
    void GrAjtAltLin(int extra);
    void GrAjtDimCel(int wextra, int hextra);
    // width "DC" fits the grid to its columns, a number above 0 is its Width; left "C" centres
    // it in its parent, a number is its Left; Left is set only when above 0.
    void GrAjtPos(const Variant& left, const Variant& width);
    // Word wrap on; AutoSize of every column's width (mode "C") or of the rows' heights ("L").
    void AjtAs(const QString& mode);

    // ---- Resizing ----

    // Keeps the grid's Width, Height and column widths, for AjtDimExe.
    void AjtDimPrp();
    void ResPrp() { AjtDimPrp(); }
    // After the host resized the grid: mode containing "C" gives every column its kept width
    // scaled by the new Width over the kept one; mode containing "L" fills the height with
    // rows (Rows and the kept visible rows grow, never shrink). Without a snapshot of the
    // columns, or with no width or row height to divide by, that part does nothing. Traps
    // errors.
    void AjtDimExe(const QString& mode);
    // LinVisDim, then AjtDimExe(mode).
    void ResExe(const QString& mode);
    // n = the rows that fit the grid's height. Traps errors (n 0).
    void LinVisMax(int& n);
    // n = LinVisMax; the grid grows to n data rows when it has fewer.
    void LinVisDim(int& n);
    // U = a number n: n + 1, "LGR" Rows - 1, "MIN" the kept minimum + 1, any other text 1
    // (never below 0); Rows = U + 1 when it differs. Traps errors.
    void AjtCntLin(const Variant& target);

    // ---- Scrolling and positions ----

    // Makes (row, col) current and brings it into view. Trap errors.
    void CxVer(int row, int col);
    void LiVer(int row);
    // Shows the last rows (mode "F") or the first rows; then column 1 is current.
    void GrZonVis(const QString& mode);
    // Pages the visible rows back (mode "A") or forward by n rows (0: the kept visible rows);
    // then column 1 is current.
    void GrZonVisDp(const QString& mode, int n);
    // sit = "<" at the top, ">" at the bottom (which wins), else "="; pages = the pages of
    // kept visible rows the data rows take (0 while no visible rows are kept).
    void GrZonVisSit(QString& sit, int& pages);
    // The rectangle of the visible rows from the first scrolled cell to the last cell of the
    // last visible row (Row and Col are kept).
    void LimZon(double& x1, double& y1, double& x2, double& y2);
    // The position and size of cell (row, col) (Row and Col are kept).
    void CxPD(int row, int col, double& x, double& y, double& w, double& h);
    void CxZon(int row, int col, double& x1, double& y1, double& x2, double& y2);

    // ---- Icons, notes and hidden data (columns 1-based) ----

    // The row image list (nullptr: none).
    void IcoImg(ImageList* list);
    ImageList* rowImages() const { return rowImages_; }
    // value = the cell's hidden data in value's own type; traps errors.
    void AdiCon(int row, int col, Variant& value);
    // The cell's hidden data = value's text; traps errors.
    void AdiReg(int row, int col, const Variant& value);
    // idx read as a number: above 0 shows that image of the row image list in the cell (no
    // list: 91; an index beyond the list: 381); 0 or less leaves the picture.
    void IcoVer(int row, int col, const Variant& idx);
    // Removes the cell's picture.
    void IcoEli(int row, int col);
    // The hidden data = key, then the image of that index (IcoVer).
    void IcoMap(int row, int col, const Variant& key);
    // key = the hidden data.
    void IcoVop(int row, int col, Variant& key);
    // The use icon's image indexes (off 1 and on 2 after construction).
    void IcoUsaIdx(int off, int on);
    // The use state (hidden data 1 = on) = state, shown.
    void IcoUsaMap(int row, int col, const Variant& state);
    // Shows the on image when the hidden data reads 1, else the off image.
    void IcoUsaVer(int row, int col);
    // Turns the use state over (anything but 1 becomes 1, 1 becomes 0) and shows it.
    void IcoUsaInv(int row, int col);
    // The note icon's image index (0 after construction: notes show no icon).
    void NotIcoIdx(int idx);
    // Shows the note icon in the cell (when its index is above 0).
    void NotIco(int row, int col);
    // The cell's note = text (its hidden data), with the note icon.
    void NotReg(int row, int col, const QString& text);
    // Removes the cell's note and its picture.
    void NotEli(int row, int col);
    // 1 and text = the note when the cell shows the note icon, else 0 and text "". Traps
    // errors (0).
    int NotCon(int row, int col, QString& text);

private:
    // The bound grid; 91 when there is none.
    GridWidget& gr() const;
    // The event pump (the language's DoEvents).
    static void pump();
    // Alignment setting of an alignment code.
    static int AliCod(const QString& code);
    // The grid's place and size in its parent, in twips.
    double ctlWidth() const;
    double ctlHeight() const;
    void setCtlLeft(double twips);
    void setCtlWidth(double twips);
    void setCtlHeight(double twips);
    // Content of one cell, for the row copies.
    struct CellContent {
        QString text;
        QString data;
        QPixmap picture;
    };
    CellContent cellContent(int r, int c) const;
    void setCellContent(int r, int c, const CellContent& content);
    // The rows that fit the grid's height: Int((Height - header) / row height + k).
    int fittingRows(double k) const;
    // The grid column of a 1-based column.
    static int gridCol(int col) { return col - 1; }
    void showImage(int row, int col, int index);
    // Tree: a new node's level beside row; the moves of a move-button code; an image's index.
    void TreNivCmp(int row, int& level);
    // TreLinInsCmp; gives the row inserted, 0 when it failed.
    int insertNode(int row, int level, const Variant& values);
    void TreDesExe(const QString& code);
    static void IcoLstIdx(const ImageList* list, const Variant& key, int& index);
    // The rows of the node at row and its subtree: row..end.
    int treeSubtreeEnd(int row) const;
    // A press on the grid (its beforeMouseDown signal): the header commands.
    void gridMouseDown(int button, int shift, double x, double y, bool& cancel);
    // The header row's cells take the size of a font option text ("TAM"); a size of 0 or less
    // is left alone.
    void FonAspExe(const QString& opt);
    // Runs f with Rows cut to the used rows + 1, giving Rows back afterwards.
    template <class F> void onUsedRows(F&& f);

    const QString className_ = QStringLiteral("SupFlx");
    QString instanceId_;

    // Binding.
    QPointer<GridWidget> grid_;
    RecordSource* records_ = nullptr;
    FlxCallback* callback_ = nullptr;
    QString dataKind_;
    QString setup1_;
    QString sql_;
    QString setup2_;
    QString useMode_ = QStringLiteral("CON");
    int usaOrd_ = 0;
    int opcUsaFon_ = 0;

    // Rows.
    int minRows_ = 0;
    int visibleRows_ = 0;
    int lastUsed_ = 0;
    // The staged insertion (LinInsFx): origin, inserted and position rows; 0 for none.
    int insOrigin_ = 0;
    int insRow_ = 0;
    int insPos_ = 0;

    // Column registry (ColTab).
    std::vector<ColDef> columns_;

    // Resize snapshot (AjtDimPrp): Width, Height and the column widths.
    double keptWidth_ = 0;
    double keptHeight_ = 0;
    std::vector<double> keptColWidths_;

    // Multi-column sort list (OrdMcLst).
    Variant sortList_;

    // Tree: move buttons (out, in, up, down, first, last), level widths, the last inserted
    // row, the drag and the tree image list.
    struct TreeButton {
        QPointer<QAbstractButton> button;
        QMetaObject::Connection clicked;
    };
    TreeButton treeButtons_[6];
    QStringList levelWidthTexts_;
    QList<int> levelWidths_;
    int treeLastRow_ = 0;
    double dragX_ = 0;
    double dragY_ = 0;
    int dragRow_ = 0;
    bool dragOn_ = false;
    qint32 dragBack_ = -1;
    ImageList* treeImages_ = nullptr;

    // Colours: the grid colour kind and colour, the row scheme and its alternate colours, the
    // palette entries of a selected row.
    QString gridColorKind_;
    qint32 gridColor_ = 0;
    QString rowScheme_;
    qint32 altColor1_ = 0;
    qint32 altColor2_ = 0;
    QString selEntry1_;
    QString selEntry2_;

    // The aspect text.
    QString aspectText_;

    // In-cell editing: the editable colour.
    qint32 editColor_ = 65280;

    // Icons and notes.
    ImageList* rowImages_ = nullptr;
    int useOffIdx_ = 1;
    int useOnIdx_ = 2;
    int noteIdx_ = 0;
    qint64 notePicture_ = 0;
};

} // namespace zv
