#pragma once
// SupDat: an in-memory store of named values, with a value list, accumulators, accumulator
// groups and value groups on top of it.
//
// The store. Every key gets a position (1, 2, 3, ...) in the key index and its value is kept at
// that position, so a value is reached by key or by position. The key index is a name index
// text (foundation GlbVar: the key's type as the kind, its position as the code), so positions
// run from 1 to 32000: a key that would need position 32001 is refused (position 0, nothing
// stored, nothing grows). A key holding a NUL character is refused too. Look-ups match whole
// keys, case-sensitively.
//
// Keys: the Dat* operations take the key trimmed, as given; the Dta* operations, DatOpc, DatSbr
// and OpcSbr take it upper-cased and trimmed. So "abc" stored with DatAct and "abc" stored with
// DtaAct are two keys ("abc" and "ABC").
//
// Values that land in a caller's Variant keep the target's type (typed assignment: a text
// target receives text, any other target a number); "emptied by type" leaves "" in a text
// target and 0 in any other. Positions outside the stored values are never read or written:
// a read empties the target by type, a write is ignored and reported as not done.
//
// Nothing here reports to the user. Flags are 1 (done, found) or 0.
//
// Accumulators and accumulator groups keep their names in the store's key index: AcmIni and
// AcmGrpIni empty the whole store, so one object serves as a plain store or as one of these.

#include "Collection.h"
#include "Variant.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace zv {

class SupDat {
public:
    // The highest position a key can have.
    static constexpr int kMaxPosition = 32000;

    SupDat();
    ~SupDat();
    SupDat(const SupDat&) = delete;
    SupDat& operator=(const SupDat&) = delete;

    // Empties the store (IdxIni) and the value groups.
    void FxIni();
    // Releases the values, the accumulator groups and the value groups.
    void FxFim();
    // Empties every key and value: no key, key count 0, no value.
    void IdxIni();

    // ---- Key index ----

    // The key index text: one entry per key, in order of creation (name index layout).
    const QString& ChvIdxTx() const { return index_; }
    // Appends an entry for key with type 1..255 at position 1..32000; ok 0 (nothing appended)
    // for a type or position out of range or a key holding a NUL. It does not look for the key
    // first and does not move the key count: a key entered twice is found at its first entry.
    void ChvTipCri(const QString& key, int type, int position, int& ok);
    // ChvTipCri with type 1.
    void ChvCri(const QString& key, int position, int& ok);
    // The type and position of the key's first entry; 0 and 0 when the key is absent.
    void ChvTipPos(const QString& key, int& type, int& position) const;
    void ChvPos(const QString& key, int& position) const;
    // One entry per ","-separated item of list (items as they stand, not trimmed), each at
    // position ++counter with the given type. The store's key count does not move, so these
    // positions may meet those the store hands out itself; such keys have no value until one
    // is stored at their position.
    void ChvCriLista(int& counter, const QString& list, int type);
    // Mode "C": the n-th entry (from 1); any other mode: the entry at position n. Its key and
    // type; "" and 0 when there is none.
    void ChvPosPsq(const QString& mode, int n, QString& key, int& type) const;
    // Every entry's key in index order: keys becomes {""} and each key is appended at
    // ++count (callers pass count 0).
    void ChvIde(QStringList& keys, int& count) const;
    // Finds key, or creates it at the next position (created 1). Position 0 (and created 0)
    // when it cannot be created: the store is full, or the key holds a NUL.
    void IdxChv(const QString& key, int& position, int& created);

    // ---- Values by key ----

    // Finds or creates the trimmed key and stores value there; its position, 0 when the key is
    // refused or has no value slot (a key made by ChvCriLista beyond the stored values).
    void DatIdx(const QString& key, const Variant& value, int& position);
    // DatIdx; ok 1 when stored. The position is kept for AcmDef.
    void DatAct(const QString& key, const Variant& value, int& ok);
    // DatIdx, returning the position.
    void DatActIx(const QString& key, const Variant& value, int& position);
    // Reads the trimmed key's value into target (typed assignment) with its position; a
    // missing key (or one without a value) empties target by type, position 0.
    void DatConIx(const QString& key, Variant& target, int& position) const;
    void DatCon(const QString& key, Variant& target, int& ok) const;
    // DatAct and DatCon with the key upper-cased and trimmed.
    void DtaAct(const QString& key, const Variant& value, int& ok);
    void DtaCon(const QString& key, Variant& target, int& ok) const;
    // The value under the upper-cased, trimmed key as text into text ("" when absent); mode
    // "R" replaces its [name] references (DatSbr); then target receives text (typed).
    void DatOpc(const QString& mode, const QString& key, Variant& target, QString& text) const;

    // ---- References ----

    // Replaces "[name]" references in text by the values of the upper-cased, trimmed names
    // ("" for a missing name), from the start again after each one, at most 21 times. An
    // empty "[]" met first ends the replacing.
    void DatSbr(QString& text) const;
    // The same with the delimiter pair given ("[]" when empty; its first character opens, its
    // second closes), at most 1000 passes; returns the result.
    QString OpcSbr(const QString& text, const QString& pair = QString()) const;

    // ---- Values by position ----

    // The highest position that has a value slot (0 for a fresh store).
    void DatArrDim(int& count) const;
    // The value at position 1..DatArrDim, copied as it is; outside, value is emptied by type.
    void DatArrCon(int position, Variant& value) const;
    // The key as it was given when position was created; "" outside.
    void DatArrChv(int position, QString& key) const;
    // Stores value at position 1..DatArrDim; ignored outside.
    void DatArrAct(int position, const Variant& value);
    // The two-character position text (code page characters position \ 256 and position Mod
    // 256); "" and ok 0 outside 1..32000.
    static void CnvPosPtx(int position, QString& text, int& ok);
    // Decodes the first two characters of text; 0 for a shorter text.
    static void CnvPtxPos(const QString& text, int& position);

    // ---- Value list ----
    //
    // An ordered list of values with unique text keys (compared case-blind), reached by key
    // or by position from 1.

    // Mode 1: text keys are upper-cased and trimmed before use; any other mode: as given.
    void LvaPrp(int mode);
    // Empties the list.
    void LvaZer();
    void LvaNrg(int& count) const;
    // Adds value under key (as text); ok 0 when the key is already there.
    void LvaReg(const Variant& key, const Variant& value, int& ok);
    // LvaReg with the value as its own key.
    void LvaReg1(const Variant& value, int& ok);
    // Removes the entry under a text key, or at a numeric position; ok 0 when there is none.
    void LvaEli(const Variant& key, int& ok);
    // The entry under a text key or at a numeric position into value (typed assignment); ok 0
    // when there is none.
    void LvaCon(const Variant& key, Variant& value, int& ok) const;
    // Every entry as text, sorted by character code when options holds the word "ORD". A
    // target that is no array receives them joined with "," (an empty entry adds nothing);
    // an array target becomes a Variant array 0..count with the entries at 1..count.
    void LvaUsa(const QString& options, Variant& target, int& count) const;

    // ---- Accumulators ----
    //
    // Named running totals in the store: the value at the name's position is the total, and
    // a second value at the same position the accumulator's definition. Names are upper-cased
    // and trimmed.

    // Empties the store (IdxIni).
    void AcmIni();
    // The number of positions (DatArrDim).
    void AcmNum(int& count) const;
    // Sets the total of name to 0 (Integer) and its definition to definition.
    void AcmDef(const QString& name, const Variant& definition, int& ok);
    // Adds amount to the total of name (a Double); a new name is defined first, with the name
    // itself as its definition. ok 1 when the accumulator existed before. An amount that is
    // no number raises error 13, leaving the total as it was.
    void AcmExe(const QString& name, const Variant& amount, int& ok);
    // AcmExe only for an accumulator that exists (ok 1); otherwise nothing.
    void AcmExeExi(const QString& name, const Variant& amount, int& ok);
    // Every total becomes Empty; names and definitions stay.
    void AcmLpz();
    // The total and definition of a text name or of a numeric position (typed assignment);
    // outside 1..AcmNum, or an unknown name: ok 0 and both emptied by type.
    void AcmCon(const Variant& nameOrPosition, Variant& total, Variant& definition, int& ok) const;

    // ---- Accumulator groups ----
    //
    // Named groups of Double totals in levels 0..levels, each level with columns 0..columns
    // and a count of rows. Group 0 is the grand total: every row goes into its group and into
    // group 0. Groups 1..n are named (upper-cased, trimmed) in the store's key index.

    // Sets the columns and levels (upper bounds), then AcmGrpIni.
    void AcmGrpPrp(int columns, int levels);
    // Empties the store; only the grand total remains, with zero totals and counts.
    void AcmGrpIni();
    // The number of named groups.
    void AcmGrpNum(int& count) const;
    // A text is a group name, a number a position (0 the grand total). found 0 (and position
    // -1) for a name no group bears and for a position outside 0..AcmGrpNum.
    void AcmGrpIdx(const Variant& group, int& position, int& found) const;
    // The identifier and the additional text of the group at position; ignored outside.
    void AcmGrpRegIde(int position, const QString& text);
    void AcmGrpRegAdi(int position, const QString& text);
    // Adds row (an array holding columns 0..columns) into every level of the named group
    // (created when new) and of the grand total, counting the row in each level. ok 0 when
    // the row does not hold every column or the group cannot be created: nothing changes.
    // A column that is no number raises error 13 before anything changes.
    void AcmGrpExe(const QString& name, const Variant& row, int& ok);
    // The same without counting the row.
    void AcmGrpInc(const QString& name, const Variant& row, int& ok);
    // Zeroes the totals of one level of a group (level < 0: every level); the counts stay.
    // Ignored for a group that is not found or a level above the levels.
    void AcmGrpLpz(const Variant& group, int level);
    // One level of a group: totals 0..columns and the row count, and the group's name,
    // identifier and additional text in AcmGrpNom, AcmGrpIdeTx and AcmGrpAdiTx. A group that
    // is not found, or a level outside 0..levels: count -1, totals 0, the three texts "".
    void AcmGrpCon(const Variant& group, int level, std::vector<double>& totals, int32_t& count);
    const QString& AcmGrpNom() const { return grpName_; }
    const QString& AcmGrpIdeTx() const { return grpIde_; }
    const QString& AcmGrpAdiTx() const { return grpAdi_; }
    // A walk over the named groups in name order: the first position, then the next; 0 after
    // the last.
    void AcmGrpPosIni(int& position);
    void AcmGrpPosSeg(int& position);
    // Called with the position of each group as it is created (its identifier and additional
    // text still ""), so that it can set them. Exceptions it throws are ignored.
    void setAcmGrpIde(std::function<void(int& position)> handler) {
        onGroupCreated_ = std::move(handler);
    }

    // ---- Value groups ----
    //
    // Named, numbered sets of keys. A group is given by position (a number, or a text that
    // reads as a number of 1 or more) or by name (upper-cased, trimmed). Each has a key
    // directory (a name index text: kind 1, code = the key's number in the group) and values:
    // a Variant array whose element 0 holds the number of keys and elements 1..n the keys.

    // No groups.
    void pGrpIni();
    void pGrpFim();
    void GrpLib();
    void VgrIni();
    // Sets a group's key directory to dir and its values back to (0 to 0); a group that is
    // not found is created under the argument's text.
    void GrpReg(const Variant& group, const QString& dir);
    // Replaces an existing group's values by a copy of values (its own bounds).
    void GrpRgv(const Variant& group, const Variant& values);
    // Element index of a group's values into target (typed); emptied by type for a missing
    // group or an index outside the values.
    void GrpCon(const Variant& group, int index, Variant& target) const;
    // The upper bound of a group's values into target (typed); emptied by type when missing.
    void GrpDim(const Variant& group, Variant& target) const;
    // The number of key (upper-cased, trimmed) in the group, adding it when new; the group is
    // created when missing. 0 when the group cannot be found or made, its values hold no
    // element 0, or the group already holds 32000 keys.
    void VgrIdxCri(const Variant& group, const QString& key, int& position);
    // The number of key in the group; 0 when the group or the key is missing.
    void VgrIdxCon(const Variant& group, const QString& key, int& position) const;
    // Key number index 1..n of the group into key (typed), found 1; otherwise found 0 and key
    // "" (typed), or emptied by type when the group is missing.
    void VgrIdxVop(const Variant& group, int index, Variant& key, int& found) const;

private:
    struct IndexEntry {
        int type = 0;
        int position = 0;
    };
    struct Level {
        int32_t count = 0;
        std::vector<double> totals;
    };
    struct AcmGroup {
        QString name;
        QString ide;
        std::vector<Level> levels;
        QString adi;
    };
    struct ValueGroup {
        QString name;
        QString dir;
        Variant values;
    };

    bool hasValueSlot(int position) const {
        return position >= 1 && position < int(values_.size());
    }
    // Value list.
    Variant LvaIdx(const Variant& key) const;
    // Accumulator groups.
    AcmGroup newGroup(const QString& name) const;
    int AcmGrpChvPos(const QString& name) const;
    int AcmGrpChvCri(const QString& name);
    int AcmGrpReg(const QString& name);
    void AcmGrpAcm(const QString& name, const Variant& row, int& ok);
    void AcmGrpEvt(int position);
    bool levelInRange(int level) const { return level >= 0 && level <= levelCount_; }
    // Value groups.
    int GrpIdx(const Variant& group) const;
    int GrpCri(const Variant& group);
    static Variant emptyValues();

    QString objectName_ = QStringLiteral("SupDat");
    QString instanceId_;

    int keyCount_ = 0;
    QString index_;
    // Each key's first entry in index_: what a whole-entry look-up of the index text answers,
    // without walking the text.
    QHash<QString, IndexEntry> firstEntry_;
    std::vector<Variant> values_{Variant()};
    std::vector<QString> keys_{QString()};
    std::vector<Variant> parallel_{Variant()};
    int lastPosition_ = 0;

    int listMode_ = 0;
    std::shared_ptr<Collection> list_;

    std::vector<ValueGroup> valueGroups_;
    std::vector<AcmGroup> acmGroups_;
    int levelCount_ = 0;
    int columnCount_ = 0;
    QList<int> groupOrder_;
    int groupCursor_ = 0;
    int countMode_ = 0;
    QString grpName_;
    QString grpIde_;
    QString grpAdi_;
    std::function<void(int&)> onGroupCreated_;
};

} // namespace zv
