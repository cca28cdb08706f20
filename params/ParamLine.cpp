#include "ParamLine.h"

#include "Convert.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv::parline {

namespace {

// The line types; assigning a shared text costs no allocation.
const QString kTypeOther = QStringLiteral("?");
const QString kTypeComment = QStringLiteral("'");
const QString kTypeZone = QStringLiteral("#");
const QString kTypeZoneEnd = QStringLiteral("##");
const QString kTypeDollar = QStringLiteral("$");
const QString kTypeDollars = QStringLiteral("$$");
const QString kTypeEntry = QStringLiteral("=");

// The first "[...]" pair of a text as TxDlmExt finds it (the first "[", then the first "]"
// after it): true with the text before it and inside it.
bool bracketPair(QStringView text, QStringView& before, QStringView& inside) {
    const qsizetype open = text.indexOf(u'[');
    if (open < 0) return false;
    const qsizetype close = text.indexOf(u']', open + 1);
    if (close < 0) return false;
    before = text.first(open);
    inside = text.sliced(open + 1, close - open - 1);
    return true;
}

// The value's leading number (Val); 0 when it overflows.
double leadingNumber(const QString& text) {
    double n = 0;
    if (!text.isEmpty()) vbTrap([&] { n = Val(text); });
    return n;
}

} // namespace

void ParTpp(const QString& line, QString& type, QString& key) {
    const QString* t = &kTypeOther;
    QString k;
    if (line.isEmpty()) {
        type.clear();
        key.clear();
        return;
    }
    const QChar first = line.front();
    const bool doubled = line.size() > 1 && line[1] == first;
    if (first == u'\'')
        t = &kTypeComment;
    else if (first == u'#')
        t = doubled ? &kTypeZoneEnd : &kTypeZone;
    else if (first == u'$')
        t = doubled ? &kTypeDollars : &kTypeDollar;
    else if (line.indexOf(u'=') >= 3)
        t = &kTypeEntry;

    if (t == &kTypeEntry) {
        QStringView before, inside;
        if (bracketPair(line, before, inside)) k = UCase(trimBlanks(inside));
    }
    type = *t;
    key = std::move(k);
}

namespace {

// ParPrep; the key as written is left out when key is null (the record keeps ParTpp's key).
void splitEntry(const QString& line, QString* label, QString* key, QString& value,
                int32_t& column) {
    // 0-based: the first "=", or the "=" of a "]=" that stands further right.
    qsizetype eq = line.indexOf(u'=');
    if (eq >= 0) {
        // The first "]=" (a search for one character at a time is the fast one).
        for (qsizetype c = line.indexOf(u']'); c >= 0; c = line.indexOf(u']', c + 1)) {
            if (c + 1 < line.size() && line[c + 1] == u'=') {
                if (c > eq) eq = c + 1;
                break;
            }
        }
    }

    if (line.startsWith(u'\'') || eq < 2) {
        label->clear();
        if (key) key->clear();
        value.clear();
        column = 0;
        return;
    }
    const QStringView labelPart = QStringView(line).first(eq);
    QString v = line.sliced(eq + 1);
    QString l, k;
    QStringView before, inside;
    if (bracketPair(labelPart, before, inside)) {
        l = trimBlanks(before).toString();
        if (key) k = inside.toString();
    } else {
        l = trimBlanks(labelPart).toString();
    }
    *label = std::move(l);
    if (key) *key = std::move(k);
    value = std::move(v);
    column = int32_t(eq + 2);
}

} // namespace

void ParPrep(const QString& line, QString& label, QString& key, QString& value, int32_t& column) {
    splitEntry(line, &label, &key, value, column);
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
    // "#NAME:TYPE - description": the word after "#" up to the first blank, then the text
    // after the first "-" of the rest. Read through views: one text is made for the word.
    const QStringView rest = QStringView(line).mid(1);
    const qsizetype blank = rest.indexOf(u' ');
    const QStringView word = blank < 0 ? rest : rest.first(blank);
    const QStringView after = blank < 0 ? QStringView() : rest.sliced(blank + 1);
    const QString head = UCase(trimBlanks(word));

    const qsizetype colon = head.indexOf(u':');
    const QStringView typeText = colon < 0 ? QStringView() : QStringView(head).sliced(colon + 1);
    const qsizetype dash = after.indexOf(u'-');

    // Every part is taken before an output is written: an output may be the line itself.
    QString text = dash < 0 ? QString() : trimBlanks(after.sliced(dash + 1)).toString();
    const QString& kind = typeText == kZoneTx                ? kZoneTx
                          : knowsRaw && typeText == kZoneZtx ? kZoneZtx
                                                             : kZoneIde;
    type = kind;
    description = std::move(text);
    name = colon < 0 ? head : head.left(colon);
}

QString indexKey(const QString& chv) {
    const qsizetype dot = chv.indexOf(u'.');
    const QStringView rest =
        trimBlanks(dot < 0 ? QStringView(chv) : QStringView(chv).sliced(dot + 1));
    // A record's key is already upper case and trimmed (ParTpp makes it so): then it is its own
    // index key, shared instead of copied.
    if (rest.size() == chv.size()) {
        bool upper = true;
        for (qsizetype i = 0; upper && i < rest.size(); ++i)
            upper = ucaseChar(rest[i]) == rest[i];
        if (upper) return chv;
    }
    return UCase(rest);
}

void fillRecord(TdaReg& record, const QString& text, int ok) {
    TdaReg r;
    r.Txt = text;
    ParTpp(text, r.Tip, r.Chv);
    splitEntry(text, &r.Nom, nullptr, r.Val, r.Pos);
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
