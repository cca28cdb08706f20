// TxtGlb: cutting at separators, token arrays, searching, delimited parts, replacing and the
// character escapes of parameter texts.

#include "TxtGlb.h"

#include "Convert.h"
#include "Text.h"

namespace zv {

namespace {

// The 1-based position of the first sep in text; an empty separator is never found, so a
// cut at it takes the whole text instead of looping on an empty token.
int sepPos(const QString& text, const QString& sep) {
    return sep.isEmpty() ? 0 : InStr(text, sep);
}

// Whether text holds "$(", the mark of both character escapes (a single-character search,
// which is fast, and a look at the next character).
bool hasEscapeMark(const QString& text) {
    for (qsizetype i = text.indexOf(u'$'); i >= 0; i = text.indexOf(u'$', i + 1))
        if (i + 1 < text.size() && text[i + 1] == u'(') return true;
    return false;
}

} // namespace

void TxSep(QString& text, const QString& sep, QString& token, int& found) {
    const int p = sepPos(text, sep);
    if (p == 0) {
        QString whole = text;
        text.clear();
        token = whole;
        found = 0;
        return;
    }
    QString before = Left(text, p - 1);
    text = Mid(text, p + sep.size());
    token = before;
    found = 1;
}

void TxSepStr(QString& text, const QString& sep, QString& token) {
    int found = 0;
    TxSep(text, sep, token, found);
}

void TxSepChr(QString& text, const QString& sep, QString& token) {
    const int p = sepPos(text, sep);
    if (p == 0) {
        QString whole = text;
        text.clear();
        token = whole;
        return;
    }
    QString before = Left(text, p - 1);
    text = Mid(text, p + 1);
    token = before;
}

void TxSepRes(const QString& text, const QString& sep, QString& token, QString& rest) {
    QString work = text;
    int found = 0;
    TxSep(work, sep, token, found);
    rest = work;
}

void TxSepCut(const QString& text, const QString& sep, QString& before, QString& after,
              int& found) {
    const int p = sepPos(text, sep);
    if (p == 0) {
        QString whole = text;
        after.clear();
        before = whole;
        found = 0;
        return;
    }
    QString b = Left(text, p - 1);
    QString a = Mid(text, p + 1);
    before = b;
    after = a;
    found = 1;
}

void TxSepDiv(const QString& text, const QString& sep, QString& before, QString& after) {
    int found = 0;
    TxSepCut(text, sep, before, after, found);
}

void TxSepMai(const QString& text, QString& token, QString& rest, const QString& sep) {
    QString before, after;
    TxSepDiv(text, sep, before, after);
    token = TxMaiVar(Variant(before));
    rest = Trim(after);
}

void TxSepOpc(const QString& text, QString& token, const QString& sep) {
    QString rest;
    TxSepMai(text, token, rest, sep);
}

void TxSepVal(QString& text, const QString& sep, double& number) {
    QString token;
    TxSepChr(text, sep, token);
    number = Val(token);
}

void TxSepTip(const QString& codes, QString& text, const QString& sep, QString& out) {
    QString options = codes;
    QString code;
    int hasBlank = 0;
    TxSep(options, QStringLiteral(" "), code, hasBlank);

    QString before, after;
    int found = 0;
    TxSepCut(text, sep, before, after, found);

    QString newOut, newText;
    if (code == u"PS") {
        newOut = found ? before : QString();
        newText = found ? after : text;
    } else if (code == u"PE") {
        newOut = found ? after : text;
        newText = found ? before : QString();
    } else if (code == u"SE" || code == u"RS") {
        newOut = found ? after : QString();
        newText = found ? before : text;
    } else {
        newOut = found ? before : text;
        newText = found ? after : QString();
    }
    if (options.contains(u'M')) {
        newText = UCase(newText);
        newOut = UCase(newOut);
    }
    if (options.contains(u'T')) {
        newText = Trim(newText);
        newOut = Trim(newOut);
    }
    text = newText;
    out = newOut;
}

void TxArrSep(const QString& text, const QString& sep, QStringList& arr, int& count) {
    if (count < 0) count = 0;
    arr = QStringList{QString()};
    QString work = text;
    while (!work.isEmpty()) {
        QString token;
        int found = 0;
        TxSep(work, sep, token, found);
        ++count;
        // Grow in steps of 10 instead of once per token; trimmed once at the end.
        while (count >= arr.size())
            arr.resize(arr.size() + 10);
        arr[count] = token;
    }
    arr.resize(count + 1);
}

void TxPsq(const QString& mode, const QString& text, const QString& find, int& pos) {
    pos = mode == u"R" ? InStrRev(text, find) : InStr(text, find);
}

void TxChrPsq(const QString& text, const QString& set, int& pos, QString& ch) {
    for (int i = 1; i <= text.size(); ++i) {
        const QChar c = text.at(i - 1);
        if (set.contains(c)) {
            pos = i;
            ch = QString(c);
            return;
        }
    }
    pos = text.size() + 1;
    ch.clear();
}

int TxLisCon(const QString& list, const QString& item, const QString& sep) {
    // Item by item: a hit inside a longer item ("A" in "AB,A") is no hit.
    const QString wanted = UCase(Trim(item));
    QStringList items;
    int count = 0;
    TxArrSep(list, sep, items, count);
    for (int i = 1; i <= count; ++i) {
        if (UCase(Trim(items.at(i))) == wanted) return 1;
    }
    return 0;
}

namespace {

// The delimited part between open and close: the first open, then the first close after it.
void delimited(const QString& text, const QString& open, const QString& close, QString& before,
               QString& inside, QString& after, int* len) {
    const int po = open.isEmpty() || close.isEmpty() ? 0 : InStr(text, open);
    int pc = po ? InStr(po, text, close) : 0;
    // The same character for both ends: the close is the next one after the open.
    if (pc == po && po) pc = InStr(po + 1, text, close);
    if (!po || !pc) {
        QString whole = text;
        inside.clear();
        after.clear();
        before = whole;
        return;
    }
    QString b = Left(text, po - 1);
    QString in = Mid(text, po + 1, pc - po - 1);
    QString a = Mid(text, pc + 1);
    before = b;
    inside = in;
    after = a;
    if (len) *len = pc - po + 1;
}

} // namespace

void TxDlmExt(const QString& text, QString& before, QString& inside, QString& after, int& len,
              const QString& pair) {
    delimited(text, pair.left(1), pair.right(1), before, inside, after, &len);
}

void TxDlmSep(const QString& text, const QString& pair, QString& before, QString& inside,
              QString& after) {
    delimited(text, pair.left(1), pair.mid(1, 1), before, inside, after, nullptr);
}

void TxSbsTx(const QString& mode, QString& text, const QString& find, const QString& repl) {
    // An empty find, or a replacement that holds find, changes nothing.
    if (find.isEmpty() || InStr(repl, find) > 0) return;
    if (mode == u"R") {
        text.replace(find, repl);
        return;
    }
    const int p = InStr(text, find);
    if (p) text = Left(text, p - 1) + repl + Mid(text, p + find.size());
}

void TxSbsSep(QString& text, const QString& sep, const QString& newSep) {
    QStringList tokens;
    int count = 0;
    TxArrSep(text, sep, tokens, count);
    tokens.removeFirst();
    text = tokens.join(newSep);
}

namespace {

// The characters of one comma list of codes ("65, 66"), added to chars; false when a code has
// no character (the caller drops the whole list then). The list is walked by position: a list
// of a million codes costs a million steps, not a copy of its rest per code.
bool addCodeList(QStringView list, QString& chars) {
    const qsizetype n = list.size();
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype end = list.indexOf(u',', pos);
        if (end < 0) end = n;
        const QStringView code = list.sliced(pos, end - pos);
        pos = end < n ? end + 1 : n;
        // Nearly every code is a few plain digits: read them here. Anything else (signs,
        // fractions, radix forms, blanks inside) is read as Val reads it.
        qsizetype a = 0, b = code.size();
        while (a < b && code[a] == u' ')
            ++a;
        while (b > a && code[b - 1] == u' ')
            --b;
        int value = 0;
        bool plain = b > a && b - a <= 3;
        for (qsizetype i = a; plain && i < b; ++i) {
            const char16_t c = code[i].unicode();
            plain = c >= u'0' && c <= u'9';
            value = value * 10 + int(c - u'0');
        }
        if (plain) {
            if (value > 255) return false;
            chars += cp1252ToChar(uint8_t(value));
            continue;
        }
        chars += Chr(CInt(Variant(Val(code))));
    }
    return true;
}

} // namespace

QString TxChrLis(const std::vector<Variant>& values) {
    QString result;
    // A code without a character skips its element.
    for (const Variant& value : values) {
        vbTrap([&] {
            QString chars;
            if (value.isString()) {
                if (!addCodeList(value.rawString(), chars)) return;
            } else {
                chars += Chr(CInt(value));
            }
            result += chars;
        });
    }
    return result;
}

namespace {

// The start of the first escape ("chr$(" or "bin$(") that begins at or after from; -1 when
// there is none.
qsizetype nextEscape(QStringView text, qsizetype from) {
    const qsizetype n = text.size();
    for (qsizetype i = text.indexOf(u'$', from + 3); i >= 0; i = text.indexOf(u'$', i + 1)) {
        if (i + 1 >= n || text[i + 1] != u'(') continue;
        const QChar a = text[i - 3], b = text[i - 2], c = text[i - 1];
        if ((a == u'c' && b == u'h' && c == u'r') || (a == u'b' && b == u'i' && c == u'n'))
            return i - 3;
    }
    return -1;
}

// The expansion of a text that holds "$(". Both spellings are the same escape: the text reads
// as if every "chr$(" were first made "bin$(", then each "bin$(" and the codes after it up to
// the next ")" (or the end) were replaced by their characters. The text is walked by position
// and each piece appended once, so the time is in proportion to the text, however many escapes
// it holds.
QString expandEscapes(const QString& text) {
    const QStringView view = text;
    const qsizetype n = view.size();
    QString result;
    result.reserve(n);
    qsizetype pos = 0;
    while (pos < n) {
        const qsizetype at = nextEscape(view, pos);
        if (at < 0) {
            result += view.sliced(pos);
            break;
        }
        result += view.sliced(pos, at - pos);
        pos = at + 5;
        if (pos >= n) break;
        qsizetype close = view.indexOf(u')', pos);
        if (close < 0) close = n;
        QStringView codes = view.sliced(pos, close - pos);
        // The codes as the replaced text holds them (a code reads "&hchr$(" and "&hbin$("
        // differently).
        QString replaced;
        if (codes.contains(u"chr$(")) {
            replaced = codes.toString().replace(QStringLiteral("chr$("), QStringLiteral("bin$("));
            codes = replaced;
        }
        // A code without a character drops its escape: what it added is taken back.
        const qsizetype kept = result.size();
        if (vbTrap([&] {
                if (!addCodeList(codes, result)) result.truncate(kept);
            }))
            result.truncate(kept);
        pos = close < n ? close + 1 : n;
    }
    return result;
}

} // namespace

void TxFxEsc(const QString& text, QString& out) {
    // Both escapes hold "$(": a text without it (nearly every line) stays as it is.
    if (!hasEscapeMark(text)) {
        out = text;
        return;
    }
    out = expandEscapes(text);
}

void TxFxEsc(QString& text) {
    if (hasEscapeMark(text)) text = expandEscapes(text);
}

} // namespace zv
