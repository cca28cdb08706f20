#pragma once
// GlbVar: the name index and typed assignment.
//
// The name index is a name-to-code map kept in one text. Each entry is one character for the
// kind (1..255), two for the code (1..32000: code \ 256, then code And 255), a NUL, the name and
// a NUL. Characters stand for their Windows-1252 codes. The index is always read entry by
// entry, so a name is never matched inside the code characters of another entry.
//
// A name-value table is a text array: element 0 its index text, element 1 the number of names
// (signed text, " 3"), element code + 1 the value stored under the name with that code.
//
// Typed assignment: a value assigned to a target takes the type the target already has: a
// text target receives text, any other target a Double.

#include "Variant.h"

#include <QString>
#include <QStringList>

namespace zv {

// ---- Name index ----

void IdxCodTx(int code, QString& txt, int& ok);
void IdxPosVal(const QString& txt, int& code);
// Appends an entry (kind 1..255, code 1..32000); ok 0 when either is out of range. Callers
// look the name up first: the index does not refuse a name that is already present.
void IdxReg(QString& idx, const QString& name, int kind, int code, int& ok);
// The kind and code of the first entry named name (exact match); 0 and 0 when absent.
void IdxCon(const QString& idx, const QString& name, int& kind, int& code);
// The name of the first entry of work; the entry is removed from work.
void IdxEntNom(QString& work, QString& name);
// Reads the entry that starts at character pos (0-based) of idx: its kind, code and name, and
// pos moved to the entry after it. False (and nothing changed) when no whole entry starts there,
// which ends a walk from pos 0.
bool IdxEntLer(const QString& idx, qsizetype& pos, int& kind, int& code, QString& name);

void IdxArrIni(QStringList& idx);
// Stores value under name (a new name gets the next code); code 0 when the table is full.
void IdxArrRegExe(QStringList& idx, const QString& name, const QString& value, int& code);
void IdxArrReg(QStringList& idx, const QString& name, const QString& value);
void IdxArrCon(const QStringList& idx, const QString& name, QString& value, int& code);
// The table's names in registration order into names(1..count). count is not reset.
void IdxArrLisReg(const QStringList& idx, QStringList& names, int& count);

// ---- Typed assignment ----

// With a type code, target is first emptied to that type (VarIniTip). Then a text target
// receives value's text (a String as it is, other values trimmed), any other target (Empty
// included) NumDbl(value). A failed conversion leaves target as it was.
void VarAtr(const Variant& value, Variant& target, const QString& type = QString());
void VarAtr2(const Variant& value, Variant& target, const QString& type = QString());
// A number target: a text is read with the input number format. A text target receives the
// text, then opts "M" upper-cases it and "T" trims it.
void VarAtrOpc(const QString& opts, const Variant& value, Variant& target);
// Yes/no: a text target (by VarTipCon) receives "S" or "N", any other 1 or 0.
void VarAtrSN(const Variant& value, Variant& target, const QString& type = QString());
// Empties target: without type by its own type ("" or the Integer 0); with type by the type's
// last character ("$" or "T" text, any other the Integer 0).
void VarIniTip(Variant& target, const QString& type = QString());
// "N" or "T": the type given, else by the value (a String "T").
QString VarTipCon(const Variant& value, const QString& type = QString());
// The value of a control or of a plain value: the source itself, then its Text, Caption and
// Value properties, each read as a number (the last one that can be read wins).
void VarObLer(const Variant& src, Variant& target);

} // namespace zv
