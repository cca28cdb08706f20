#include "VbsPure.h"

#include "Text.h"

namespace zv {

namespace {

bool isLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isNameChar(QChar c) {
    return isLetter(c) || isDigit(c) || c == u'_';
}

// Names that are operators, and names that are constant values.
const QSet<QString> kOperatorWords{
    QStringLiteral("MOD"), QStringLiteral("AND"), QStringLiteral("OR"), QStringLiteral("NOT"),
    QStringLiteral("XOR"), QStringLiteral("EQV"), QStringLiteral("IMP")};
const QSet<QString> kValueWords{QStringLiteral("TRUE"), QStringLiteral("FALSE"),
                                QStringLiteral("EMPTY"), QStringLiteral("NULL")};

} // namespace

bool vbsPlainName(QStringView name) {
    if (name.isEmpty() || !isLetter(name.front())) return false;
    for (QChar c : name)
        if (!isNameChar(c)) return false;
    return true;
}

bool vbsPureExpression(QStringView e, const QSet<QString>& variables) {
    const qsizetype n = e.size();
    // Whether the last token was a value (a name, number, string or ")"): a "(" right after
    // one would index or call it.
    bool afterValue = false;
    for (qsizetype i = 0; i < n;) {
        const QChar c = e[i];
        if (c == u' ' || c == u'\t') {
            ++i;
            continue;
        }
        if (isLetter(c)) {
            const qsizetype start = i;
            while (i < n && isNameChar(e[i]))
                ++i;
            const QString word = UCase(e.sliced(start, i - start));
            if (kOperatorWords.contains(word)) {
                afterValue = false;
            } else if (kValueWords.contains(word) || variables.contains(word)) {
                afterValue = true;
            } else {
                return false;
            }
        } else if (isDigit(c) || (c == u'.' && i + 1 < n && isDigit(e[i + 1]))) {
            while (i < n && isDigit(e[i]))
                ++i;
            if (i < n && e[i] == u'.') {
                ++i;
                while (i < n && isDigit(e[i]))
                    ++i;
            }
            if (i < n && (e[i] == u'e' || e[i] == u'E')) {
                qsizetype j = i + 1;
                if (j < n && (e[j] == u'+' || e[j] == u'-')) ++j;
                if (j < n && isDigit(e[j])) {
                    i = j;
                    while (i < n && isDigit(e[i]))
                        ++i;
                }
            }
            // A number runs straight into a name or a point: not a form this test knows.
            if (i < n && (isNameChar(e[i]) || e[i] == u'.')) return false;
            afterValue = true;
        } else if (c == u'"') {
            for (++i;; ++i) {
                if (i >= n || e[i] == u'\n' || e[i] == u'\r') return false;
                if (e[i] == u'"') {
                    if (i + 1 < n && e[i + 1] == u'"') {
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
            }
            afterValue = true;
        } else if (c == u'(') {
            if (afterValue) return false;
            ++i;
        } else if (c == u')') {
            ++i;
            afterValue = true;
        } else if (QStringView(u"+-*/\\^&=<>").contains(c)) {
            ++i;
            afterValue = false;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace zv
