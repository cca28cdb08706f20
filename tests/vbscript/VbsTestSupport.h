#pragma once
// An engine with an "Out" object that records what scripts print, and the checks the tables of
// cases share.

#include "Convert.h"
#include "ScriptControl.h"
#include "TestSupport.h"

#include <QStringList>
#include <functional>
#include <ostream>

namespace vbstest {

// A value as the tests print it: "Null", else its text.
inline QString shown(const zv::Variant& v) {
    return v.isNull() ? QStringLiteral("Null") : zv::toText(v);
}

// A host object: Prop (read/write, the default member), Swap(a, b) and SetOut(v) writing
// through their by-reference arguments.
inline zv::DispatchPtr makeTestHost() {
    auto t = std::make_shared<zv::SimpleDispatch>(QStringLiteral("TestHost"));
    auto prop = std::make_shared<zv::Variant>(int16_t(0));
    t->addProperty(
        QStringLiteral("Prop"), [prop](zv::Args) { return *prop; },
        [prop](zv::Args a) { *prop = *a.back(); });
    t->setDefaultMember(QStringLiteral("Prop"));
    t->addMethod(QStringLiteral("Swap"), [](zv::Args a) {
        zv::checkArgCount(a, 2, 2);
        a[0]->swap(*a[1]);
        return zv::Variant();
    });
    t->addMethod(QStringLiteral("SetOut"), [](zv::Args a) {
        zv::checkArgCount(a, 1, 1);
        *a[0] = zv::Variant(QStringLiteral("set by host"));
        return zv::Variant();
    });
    return t;
}

// An engine with the objects Out (Print records the text) and Tst (makeTestHost).
struct Engine {
    zv::vbs::ScriptControl sc;
    QStringList printed;

    Engine() {
        auto out = std::make_shared<zv::SimpleDispatch>(QStringLiteral("OutputHost"));
        out->addMethod(QStringLiteral("Print"), [this](zv::Args a) {
            zv::checkArgCount(a, 1, 1);
            printed << shown(*a[0]);
            return zv::Variant();
        });
        sc.addObject(QStringLiteral("Out"), out);
        sc.addObject(QStringLiteral("Tst"), makeTestHost());
    }

    // AddCode, then what the code printed, lines joined with "|".
    QString run(const QString& code) {
        printed.clear();
        sc.addCode(code);
        return printed.join(u'|');
    }

    // The text of an expression's value.
    QString evalText(const QString& expr) { return zv::toText(sc.eval(expr)); }
};

using zvtest::errorOf;

// An expression and the text of its value; text nullptr: it raises error.
struct EvalCase {
    const char* expr;
    const char* text;
    int error = 0;
};

// Code that does not compile: the error's number, line (from 1) and column (from 0).
struct CompileErrorCase {
    const char* code;
    int number;
    int line;
    int column;
};

// Checks what outcome gives (a text, or a run-time error) against the text expected, or, when
// that is nullptr, against the error expected. label names the case in failure messages, with
// the engine's last error when one came unexpectedly.
inline void expectOutcome(Engine& e, const char* label, const char* expected, int error,
                          const std::function<QString()>& outcome) {
    QString got;
    const int err = errorOf([&] { got = outcome(); });
    if (!expected) {
        EXPECT_EQ(err, error) << label;
        return;
    }
    ASSERT_EQ(err, 0) << label << ": " << e.sc.error().description.toStdString();
    EXPECT_EQ(got, QString::fromUtf8(expected)) << label;
}

// Checks that AddCode refuses c.code with its number, line and column, as a compilation error.
inline void expectCompileError(const CompileErrorCase& c) {
    Engine e;
    EXPECT_EQ(errorOf([&] { e.sc.addCode(QString::fromUtf8(c.code)); }), c.number) << c.code;
    const auto& err = e.sc.error();
    EXPECT_EQ(err.number, c.number) << c.code;
    EXPECT_EQ(err.line, c.line) << c.code;
    EXPECT_EQ(err.column, c.column) << c.code;
    EXPECT_EQ(err.source, QStringLiteral("Microsoft VBScript compilation error")) << c.code;
}

} // namespace vbstest
