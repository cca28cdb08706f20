#pragma once
// A form for the script host without a window: its own engine, a window handle and a
// late-bound face for the call-backs. Bound is a host bound to such a form, with a recording
// host object at hand.

#include "Convert.h"
#include "TestSupport.h"
#include "VbsSup.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

namespace shtest {

struct TestForm : zv::VbsHostForm {
    std::shared_ptr<zv::vbs::ScriptControl> engine = std::make_shared<zv::vbs::ScriptControl>();
    std::shared_ptr<zv::SimpleDispatch> face =
        std::make_shared<zv::SimpleDispatch>(QStringLiteral("TestForm"));

    std::shared_ptr<zv::vbs::ScriptControl> scriptControl() override { return engine; }
    zv::WindowHandle hwnd() const override { return 4242; }
    zv::DispatchPtr formObject() override { return face; }
};

// An object of type "Rec" whose Note(text) appends to notes.
inline zv::Variant recorder(QStringList& notes) {
    auto rec = std::make_shared<zv::SimpleDispatch>(QStringLiteral("Rec"));
    rec->addMethod(QStringLiteral("Note"), [&notes](zv::Args a) {
        notes << zv::toText(*a[0]);
        return zv::Variant();
    });
    return zv::Variant(zv::DispatchPtr(rec));
}

struct Bound {
    std::shared_ptr<TestForm> form = std::make_shared<TestForm>();
    zv::VbsSup sup;
    QStringList notes;
    Bound() {
        sup.FxIni();
        sup.VbsRegFS(form);
    }
    // RegObPrp of a recorder (or of the object given) under name; the flag.
    int reg(const QString& name, const zv::Variant& obj = zv::Variant(), const char* kind = "N") {
        int ok = -1;
        sup.RegObPrp(QString::fromUtf8(kind), name, obj.isEmpty() ? recorder(notes) : obj, ok);
        return ok;
    }
    // Adds code; fails the test when it does not load.
    void code(const QString& text) {
        int ok = 0;
        sup.PgmRegExe(text, ok);
        ASSERT_EQ(ok, 1) << text.toStdString();
    }
    zv::Variant eval(const QString& expr) { return form->engine->eval(expr); }
    QString text(const QString& expr) { return zv::toText(eval(expr)); }
};

} // namespace shtest
