// The name index, name-value tables and typed assignment.

#include "Dispatch.h"
#include "GlbVar.h"
#include "NumFxd.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

int codeOf(const QString& idx, const QString& name, int* kind = nullptr) {
    int k = -1, code = -1;
    IdxCon(idx, name, k, code);
    if (kind) *kind = k;
    return code;
}

Variant assigned(const Variant& value, Variant target, const QString& type = QString()) {
    VarAtr(value, target, type);
    return target;
}

} // namespace

TEST(NameIndex, CodeCharacters) {
    QString txt;
    int ok = -1;
    IdxCodTx(300, txt, ok);
    EXPECT_EQ(txt, QString(QChar(1)) + QChar(44));
    IdxCodTx(65, txt, ok);
    EXPECT_EQ(txt, QString(QChar(0)) + u'A');
    IdxCodTx(32001, txt, ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(txt, "");
    for (int code = 1; code <= 32000; code += 37) { // codes read back through the code page
        IdxCodTx(code, txt, ok);
        int back = 0;
        IdxPosVal(txt, back);
        ASSERT_EQ(back, code);
    }
}

TEST(NameIndex, RegisterAndLookUpWholeNames) {
    QString idx;
    int ok = 0;
    IdxReg(idx, "abc", 2, 5, ok);
    IdxReg(idx, "ab", 3, 300, ok);
    EXPECT_EQ(ok, 1);
    IdxReg(idx, "x", 256, 7, ok);
    EXPECT_EQ(ok, 0);
    int kind = 0;
    EXPECT_EQ(codeOf(idx, "ab", &kind), 300);
    EXPECT_EQ(kind, 3);
    EXPECT_EQ(codeOf(idx, "abc"), 5);
    for (const char* missing : {"b", "bc", "abcd", "", "x"})
        EXPECT_EQ(codeOf(idx, missing), 0);
}

TEST(NameIndex, WalkEntryByEntry) {
    QString idx;
    int ok = 0;
    IdxReg(idx, "A", 2, 65, ok);
    IdxReg(idx, "", 1, 512, ok);
    IdxReg(idx, "longer name", 255, 32000, ok);
    idx += QChar(1); // a cut-off entry ends the walk
    QStringList seen;
    qsizetype pos = 0;
    int kind = 0, code = 0;
    QString name;
    while (IdxEntLer(idx, pos, kind, code, name))
        seen << QStringLiteral("%1 %2 %3").arg(kind).arg(code).arg(name);
    EXPECT_EQ(seen, QStringList({"2 65 A", "1 512 ", "255 32000 longer name"}));
    EXPECT_EQ(pos, idx.size() - 1);
}

TEST(NameIndex, OneLetterNamesNeverMatchCodeCharacters) {
    // 70 one-letter names with codes 1..70, registered from the last: the entries of codes
    // 65.. (whose code characters are a NUL and a letter) come before those letters' entries.
    QString idx;
    int ok = 0;
    for (int code = 70; code >= 1; --code)
        IdxReg(idx, QString(QChar(32 + code)), 1, code, ok);
    for (int code = 1; code <= 70; ++code)
        EXPECT_EQ(codeOf(idx, QString(QChar(32 + code))), code) << char(32 + code);
}

TEST(NameIndex, Tables) {
    QStringList idx;
    IdxArrIni(idx);
    int code = 0;
    for (const char* name : {"one", "two", "three"})
        IdxArrRegExe(idx, name, name, code);
    EXPECT_EQ(code, 3);
    IdxArrRegExe(idx, "two", "deux", code); // an existing name keeps its code
    EXPECT_EQ(code, 2);
    EXPECT_EQ(idx.mid(1), (QStringList{" 3", "one", "deux", "three"}));
    QString value;
    IdxArrCon(idx, "four", value, code);
    EXPECT_EQ(value + QString::number(code), "0");

    // More than 256 names are listed in registration order.
    QStringList expected{""};
    for (int i = 4; i <= 300; ++i) {
        IdxArrReg(idx, QStringLiteral("n%1").arg(i), QString::number(i));
        expected << QStringLiteral("n%1").arg(i);
    }
    QStringList names;
    int count = 0;
    IdxArrLisReg(idx, names, count);
    EXPECT_EQ(count, 300);
    EXPECT_EQ(names.mid(4), expected.mid(1));
    IdxArrCon(idx, "n299", value, code);
    EXPECT_EQ(value + u'/' + QString::number(code), "299/299");
}

TEST(TypedAssign, ValueIntoTargetOfEachType) {
    const Variant values[] = {Variant("12,5"), Variant(3.5),  Variant(int16_t(7)),
                              Variant(),       Variant(true), Variant::null()};
    const char* asText[] = {"12,5", "3.5", "7", "", "True", ""};
    const Variant asNumber[] = {Variant(12.0), Variant(3.5),  Variant(7.0),
                                Variant(0.0),  Variant(-1.0), Variant()};
    for (size_t i = 0; i < std::size(values); ++i) {
        EXPECT_TRUE(assigned(values[i], Variant("old")).sameAs(Variant(asText[i]))) << i;
        for (const Variant& start : {Variant(), Variant(int16_t(1)), Variant(false)}) {
            // A value without a number leaves the target as it was.
            const Variant expected = asNumber[i].isEmpty() ? start : asNumber[i];
            EXPECT_TRUE(assigned(values[i], start).sameAs(expected)) << i;
        }
    }
    EXPECT_TRUE(assigned(Variant(5.0), Variant(int16_t(4)), "N$").sameAs(Variant("5")));

    Variant text{QString()};
    VarAtrOpc("MT", Variant(" abc "), text);
    EXPECT_EQ(text.rawString(), "ABC");
    Variant number;
    numFxdState().NumFmtEnt = ".,";
    VarAtrOpc("", Variant("1.234,5"), number); // a number target reads the input format
    numFxdReset();
    EXPECT_TRUE(number.sameAs(Variant(1234.5)));
}

TEST(TypedAssign, EmptyingTypeCodesAndYesNo) {
    Variant t{"x"}, n{2.0};
    VarIniTip(t);
    VarIniTip(n);
    EXPECT_TRUE(t.sameAs(Variant("")));
    EXPECT_TRUE(n.sameAs(Variant(int16_t(0))));
    VarIniTip(t, "N");
    VarIniTip(n, "N$"); // only the last character counts
    EXPECT_TRUE(t.sameAs(Variant(int16_t(0))));
    EXPECT_TRUE(n.sameAs(Variant("")));
    EXPECT_EQ(VarTipCon(Variant("x")) + VarTipCon(Variant(1.0)) + VarTipCon(Variant("x"), "N"),
              "TNN");

    Variant text{QString()}, number{0.0};
    VarAtrSN(Variant("sim "), text);
    VarAtrSN(Variant("S"), number);
    EXPECT_TRUE(text.sameAs(Variant("S")));
    EXPECT_TRUE(number.sameAs(Variant(int16_t(1))));
    VarAtrSN(Variant(0.0), number, "T");
    EXPECT_TRUE(number.sameAs(Variant("N")));
}

TEST(TypedAssign, ControlValue) {
    auto control = std::make_shared<SimpleDispatch>("TextBox");
    control->addProperty("Text", [](Args) { return Variant("12abc"); });
    control->addProperty("Value", [](Args) { return Variant(int16_t(3)); });
    Variant text{QString()};
    VarObLer(Variant(DispatchPtr(control)), text); // no Caption; Value is read last
    EXPECT_EQ(text.rawString(), "3");

    auto label = std::make_shared<SimpleDispatch>("Label");
    label->addProperty("Caption", [](Args) { return Variant("7 items"); });
    Variant number{int16_t(0)};
    VarObLer(Variant(DispatchPtr(label)), number);
    EXPECT_TRUE(number.sameAs(Variant(7.0)));
    VarObLer(Variant::nothing(), text);
    EXPECT_EQ(text.rawString(), "");
}
