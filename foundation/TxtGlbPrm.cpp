// TxtGlb: property text "[KEY=value]..." and condition lists.

#include "TxtGlb.h"

#include "GlbVar.h"
#include "Text.h"

namespace zv {

void TxDlmFim(const QString& text, int& start, int& end, const QString& pair) {
    const QString open = pair.isEmpty() ? QStringLiteral("\"") : pair.left(1);
    const QString close = pair.isEmpty() ? QStringLiteral("\"") : pair.right(1);
    const int from = start < 1 ? 1 : start;
    const int first = from > text.size() ? 0 : InStr(from, text, open);
    if (!first) {
        start = 0;
        end = 0;
        return;
    }
    // Each opening character that comes before the next close makes that close be skipped.
    int p = first;
    int closePos = 0;
    for (;;) {
        const int after = p + 1;
        const int next = after > text.size() ? 0 : InStr(after, text, open);
        closePos = after > text.size() ? 0 : InStr(after, text, close);
        p = closePos;
        if (next == 0 || !(next < closePos)) break;
    }
    if (closePos) {
        start = first;
        end = closePos;
    } else {
        start = 0;
        end = 0;
    }
}

void PrmChv(const QString& key, QString& prefix, int& len) {
    prefix = u'[' + UCase(key) + u'=';
    len = prefix.size();
}

void PrmPos(const QString& prm, const QString& key, QString& before, QString& value, QString& after,
            int& found) {
    QString prefix;
    int len = 0;
    PrmChv(key, prefix, len);
    // Walk the top-level entries only: a key inside the nested value of another entry is
    // part of that value, not an entry of this text.
    int from = 1;
    while (from <= prm.size()) {
        const int open = InStr(from, prm, QStringLiteral("["));
        if (!open) break;
        int start = open;
        int end = 0;
        TxDlmFim(prm, start, end, QStringLiteral("[]"));
        if (!end) {
            // An opening bracket without its close: look on from the next character.
            from = open + 1;
            continue;
        }
        if (end >= open + len && Mid(prm, open, len) == prefix) {
            QString b = Left(prm, open - 1);
            QString v = Mid(prm, open + len, end - open - len);
            QString a = Mid(prm, end + 1);
            before = b;
            value = v;
            after = a;
            found = 1;
            return;
        }
        from = end + 1;
    }
    QString whole = prm;
    value.clear();
    after.clear();
    before = whole;
    found = 0;
}

void PrmCon(const QString& prm, const QString& key, Variant& target, int& found) {
    QString before, value, after;
    PrmPos(prm, key, before, value, after, found);
    VarAtr(Variant(value), target);
}

void PrmConOpc(const QString& prm, const QString& key, Variant& target, int& found) {
    QString before, value, after;
    PrmPos(prm, key, before, value, after, found);
    VarAtrOpc(QString(), Variant(value), target);
}

void PrmRegTx(QString& prm, const QString& key, const QString& value) {
    prm += u'[' + UCase(key) + u'=' + value + u']';
}

void PrmRegExe(QString& prm, const QString& key, const QString& valueText) {
    QString before, value, after;
    int found = 0;
    PrmPos(prm, key, before, value, after, found);
    prm = before + after;
    PrmRegTx(prm, key, valueText);
}

void PrmReg(QString& prm, const QString& key, const Variant& value) {
    QString text;
    TxCnvPrp(value, text);
    PrmRegExe(prm, key, text);
}

void PrmArrLer(const QString& prm, QList<QStringList>& arr, int& count) {
    if (count < 0) count = 0;
    arr = QList<QStringList>{QStringList{QString()}, QStringList{QString()}};
    QString work = prm;
    while (!work.isEmpty()) {
        int start = 1;
        int end = 0;
        TxDlmFim(work, start, end, QStringLiteral("[]"));
        QString entry;
        if (end) {
            // The entry starts after its own opening bracket, so text between entries (a
            // blank, a line break) does not become part of the next key.
            entry = Mid(work, start + 1, end - start - 1);
            work = Mid(work, end + 1);
        } else {
            entry = work;
            work.clear();
        }
        QString key;
        int found = 0;
        TxSep(entry, QStringLiteral("="), key, found);
        ++count;
        for (QStringList& row : arr)
            row.resize(count + 1);
        arr[0][count] = UCase(Trim(key));
        arr[1][count] = entry;
    }
    for (QStringList& row : arr)
        row.resize(count + 1);
}

void PrmSN(const QString& mode, const QString& key, QString& prm, Variant& value) {
    if (mode == u"A") {
        Variant yesNo{QString()};
        TxSN(value, yesNo, 0);
        PrmReg(prm, key, Variant(Left(yesNo.rawString(), 1)));
        return;
    }
    Variant text{QString()};
    int found = 0;
    PrmConOpc(prm, key, text, found);
    TxSN(text, value, 0);
    if (value.isString()) value = Variant(Left(value.rawString(), 1));
}

namespace {

// 1 when a comma list has an item that matches (every value matches "*"), 0 otherwise.
template <class Match> int listMatches(const QString& list, Match matches) {
    if (list == u"*") return 1;
    QStringList items;
    int count = 0;
    TxArrSep(list, QStringLiteral(","), items, count);
    for (int i = 1; i <= count; ++i)
        if (matches(items.at(i))) return 1;
    return 0;
}

} // namespace

void CndLis(const QString& list, const QString& value, int& ok) {
    ok = 0;
    ok = listMatches(list, [&](const QString& item) {
        return item.isEmpty() ? !value.isEmpty() : value.startsWith(item);
    });
}

void CndLisExe(const QString& list, const QString& value, int& ok) {
    ok = 0;
    ok = listMatches(list, [&](const QString& item) {
        int hit = 0;
        CndExe(value, QStringLiteral("="), item, hit);
        return hit != 0;
    });
}

void CndExe(const QString& x, const QString& op, const QString& cond, int& ok) {
    ok = 0;
    const QString o = UCase(op);
    const int c = StrComp(x, cond, CompareMode::Binary);
    bool hit = false;
    if (o == u"=") {
        hit = c == 0;
    } else if (o == u">") {
        hit = c > 0;
    } else if (o == u"<") {
        hit = c < 0;
    } else if (o == u">=") {
        hit = c >= 0;
    } else if (o == u"<=") {
        hit = c <= 0;
    } else if (o == u"<>") {
        hit = c != 0;
    } else if (o == u"LIKE") {
        hit = TxLike(x, cond);
    } else if (o == u"INSTR") {
        hit = InStr(cond, x) > 0;
    } else if (o == u":") {
        QString low, high;
        int found = 0;
        TxSepCut(cond, QStringLiteral(":"), low, high, found);
        hit =
            StrComp(low, x, CompareMode::Binary) <= 0 && StrComp(x, high, CompareMode::Binary) <= 0;
    }
    if (hit) ok = 1;
}

namespace {

// Does c belong to the character list between "[" and "]" (without them)?
bool inCharList(QChar c, QStringView list) {
    bool negate = false;
    if (!list.isEmpty() && list.at(0) == u'!') {
        negate = true;
        list = list.mid(1);
    }
    bool hit = false;
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (i + 2 < list.size() && list.at(i + 1) == u'-') {
            if (c >= list.at(i) && c <= list.at(i + 2)) hit = true;
            i += 2;
        } else if (list.at(i) == c) {
            hit = true;
        }
    }
    return hit != negate;
}

bool likeFrom(QStringView s, QStringView p) {
    qsizetype si = 0;
    qsizetype pi = 0;
    while (pi < p.size()) {
        const QChar pc = p.at(pi);
        if (pc == u'*') {
            while (pi < p.size() && p.at(pi) == u'*')
                ++pi;
            if (pi == p.size()) return true;
            for (qsizetype k = si; k <= s.size(); ++k) {
                if (likeFrom(s.mid(k), p.mid(pi))) return true;
            }
            return false;
        }
        if (pc == u'[') {
            const qsizetype close = p.indexOf(u']', pi + 1);
            if (close < 0) return false; // a list without its close matches nothing
            const QStringView list = p.mid(pi + 1, close - pi - 1);
            pi = close + 1;
            if (list.isEmpty()) continue; // "[]" stands for no character at all
            if (si >= s.size() || !inCharList(s.at(si), list)) return false;
            ++si;
            continue;
        }
        if (si >= s.size()) return false;
        const QChar sc = s.at(si);
        if (pc == u'?') {
            // any one character
        } else if (pc == u'#') {
            if (sc < u'0' || sc > u'9') return false;
        } else if (pc != sc) {
            return false;
        }
        ++si;
        ++pi;
    }
    return si == s.size();
}

} // namespace

bool TxLike(const QString& text, const QString& pattern) {
    return likeFrom(text, pattern);
}

} // namespace zv
