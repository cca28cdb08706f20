// The host-object table: binding, objects added again after every reset, kinds, dropping
// entries, and resets asked for by running code.

#include "ScriptHostSupport.h"

using namespace zv;

namespace {

QString typeOf(shtest::Bound& b, const QString& name) {
    return toText(b.eval(QStringLiteral("TypeName(") + name + u')'));
}

QStringList names(const VbsSup& sup) {
    QStringList out;
    for (size_t i = 1; i < sup.objects().size(); ++i)
        out << sup.objects()[i].kind + u':' + sup.objects()[i].name;
    return out;
}

TEST(HostObjects, BindingRegistersTheHostTwice) {
    shtest::Bound b;
    EXPECT_EQ(b.form->engine->siteWindow(), WindowHandle(4242));
    EXPECT_EQ(b.form->engine->timeout(), -1);
    EXPECT_EQ(names(b.sup), (QStringList{"N:FxPre", "N:Fxp"}));
    EXPECT_EQ(typeOf(b, "FxPre"), QStringLiteral("VbsSup"));
    EXPECT_EQ(b.eval(QStringLiteral("Fxp.RegObNum()")).rawInteger(), 2);
    EXPECT_TRUE(b.sup.callbackObject().rawObject() == b.form->face);

    // VbsSupPrp binds without touching the site window; a second binding only adds records
    // whose objects the engine already holds.
    auto other = std::make_shared<shtest::TestForm>();
    int ok = 0;
    b.sup.VbsSupPrp(other, other->engine, Variant(DispatchPtr(b.form->face)));
    EXPECT_EQ(other->engine->siteWindow(), WindowHandle(0));
    EXPECT_EQ(b.sup.RegObNum(), 4);
    b.sup.ExeCmd(QStringLiteral("z = TypeName(Fxp)"), ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(toText(other->engine->eval(QStringLiteral("z"))), QStringLiteral("VbsSup"));
}

TEST(HostObjects, ObjectsComeBackAfterEveryReset) {
    shtest::Bound b;
    QStringList notes;
    int ok = 0;
    b.sup.RegObPrp(QStringLiteral("N"), QStringLiteral("Rec"), Variant(DispatchPtr(shtest::recorder(notes))), ok);
    EXPECT_EQ(ok, 1);
    b.code(QStringLiteral("Sub Go\r\nRec.Note \"go\"\r\nEnd Sub"));
    EXPECT_EQ(b.sup.PgmFxTip(QStringLiteral("go")), QStringLiteral("P"));
    b.sup.VbsIni();
    EXPECT_EQ(b.sup.PgmFxTip(QStringLiteral("Go")), QStringLiteral("?")); // the code is gone
    EXPECT_EQ(typeOf(b, "Rec"), QStringLiteral("Rec"));
    EXPECT_EQ(typeOf(b, "Fxp"), QStringLiteral("VbsSup"));

    // A name the script already holds: refused (ok 0), but the record stays and the next
    // reset adds it.
    b.code(QStringLiteral("Dim Busy"));
    b.sup.RegObPrp(QStringLiteral("N"), QStringLiteral("Busy"), Variant(DispatchPtr(shtest::recorder(notes))), ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(names(b.sup), (QStringList{"N:FxPre", "N:Fxp", "N:Rec", "N:Busy"}));
    b.sup.VbsIni();
    EXPECT_EQ(typeOf(b, "Busy"), QStringLiteral("Rec"));
}

TEST(HostObjects, KindsAndProgIds) {
    shtest::Bound b;
    QStringList notes;
    QStringList asked;
    b.sup.setObjectFactory([&](const QString& progId) -> DispatchPtr {
        asked << progId;
        if (progId == u"Test.Rec") return shtest::recorder(notes);
        throw VbError(err::CannotCreateObject);
    });
    int ok = 0;
    b.sup.RegObPrp(QStringLiteral(" dll "), QStringLiteral("R1"), Variant("Test.Rec"), ok);
    EXPECT_EQ(ok, 1);
    b.sup.RegObPrp(QStringLiteral("DLL"), QStringLiteral("R2"), Variant("No.Such"), ok);
    EXPECT_EQ(ok, 0);
    b.sup.RegOb(QStringLiteral("R3"), Variant("Test.Rec"), ok);
    EXPECT_EQ(ok, 1);
    b.sup.RegOb(QStringLiteral("R4"), Variant(DispatchPtr(shtest::recorder(notes))), ok);
    EXPECT_EQ(ok, 1);
    b.sup.RegObPrp(QStringLiteral("N"), QStringLiteral("R5"), Variant(5), ok); // no object
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(asked, (QStringList{"Test.Rec", "No.Such", "Test.Rec"}));
    EXPECT_EQ(names(b.sup), (QStringList{"N:FxPre", "N:Fxp", " dll :R1", "DLL:R3", "ROB:R4", "N:R5"}));
    EXPECT_EQ(typeOf(b, "R1"), QStringLiteral("Rec"));

    // Without a factory no ProgID can be created.
    VbsSup plain;
    plain.RegObPrp(QStringLiteral("DLL"), QStringLiteral("R"), Variant("Test.Rec"), ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(plain.RegObNum(), 0);
}

TEST(HostObjects, DroppingEntries) {
    shtest::Bound b;
    QStringList notes;
    int ok = 0;
    EXPECT_EQ(b.sup.RegObFixPrp(), 2);
    for (const char* name : {"A", "B"})
        b.sup.RegObPrp(QStringLiteral("N"), QString::fromLatin1(name), Variant(DispatchPtr(shtest::recorder(notes))), ok);
    b.code(QStringLiteral("Sub Kept\r\nEnd Sub"));

    // Outside 1..count + 1 nothing happens, not even a reset.
    for (int n : {-1, 0, 6, 100}) {
        b.sup.RegObLib(n);
        EXPECT_EQ(b.sup.RegObNum(), 4) << n;
        EXPECT_EQ(b.sup.PgmFxTip(QStringLiteral("Kept")), QStringLiteral("P")) << n;
    }
    b.sup.RegObLib(5); // drops nothing, resets
    EXPECT_EQ(b.sup.RegObNum(), 4);
    EXPECT_EQ(b.sup.PgmFxTip(QStringLiteral("Kept")), QStringLiteral("?"));

    b.sup.RegObFixRep();
    EXPECT_EQ(names(b.sup), (QStringList{"N:FxPre", "N:Fxp"}));
    EXPECT_EQ(typeOf(b, "A"), QStringLiteral("Empty"));
    EXPECT_EQ(typeOf(b, "Fxp"), QStringLiteral("VbsSup"));

    b.sup.RegObLib(1); // the host's own entries go too
    EXPECT_EQ(b.sup.RegObNum(), 0);
    EXPECT_EQ(typeOf(b, "Fxp"), QStringLiteral("Empty"));
}

TEST(HostObjects, RunningCodeCannotResetTheEngine) {
    shtest::Bound b;
    QStringList notes;
    int ok = 0;
    b.sup.RegObPrp(QStringLiteral("N"), QStringLiteral("Rec"), Variant(DispatchPtr(shtest::recorder(notes))), ok);
    b.code(QStringLiteral("Sub Go\r\n"
                          "Fxp.VbsIni\r\n"
                          "Fxp.RegObLib 1\r\n"
                          "Fxp.RegObFixRep\r\n"
                          "Rec.Note TypeName(Fxp) & \" \" & Fxp.RegObNum()\r\n"
                          "End Sub"));
    b.sup.RegObFixPrp();
    b.sup.PgmCmd(QStringLiteral("Go"), ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(notes, QStringList{"VbsSup 3"});
    EXPECT_EQ(b.sup.RegObNum(), 3);
    EXPECT_EQ(b.sup.PgmFxTip(QStringLiteral("Go")), QStringLiteral("P"));
}

TEST(HostObjects, EndingReleasesEverything) {
    auto b = std::make_unique<shtest::Bound>();
    b->sup.RegObDoc(Variant(DispatchPtr(b->form->face)));
    b->sup.FxFim();
    EXPECT_EQ(b->sup.control(), nullptr);
    EXPECT_EQ(b->sup.RegObNum(), 0);
    EXPECT_TRUE(b->sup.callbackObject().isNothing());
    EXPECT_TRUE(b->sup.documentObject().isNothing());
    int ok = 1;
    b->sup.ExeCmd(QStringLiteral("x = 1"), ok);
    EXPECT_EQ(ok, 0);
    b->sup.VbsIni(); // unbound: nothing to do, nothing raised

    // A host destroyed while still bound leaves its objects in the engine; they raise 91.
    auto form = std::make_shared<shtest::TestForm>();
    auto sup = std::make_unique<VbsSup>();
    sup->VbsRegFS(form);
    sup.reset();
    try {
        form->engine->eval(QStringLiteral("Fxp.RegObNum()"));
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 91);
    }

    struct NoEngine : shtest::TestForm {
        std::shared_ptr<vbs::ScriptControl> scriptControl() override { return nullptr; }
    };
    VbsSup none;
    EXPECT_THROW(none.VbsRegFS(std::make_shared<NoEngine>()), VbError);
}

} // namespace
