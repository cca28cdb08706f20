// The host-object table: binding, objects added again after every reset, kinds, dropping
// entries, resets asked for by running code, and the end of the host.

#include "ScriptHostSupport.h"

using namespace zv;

namespace {

QStringList records(const VbsSup& sup) {
    QStringList out;
    for (size_t i = 1; i < sup.objects().size(); ++i)
        out << sup.objects()[i].kind + u':' + sup.objects()[i].name;
    return out;
}

TEST(HostObjects, BindingAndResets) {
    shtest::Bound b;
    EXPECT_EQ(b.form->engine->siteWindow(), WindowHandle(4242));
    EXPECT_EQ(b.form->engine->timeout(), -1);
    EXPECT_EQ(b.text("TypeName(FxPre) & Fxp.RegObNum()"), QStringLiteral("VbsSup2"));
    EXPECT_TRUE(b.sup.callbackObject().rawObject() == b.form->face);

    EXPECT_EQ(b.reg("Rec"), 1);
    b.code(QStringLiteral("Dim Busy\r\nSub Go\r\nEnd Sub"));
    // A name the script already holds is refused, but the record stays for the next reset.
    EXPECT_EQ(b.reg("Busy"), 0);
    EXPECT_EQ(records(b.sup), (QStringList{"N:FxPre", "N:Fxp", "N:Rec", "N:Busy"}));
    b.sup.VbsIni();
    EXPECT_EQ(b.sup.PgmFxTip(QStringLiteral("Go")), QStringLiteral("?")); // the code is gone
    EXPECT_EQ(b.text("TypeName(Rec) & TypeName(Busy) & TypeName(Fxp)"),
              QStringLiteral("RecRecVbsSup"));
    // Binding again adds second "FxPre"/"Fxp" records, which do no harm.
    b.sup.VbsRegFS(b.form);
    EXPECT_EQ(b.text("TypeName(Fxp) & Fxp.RegObNum()"), QStringLiteral("VbsSup6"));
}

TEST(HostObjects, KindsAndProgIds) {
    shtest::Bound b;
    QStringList asked;
    b.sup.setObjectFactory([&](const QString& progId) -> DispatchPtr {
        asked << progId;
        if (progId != u"Test.Rec") throw VbError(err::CannotCreateObject);
        return shtest::recorder(b.notes).rawObject();
    });
    int ok = 0;
    EXPECT_EQ(b.reg("R1", Variant("Test.Rec"), " dll "), 1);
    EXPECT_EQ(b.reg("R2", Variant("No.Such"), "DLL"), 0); // nothing appended
    b.sup.RegOb(QStringLiteral("R3"), Variant("Test.Rec"), ok);
    EXPECT_EQ(ok, 1);
    b.sup.RegOb(QStringLiteral("R4"), shtest::recorder(b.notes), ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(b.reg("R5", Variant(5)), 0); // no object: kept, refused
    EXPECT_EQ(asked, (QStringList{"Test.Rec", "No.Such", "Test.Rec"}));
    EXPECT_EQ(records(b.sup),
              (QStringList{"N:FxPre", "N:Fxp", " dll :R1", "DLL:R3", "ROB:R4", "N:R5"}));
    EXPECT_EQ(b.text("TypeName(R1) & TypeName(R3)"), QStringLiteral("RecRec"));
}

TEST(HostObjects, ProgIdsFromTheEnginesRegistry) {
    shtest::Bound b;
    QStringList notes;
    b.form->engine->objectRegistry()->add(QStringLiteral("Test.Rec"),
                                          [&] { return shtest::recorder(notes).rawObject(); });
    // Kind "DLL" and the scripts' CreateObject make their objects from the same registry.
    EXPECT_EQ(b.reg("R1", Variant("test.rec"), "DLL"), 1);
    EXPECT_EQ(b.reg("R2", Variant("No.Such"), "DLL"), 0);
    b.code(QStringLiteral("R1.Note 1\r\nCreateObject(\"Test.Rec\").Note 2"));
    EXPECT_EQ(notes, (QStringList{"1", "2"}));
    EXPECT_EQ(records(b.sup), (QStringList{"N:FxPre", "N:Fxp", "DLL:R1"}));
}

TEST(HostObjects, DroppingEntries) {
    shtest::Bound b;
    EXPECT_EQ(b.sup.RegObFixPrp(), 2);
    b.reg("A");
    b.reg("B");
    b.code(QStringLiteral("Sub Kept\r\nEnd Sub"));
    for (int n : {-1, 0, 6}) { // outside 1..count + 1: nothing happens, not even a reset
        b.sup.RegObLib(n);
        EXPECT_EQ(b.sup.RegObNum(), 4) << n;
        EXPECT_EQ(b.sup.PgmFxTip(QStringLiteral("Kept")), QStringLiteral("P")) << n;
    }
    b.sup.RegObLib(5); // drops nothing, resets
    EXPECT_EQ(b.sup.RegObNum(), 4);
    EXPECT_EQ(b.sup.PgmFxTip(QStringLiteral("Kept")), QStringLiteral("?"));
    b.sup.RegObFixRep();
    EXPECT_EQ(records(b.sup), (QStringList{"N:FxPre", "N:Fxp"}));
    EXPECT_EQ(b.text("TypeName(A) & TypeName(Fxp)"), QStringLiteral("EmptyVbsSup"));
    b.sup.RegObLib(1); // the host's own entries go too
    EXPECT_EQ(b.text("TypeName(Fxp)"), QStringLiteral("Empty"));
    EXPECT_EQ(b.sup.RegObNum(), 0);
}

TEST(HostObjects, RunningCodeCannotResetTheEngine) {
    shtest::Bound b;
    b.reg("Rec");
    b.sup.RegObFixPrp();
    b.code(QStringLiteral("Sub Go\r\nFxp.VbsIni\r\nFxp.RegObLib 1\r\nFxp.RegObFixRep\r\n"
                          "Rec.Note TypeName(Fxp) & Fxp.RegObNum()\r\nEnd Sub"));
    int ok = 0;
    b.sup.PgmCmd(QStringLiteral("Go"), ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(b.notes, QStringList{"VbsSup3"});
    EXPECT_EQ(b.sup.PgmFxTip(QStringLiteral("Go")), QStringLiteral("P"));
}

TEST(HostObjects, EndOfTheHost) {
    shtest::Bound b;
    b.sup.RegObDoc(Variant(DispatchPtr(b.form->face)));
    b.sup.FxFim();
    EXPECT_EQ(b.sup.control(), nullptr);
    EXPECT_EQ(b.sup.RegObNum(), 0);
    EXPECT_TRUE(b.sup.callbackObject().isNothing() && b.sup.documentObject().isNothing());
    int ok = 1;
    b.sup.ExeCmd(QStringLiteral("x = 1"), ok);
    EXPECT_EQ(ok, 0);
    b.sup.VbsIni(); // unbound: nothing to do, nothing raised

    // A host destroyed while bound leaves its object in the engine, which then raises 91.
    auto sup = std::make_unique<VbsSup>();
    sup->VbsRegFS(b.form);
    sup.reset();
    try {
        b.eval(QStringLiteral("Fxp.RegObNum()"));
        ADD_FAILURE() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 91);
    }
}

} // namespace
