// VbsSup: statements and expressions in the script's global scope, typed script variables,
// function argument variables and the text of the last script error.

#include "VbsSup.h"

#include "Convert.h"
#include "GlbVar.h"
#include "NumFxd.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv {

namespace {

bool numericText(const QString& text) {
    return IsNumeric(Variant(text));
}

// The script variable of a function's argument: FUNCTION_ARGUMENT, trimmed and upper-cased.
QString argumentVariable(const QString& function, const QString& argument) {
    return TxMai(function + u'_' + argument);
}

} // namespace

// ---- Statements and expressions ----

void VbsSup::ExeCmd(const QString& statement, int& ok) {
    ok = 1;
    if (vbTrap([&] { engine().executeStatement(statement); })) ok = 0;
}

void VbsSup::ExeCalc(const QString& expression, Variant& result, int& ok) {
    calcInto(expression, result, ok, false);
}

void VbsSup::ExeCalcRa(const QString& expression, Variant& result, int& ok) {
    calcInto(expression, result, ok, true);
}

void VbsSup::calcInto(const QString& expression, Variant& result, int& ok, bool valueKind) {
    ok = 1;
    Variant value;
    if (vbTrap([&] { value = engine().eval(expression); })) {
        ok = 0;
        VarIniTip(result);
        return;
    }
    QString kind;
    if (valueKind) kind = value.isString() ? QStringLiteral("$") : QStringLiteral("N");
    VarAtr(value, result, kind);
}

Variant VbsSup::ExeCalcRes(const QString& expression) {
    Variant value;
    if (vbTrap([&] { value = engine().eval(expression); })) return Variant();
    return value;
}

// ---- Variables ----

void VbsSup::VarIdeAjt(const QString& name, QString& identifier, QString& type) {
    if (name.endsWith(u'$')) {
        identifier = name.left(name.size() - 1);
        type = QStringLiteral("A");
    } else {
        identifier = name;
        type = QStringLiteral("N");
    }
}

void VbsSup::VarReg(const QString& name, const Variant& value) {
    QString identifier;
    QString type;
    VarIdeAjt(name, identifier, type);
    QString v = TxCnv(value);
    if (v.startsWith(u'"'))
        v = QStringLiteral("Chr(34)+") + v + QStringLiteral("+Chr(34)");
    else if (!numericText(v) || type == u"A")
        v = TxVbsAsp(v);
    int ok = 0;
    ExeCmd(identifier + u'=' + v, ok);
}

void VbsSup::VarCon(const QString& name, Variant& result) {
    QString identifier;
    QString type;
    VarIdeAjt(name, identifier, type);
    Variant text = QString();
    int ok = 0;
    ExeCalc(identifier, text, ok);
    VarTipCnv(type, text, result);
}

void VbsSup::VarTipCnv(const QString& type, const Variant& value, Variant& result) {
    if (type == u"N")
        NumVal(value, result);
    else
        result = Variant(TxCnv(value));
}

QString VbsSup::TipVL(const QString& expression, QString& type) {
    const QString t = Trim(expression);
    bool text = false;
    const qsizetype paren = t.indexOf(u'(');
    if (paren >= 0)
        text = paren > 0 && t.at(paren - 1) == u'$';
    else
        text = t.startsWith(u'"') || t.endsWith(u'$');
    type = text ? QStringLiteral("A") : QStringLiteral("N");
    return type;
}

// ---- Function argument variables ----

void VbsSup::FxArgSep(QString& list, Variant& value, QString& type) {
    QString item;
    int found = 0;
    TxSep(list, QStringLiteral(","), item, found);
    item = Trim(item);
    type = numericText(item) ? QStringLiteral("N") : QStringLiteral("A");
    VarAtr(Variant(item), value);
}

void VbsSup::FxArgReg(const QString& function, const QString& argument, const Variant& value) {
    VarReg(argumentVariable(function, argument), value);
}

void VbsSup::FxArgSepReg(const QString& function, QString& list, const QString& argument,
                         Variant& result) {
    Variant item = QString();
    QString type;
    FxArgSep(list, item, type);
    FxArgReg(function, argument, item);
    VarAtr(item, result);
}

void VbsSup::FxArgCon(const QString& function, const QString& argument, Variant& result) {
    // The stored text: a quoted text comes back without its quotes; a number comes back as it
    // is; any other text is read once more as a variable name or an expression.
    Variant stored = QString();
    int ok = 0;
    ExeCalc(argumentVariable(function, argument), stored, ok);
    QString s = TxCnv(stored);
    if (s.endsWith(u'"')) {
        s = TxAspRet(s);
    } else {
        Variant value;
        VarCon(s, value);
        s = TxCnv(value);
    }
    VarAtr(Variant(s), result);
}

// ---- Errors ----

void VbsSup::VbsErr(int32_t& number, QString& description, QString& position) {
    const vbs::ScriptErrorInfo& e = engine().error();
    number = e.number;
    if (number == 0) {
        description = QStringLiteral("Sem erro");
        position.clear();
        return;
    }
    description = e.description;
    position = QStringLiteral("LIN:") + QString::number(e.line);
    TxJun(position, QStringLiteral("  COL:"), Variant(int32_t(e.column)));
    TxJun(position, QStringLiteral("  COD:"), Variant(e.text));
}

} // namespace zv
