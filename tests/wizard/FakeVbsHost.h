#pragma once
// A script host for the engine's tests: it records every call and understands just enough of
// the script language for a definition's expressions: numbers, string literals, variables,
// + - * / & and parentheses. Statements are assignments "name=expression". Anything else fails
// as the real host reports a failure: through ok, with the variable or result left as the real
// host leaves it. Procedure calls are recorded; a procedure given a value in "functions" is a
// function returning it, any other is missing (kind "?", the call fails).

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
    int resets = 0;
    QList<QStringList> codes;             // every PgmRegArr's lines
    QStringList statements;               // every ExeCmd, in order
    QStringList calculated;               // the expressions evaluated, in order
    QStringList failed;                   // the statements and expressions that failed
    QMap<QString, zv::Variant> variables; // by upper-cased name
    QStringList objects;                  // the names of the host objects registered
    QStringList calls;                    // every procedure called, with its arguments
    QMap<QString, zv::Variant> functions; // by upper-cased name
    int flag = 0;

    zv::Variant var(const QString& name) const { return variables.value(zv::UCase(name)); }
    bool has(const QString& name) const { return variables.contains(zv::UCase(name)); }

    void FxIni() override {}
    void FxFim() override { objects.clear(); }
    void VbsRegFS(const zv::VbsHostFormPtr&) override {}
    void RegObPrp(const QString&, const QString& name, const zv::Variant&, int& ok) override {
        objects << name;
        ok = 1;
    }
    zv::Variant SupVbsFx(const zv::Variant& args, QString& kind) override {
        QStringList call;
        for (int i = 0; i <= args.array().ubound(1); ++i)
            call << zv::toText(args.array().at1(i));
        calls << call.join(u' ');
        const QString name = zv::UCase(call.value(0));
        kind = functions.contains(name) ? QStringLiteral("F") : QStringLiteral("?");
        flag = functions.contains(name) ? 1 : 0;
        return functions.value(name, zv::Variant(int16_t(0)));
    }
    int lastCallFlag() const override { return flag; }
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
        const qsizetype eq = statement.indexOf(u'=');
        const QString name = zv::Trim(statement.left(std::max<qsizetype>(eq, 0)));
        const auto value = eq > 0 && isName(name) ? evaluate(statement.mid(eq + 1)) : std::nullopt;
        ok = value ? 1 : 0;
        if (value)
            variables[zv::UCase(name)] = *value;
        else
            failed << statement;
    }
    void ExeCalc(const QString& expression, zv::Variant& result, int& ok) override {
        calculated << expression;
        const auto value = evaluate(expression);
        ok = value ? 1 : 0;
        if (value) {
            zv::VarAtr(*value, result);
        } else {
            failed << expression;
            zv::VarIniTip(result);
        }
    }

    std::optional<zv::Variant> evaluate(const QString& text) const {
        s_ = text;
        at_ = 0;
        try {
            auto v = binary(0);
            skip();
            return v && at_ == s_.size() ? v : std::nullopt;
        } catch (const zv::VbError&) {
            return std::nullopt;
        }
    }

private:
    static bool isName(const QString& s) {
        if (s.isEmpty() || !s[0].isLetter()) return false;
        return std::all_of(s.begin(), s.end(),
                           [](QChar c) { return c.isLetterOrNumber() || c == u'_'; });
    }
    void skip() const {
        while (at_ < s_.size() && s_[at_] == u' ')
            ++at_;
    }
    // Levels: 0 "&", 1 "+" "-", 2 "*" "/".
    std::optional<zv::Variant> binary(int level) const {
        static const QString ops[] = {QStringLiteral("&"), QStringLiteral("+-"),
                                      QStringLiteral("*/")};
        auto v = level < 2 ? binary(level + 1) : primary();
        for (skip(); v && at_ < s_.size() && ops[level].contains(s_[at_]); skip()) {
            const QChar op = s_[at_++];
            const auto r = level < 2 ? binary(level + 1) : primary();
            if (!r) return std::nullopt;
            v = op == u'&'   ? zv::opConcat(*v, *r)
                : op == u'+' ? zv::opAdd(*v, *r)
                : op == u'-' ? zv::opSub(*v, *r)
                : op == u'*' ? zv::opMul(*v, *r)
                             : zv::opDiv(*v, *r);
        }
        return v;
    }
    std::optional<zv::Variant> primary() const {
        skip();
        if (at_ >= s_.size()) return std::nullopt;
        const QChar c = s_[at_];
        const qsizetype start = at_;
        if (c == u'-') {
            ++at_;
            const auto v = primary();
            return v ? std::optional(zv::opNeg(*v)) : std::nullopt;
        }
        if (c == u'(') {
            ++at_;
            const auto v = binary(0);
            skip();
            if (!v || at_ >= s_.size() || s_[at_] != u')') return std::nullopt;
            ++at_;
            return v;
        }
        if (c == u'"') {
            const qsizetype end = s_.indexOf(u'"', at_ + 1);
            if (end < 0) return std::nullopt;
            at_ = end + 1;
            return zv::Variant(s_.mid(start + 1, end - start - 1));
        }
        while (at_ < s_.size() &&
               (s_[at_].isLetterOrNumber() || s_[at_] == u'_' || s_[at_] == u'.'))
            ++at_;
        const QString word = s_.mid(start, at_ - start);
        if (c.isDigit()) return zv::parseNumberVariant(word);
        if (!isName(word) || !variables.contains(zv::UCase(word))) return std::nullopt;
        return variables.value(zv::UCase(word));
    }

    mutable QString s_;
    mutable qsizetype at_ = 0;
};

} // namespace zvtest
