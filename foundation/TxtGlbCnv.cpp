// TxtGlb: conversion of values to text, case, filling to a width.

#include "TxtGlb.h"

#include "Convert.h"
#include "ModuleState.h"
#include "Text.h"

namespace zv {

TxtGlbState& txtGlbState() {
    return moduleState<TxtGlbState>();
}

void txtGlbReset() {
    resetModuleState<TxtGlbState>();
}

void TxCnvPrp(const Variant& value, QString& out) {
    if (value.isString()) {
        out = value.rawString();
        return;
    }
    if (value.isEmpty()) {
        out.clear();
        return;
    }
    // A value without a text leaves out as it was.
    vbTrap([&] { out = Trim(toText(value)); });
}

QString TxCnv(const Variant& value) {
    QString out;
    TxCnvPrp(value, out);
    return out;
}

QString TxMai(const QString& text) {
    return UCase(Trim(text));
}

QString TxMaiVar(const Variant& value) {
    QString result; // empty for a value without a text
    vbTrap([&] {
        QString text = toText(value);
        // The locale-aware text: numbers with the runtime locale's decimal separator (their
        // text has no group separators, so the only "." is the decimal one).
        const int vt = value.varType();
        if ((vt == vbSingle || vt == vbDouble || vt == vbCurrency) &&
            runtimeLocale().decimal != u'.')
            text.replace(u'.', runtimeLocale().decimal);
        result = UCase(Trim(text));
    });
    return result;
}

void TxPadExe(const QString& text, int width, QString& out) {
    if (width >= 0) {
        out = text.size() >= width ? text.left(width) : text + QString(width - text.size(), u' ');
    } else {
        const int n = -width;
        out = text.size() >= n ? text.right(n) : QString(n - text.size(), u' ') + text;
    }
}

QString TxPad(const QString& text, int width) {
    QString out;
    TxPadExe(text, width, out);
    return out;
}

QString TxPadDir(const QString& text, int width) {
    const int len = RTrim(text).size();
    return TxPad(text, width > len ? width : len);
}

QString TxRep(const QString& text, int n, const QString& ch) {
    if (ch.isEmpty()) return Left(text, n);
    QString filled = text;
    if (n > 0) filled += ch.repeated(n);
    return Left(filled, n);
}

void TxPadChr(double number, int width, const QString& fill, QString& out) {
    // Str gives a leading blank or minus: the sign position is dropped.
    const QString t = Str(Variant(number)).mid(1);
    const int n = width < 0 ? -width : width;
    const QChar f = fill.isEmpty() ? QChar(u' ') : fill.at(0);
    const QString fills(n, f);
    out = width < 1 ? (t + fills).left(n) : (fills + t).right(n);
}

} // namespace zv
