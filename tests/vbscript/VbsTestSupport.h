#pragma once
// An engine with an "Out" object that records what scripts print.

#include "Convert.h"
#include "ScriptControl.h"
#include "TestSupport.h"

#include <QStringList>
#include <functional>
#include <ostream>

namespace vbstest {

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
            printed << (a[0]->isNull() ? QStringLiteral("Null") : zv::toText(*a[0]));
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

} // namespace vbstest
