#pragma once
// The action object "Vyn" in a real script engine, with a stand-in for the wizard engine: the
// control access records its calls, the registry and program services work as the engine's do.

#include "ActionsTest.h"

#include "ApiDec.h"
#include "Convert.h"
#include "GlbReg.h"
#include "HeadlessMessageBox.h"
#include "ScriptControl.h"
#include "SupVynVbs.h"
#include "TxtGlb.h"
#include "VynEngineAccess.h"

namespace zvtest {

using namespace Qt::Literals::StringLiterals;

class FakeEngine : public zv::VynEngineAccess {
public:
    QStringList calls;
    QString keyPath;

    zv::Variant CmpVarCon(const zv::Variant& c) override {
        calls << u"Con "_s + zv::TypeName(c) + u' ' + zv::toText(c);
        return zv::Variant(int16_t(1));
    }
    zv::Variant CmpVarAlt(const zv::Variant& c, const zv::Variant& what,
                          const zv::Variant& value) override {
        calls << u"Alt "_s + zv::toText(c) + u'|' + zv::toText(what) + u'|' + zv::TypeName(value);
        return zv::Variant(int16_t(1));
    }
    void RegChvPrp(const QString& mode, QString& key) override {
        mode == u"A" ? void(keyPath = key) : void(key = keyPath);
    }
    void RegValPrp(const QString&, const QString& name, QString& value, int& found) override {
        QString v = zv::RegValLer(zv::kHkeyLocalMachine, keyPath, name);
        zv::TxChrFil(0, QString(v), QString(QChar(0)), v);
        zv::TxChrFil(3, v, u" "_s, value);
        found = value.isEmpty() ? 0 : 1;
    }
    zv::Variant PgmExeEsp(const QString& cmd, const zv::Variant& mode) override {
        calls << u"Pgm "_s + zv::TypeName(mode);
        const double m = zv::toDouble(mode);
        int ok = 0;
        if (m == -1 || m == -2 || m > 0)
            ok = zv::toText(zv::PgmShellEsp(m == -2 ? u"N"_s : u"B"_s, cmd, 1,
                                            m > 0 ? std::optional(m) : std::nullopt)) == u"NOR";
        else
            zv::PgmAbr(cmd, ok);
        return zv::Variant(int16_t(ok));
    }
};

class VynTest : public ActionsTest {
protected:
    VynTest() { sc.addObject(u"Vyn"_s, vyn); }

    void exec(const QString& statements) { sc.executeStatement(statements); }
    // "TypeName:text" of an expression.
    QString typed(const QString& expression) {
        const zv::Variant v = sc.eval(expression);
        return zv::TypeName(v) + u':' + zv::toText(v);
    }
    int errorOf(const QString& statements) {
        return zvtest::errorOf([&] { exec(statements); });
    }
    // A text as a script string literal.
    static QString q(QString text) { return u'"' + text.replace(u'"', u"\"\""_s) + u'"'; }
    // "title|text" of every box shown.
    QStringList boxTexts() {
        QStringList out;
        for (const auto& b : boxes().shown())
            out << b.request.title + u'|' + b.request.text;
        return out;
    }

    FakeEngine engine;
    std::shared_ptr<zv::SupVynVbs> vyn = std::make_shared<zv::SupVynVbs>(&engine);
    zv::vbs::ScriptControl sc;
};

} // namespace zvtest
