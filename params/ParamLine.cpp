#include "ParamLine.h"

#include "NumFxd.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv::parline {

namespace {

// The first "[...]" pair of a text: true with the text before it and inside it.
bool bracketPair(const QString& text, QString& before, QString& inside) {
    QString after;
    int len = 0;
    TxDlmExt(text, before, inside, after, len, QStringLiteral("[]"));
    return len > 0;
}

double leadingNumber(const QString& text) {
    try {
        return NumDbl(Variant(text));
    } catch (const VbError&) {
        return 0;
    }
}

} // namespace

void ParTpp(const QString& line, QString& type, QString& key) {
    QString t = QStringLiteral("?");
    if (line.isEmpty()) t.clear();
    if (line.startsWith(u'\'')) t = QStringLiteral("'");
    if (line.startsWith(u'#')) t = QStringLiteral("#");
    if (line.startsWith(u"##")) t = QStringLiteral("##");
    if (line.startsWith(u'$')) t = QStringLiteral("$");
    if (line.startsWith(u"$$")) t = QStringLiteral("$$");
    if (t == u"?" && InStr(line, u"=") >= 4) t = QStringLiteral("=");

    QString k;
    if (t == u"=") {
        QString before, inside;
        if (bracketPair(line, before, inside)) k = UCase(Trim(inside));
    }
    type = t;
    key = k;
}

void ParPrep(const QString& line, QString& label, QString& key, QString& value, int32_t& column) {
    int eq = InStr(line, u"=");
    const int closeEq = InStr(line, u"]=");
    if (closeEq > eq) eq = closeEq + 1;

    if (line.startsWith(u'\'') || eq < 3) {
        label.clear();
        key.clear();
        value.clear();
        column = 0;
        return;
    }
    const QString labelPart = Left(line, eq - 1);
    QString v = Mid(line, eq + 1);
    QString before, inside;
    if (bracketPair(labelPart, before, inside)) {
        label = Trim(before);
        key = inside;
    } else {
        label = Trim(labelPart);
        key.clear();
    }
    value = v;
    column = eq + 1;
}

void ParTipVar(const QString& key, QString& typePart, QString& namePart) {
    const int p = InStr(key, u":");
    QString t = p ? Left(key, p - 1) : QString();
    QString n = p ? Mid(key, p + 1) : key;
    typePart = t;
    namePart = n;
}

void parseZoneHeader(const QString& line, bool knowsRaw, QString& name, QString& type,
                     QString& description) {
    QString rest = Mid(line, 2);
    QString head;
    int found = 0;
    TxSep(rest, QStringLiteral(" "), head, found);
    head = UCase(Trim(head));

    const int colon = InStr(head, u":");
    const QString n = colon ? Left(head, colon - 1) : head;
    const QString typeText = colon ? Mid(head, colon + 1) : QString();
    const int dash = InStr(rest, u"-");

    name = n;
    if (typeText == kZoneTx)
        type = kZoneTx;
    else if (knowsRaw && typeText == kZoneZtx)
        type = kZoneZtx;
    else
        type = kZoneIde;
    description = dash ? Trim(Mid(rest, dash + 1)) : QString();
}

QString indexKey(const QString& chv) {
    const int dot = InStr(chv, u".");
    return UCase(Trim(dot ? Mid(chv, dot + 1) : chv));
}

void fillRecord(TdaReg& record, const QString& text, int ok) {
    TdaReg r;
    r.Txt = text;
    ParTpp(text, r.Tip, r.Chv);
    QString keyAsWritten;
    ParPrep(text, r.Nom, keyAsWritten, r.Val, r.Pos);
    r.Num = leadingNumber(r.Val);
    r.Ok = ok;
    record = std::move(r);
}

void fillRawRecord(TdaReg& record, const QString& line, int ok) {
    TdaReg r;
    r.Txt = line;
    r.Nom = line;
    r.Val = line;
    r.Pos = 1;
    r.Num = leadingNumber(line);
    r.Ok = ok;
    record = std::move(r);
}

} // namespace zv::parline
