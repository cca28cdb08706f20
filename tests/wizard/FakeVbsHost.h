#pragma once
// A script host for the engine's tests: it records every call and understands just enough of
// the script language for a definition's expressions: numbers, string literals, variables,
// + - * / & and parentheses. Statements are assignments "name=expression". Anything else fails
// as the real host reports a failure: through ok, with the variable or result left as the real
// host leaves it.

#include "Convert.h"
#include "GlbVar.h"
#include "Operators.h"
#include "Text.h"
#include "VbsHost.h"

#include <QMap>
#include <QStringList>
#include <optional>

namespace zvtest {

class FakeVbsHost : public zv::VbsHost {
public:
    // ---- what the engine did ----
    int resets = 0;
    QList<QStringList> codes;             // every PgmRegArr's lines
    QStringList statements;               // every ExeCmd, in order
    QStringList failed;                   // the statements and expressions that failed
    QStringList expressions;              // every ExeCalc, in order
    QMap<QString, zv::Variant> variables; // by upper-cased name

    zv::Variant var(const QString& name) const { return variables.value(zv::UCase(name)); }
    bool has(const QString& name) const { return variables.contains(zv::UCase(name)); }

    void VbsIni() override {
        ++resets;
        variables.clear();
    }
    void PgmRegArr(int, const QStringList& lines, int& ok) override {
        codes << lines;
        ok = 1;
    }
    void ExeCmd(const QString& statement, int& ok) override {
        statements << statement;
        ok = 0;
        const qsizetype eq = statement.indexOf(u'=');
        const QString name = zv::Trim(statement.left(std::max<qsizetype>(eq, 0)));
        if (eq < 1 || !isName(name)) {
            failed << statement;
            return;
        }
        const auto value = evaluate(statement.mid(eq + 1));
        if (!value) {
            failed << statement;
            return;
        }
        variables[zv::UCase(name)] = *value;
        ok = 1;
    }
    void ExeCalc(const QString& expression, zv::Variant& result, int& ok) override {
        expressions << expression;
        const auto value = evaluate(expression);
        if (!value) {
            failed << expression;
            zv::VarIniTip(result);
            ok = 0;
            return;
        }
        zv::VarAtr(*value, result);
        ok = 1;
    }

    // The value of an expression; none when it is not one this host understands.
    std::optional<zv::Variant> evaluate(const QString& text) const {
        Parser p{text, 0, this};
        try {
            p.skip();
            if (p.at >= text.size()) return std::nullopt;
            auto v = p.concat();
            p.skip();
            if (!v || p.at != text.size()) return std::nullopt;
            return v;
        } catch (const zv::VbError&) {
            return std::nullopt;
        }
    }

private:
    static bool isName(const QString& s) {
        if (s.isEmpty() || !s[0].isLetter()) return false;
        for (QChar c : s)
            if (!c.isLetterOrNumber() && c != u'_') return false;
        return true;
    }

    struct Parser {
        QString s;
        qsizetype at;
        const FakeVbsHost* host;

        void skip() {
            while (at < s.size() && s[at] == u' ')
                ++at;
        }
        bool eat(QChar c) {
            skip();
            if (at < s.size() && s[at] == c) {
                ++at;
                return true;
            }
            return false;
        }
        std::optional<zv::Variant> concat() {
            auto v = sum();
            while (v && eat(u'&')) {
                auto r = sum();
                if (!r) return std::nullopt;
                v = zv::opConcat(*v, *r);
            }
            return v;
        }
        std::optional<zv::Variant> sum() {
            auto v = product();
            for (;;) {
                if (!v) return v;
                if (eat(u'+')) {
                    auto r = product();
                    if (!r) return std::nullopt;
                    v = zv::opAdd(*v, *r);
                } else if (eat(u'-')) {
                    auto r = product();
                    if (!r) return std::nullopt;
                    v = zv::opSub(*v, *r);
                } else {
                    return v;
                }
            }
        }
        std::optional<zv::Variant> product() {
            auto v = unary();
            for (;;) {
                if (!v) return v;
                if (eat(u'*')) {
                    auto r = unary();
                    if (!r) return std::nullopt;
                    v = zv::opMul(*v, *r);
                } else if (eat(u'/')) {
                    auto r = unary();
                    if (!r) return std::nullopt;
                    v = zv::opDiv(*v, *r);
                } else {
                    return v;
                }
            }
        }
        std::optional<zv::Variant> unary() {
            if (eat(u'-')) {
                auto v = unary();
                return v ? std::optional(zv::opNeg(*v)) : std::nullopt;
            }
            return primary();
        }
        std::optional<zv::Variant> primary() {
            skip();
            if (at >= s.size()) return std::nullopt;
            if (eat(u'(')) {
                auto v = concat();
                if (!v || !eat(u')')) return std::nullopt;
                return v;
            }
            const QChar c = s[at];
            if (c == u'"') {
                QString text;
                for (++at; at < s.size(); ++at) {
                    if (s[at] == u'"') {
                        if (at + 1 < s.size() && s[at + 1] == u'"') {
                            text += u'"';
                            ++at;
                            continue;
                        }
                        ++at;
                        return zv::Variant(text);
                    }
                    text += s[at];
                }
                return std::nullopt;
            }
            const qsizetype start = at;
            if (c.isDigit() || c == u'.') {
                while (at < s.size() && (s[at].isDigit() || s[at] == u'.'))
                    ++at;
                const auto n = zv::parseNumberVariant(s.mid(start, at - start));
                if (!n) return std::nullopt;
                return n;
            }
            if (c.isLetter()) {
                while (at < s.size() && (s[at].isLetterOrNumber() || s[at] == u'_'))
                    ++at;
                const QString name = zv::UCase(s.mid(start, at - start));
                if (!host->variables.contains(name)) return std::nullopt;
                return host->variables.value(name);
            }
            return std::nullopt;
        }
    };
};

} // namespace zvtest
