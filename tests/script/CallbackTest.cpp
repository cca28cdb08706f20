// Call-backs between scripts and host objects, and a script that uses the host's own object
// while one of its procedures runs.

#include "ScriptHostSupport.h"
#include "TestSupport.h"

using namespace zv;

namespace {

// A document object: each query member answers "member:name" in its result argument (an
// Integer for a number query of VarEspCon, a property text for "DocEsp"); the other members
// record what they are told.
DispatchPtr makeDocument(QStringList& told) {
    auto doc = std::make_shared<SimpleDispatch>(QStringLiteral("Doc"));
    for (const char* m :
         {"VarEspCon", "DocExpCalc", "DocVarCon", "SqlCalc", "LstFxCall", "PrExeFx"})
        doc->addMethod(QString::fromLatin1(m), [&told, m](Args a) {
            const QString said = QString::fromLatin1(m) + u':' + toText(*a[0]);
            if (a.size() == 1)
                told << said;
            else if (toText(*a[0]) == u"DocEsp")
                *a[1] = Variant("[COR=azul][TAM=12]");
            else
                *a[1] = a[1]->isString() ? Variant(said + (a.size() > 2 ? toText(*a[2]) : ""))
                                         : Variant(int32_t(42));
            return Variant();
        });
    return doc;
}

TEST(Callbacks, CallbackObjectGetsACopyAndChangesComeBack) {
    shtest::Bound b;
    b.form->face->addMethod(QStringLiteral("cbkVbsFx"), [](Args a) {
        a[0]->arrayMut().at1(1) = Variant("changed");
        return Variant(a[0]->array().ubound(1));
    });
    b.form->face->addMethod(QStringLiteral("FxCbkExe"), [](Args a) {
        a[0]->arrayMut().at1(0) = Variant(toText(a[0]->array().at1(0)) + u'+');
        return Variant();
    });
    b.code(QStringLiteral("Dim a(2): a(0) = \"x\": a(1) = \"y\"\r\n"
                          "r = Fxp.FxPgm(a)\r\nFxp.FxDiv a"));
    EXPECT_EQ(b.text("r & a(0) & a(1)"), QStringLiteral("2x+changed"));

    // A call-back object given at binding that lacks the members answers Empty.
    VbsSup other;
    other.VbsRegSup(b.form, b.form->engine, shtest::recorder(b.notes));
    Variant arr = Variant::list({"x", "y"});
    EXPECT_TRUE(other.FxPgm(arr).isEmpty());
    EXPECT_EQ(toText(arr.array().at1(1)), QStringLiteral("y"));
}

TEST(Callbacks, DocumentQueries) {
    shtest::Bound b;
    QStringList told;
    b.reg("Doc", Variant(makeDocument(told)));
    // No document yet: every query answers its starting value; PrWin raises.
    EXPECT_TRUE(b.sup.DocConEsp("n", "k").sameAs(Variant(int16_t(0))));
    EXPECT_THROW(b.sup.PrWin(Variant::list({"a"})), VbError);

    b.code(QStringLiteral("Fxp.RegObDoc Doc"));
    EXPECT_EQ(toText(b.sup.DocConEsp("A", "k")) + toText(b.sup.DocConVar("a", "v")) +
                  toText(b.sup.DocConOpc("A", "o")) + toText(b.sup.SqlCalc("A", "s")),
              QStringLiteral("VarEspCon:kDocExpCalc:v1DocVarCon:oSqlCalc:s"));
    EXPECT_TRUE(b.sup.DocConEsp(" n ", "k").sameAs(Variant(int32_t(42))));
    EXPECT_TRUE(b.sup.DocConOpcEsp("A", "cor").sameAs(Variant("azul")));
    EXPECT_TRUE(b.sup.DocConOpcEsp("N", "TAM").sameAs(Variant(12.0)));
    b.code(QStringLiteral("Fxp.FxDoc Array(\"Lista\", 2)\r\n"
                          "Fxp.PrWin Array(\"\"\"a\"\"\", 2, \"\", \"b c\")"));
    EXPECT_EQ(told, (QStringList{"LstFxCall:Lista", "PrExeFx:a,2,b c"}));
}

TEST(Callbacks, ScriptUsesTheHostWhileItRuns) {
    shtest::Bound b;
    b.reg("Rec");
    QString code;
    int ok = 0;
    b.sup.PgmLer(zvtest::dataPath(QStringLiteral("script/reentrant.vbs")), 1, code, ok);
    b.code(code);
    QString kind;
    const Variant r = b.sup.SupVbsFx(Variant::list({"Externo", int16_t(1)}), kind);
    EXPECT_EQ(toText(r), QStringLiteral("Double 63 10 1023 ?0"));
    EXPECT_EQ(b.notes, QStringList{"LIN:1  COL:4  COD:x = = 1"});
    EXPECT_EQ(b.text("Visto & \"/\" & Arg1"), QStringLiteral("63/21")); // Arg1 of the inner call
    EXPECT_EQ(b.sup.lastCallFlag(), 1);
}

} // namespace
