// The name index, name-value tables and typed assignment.

#include "Dispatch.h"
#include "FoundationTest.h"
#include "GlbVar.h"
#include "NumFxd.h"

#include <gtest/gtest.h>

using namespace zv;

TEST(NameIndex, CodeCharacters) {
    QString txt;
    int ok = -1;
    IdxCodTx(300, txt, ok);
    EXPECT_EQ(ok, 1);
    ASSERT_EQ(txt.size(), 2);
    EXPECT_EQ(txt.at(0).unicode(), 1);
    EXPECT_EQ(txt.at(1).unicode(), 44);
    IdxCodTx(65, txt, ok);
    EXPECT_EQ(txt, QString(QChar(0)) + u'A');
    for (int bad : {0, -1, 32001}) {
        IdxCodTx(bad, txt, ok);
        EXPECT_EQ(ok, 0) << bad;
        EXPECT_EQ(txt, "");
    }
    // Every code reads back, also those whose characters lie in the upper half of the code page.
    for (int code = 1; code <= 32000; code += 37) {
        IdxCodTx(code, txt, ok);
        int back = 0;
        IdxPosVal(txt, back);
        EXPECT_EQ(back, code);
    }
    IdxCodTx(128, txt, ok);
    EXPECT_EQ(txt.at(1), QChar(0x20AC)); // the code page's character for 128
}

TEST(NameIndex, RegisterAndLookUpWholeNames) {
    QString idx;
    int ok = 0;
    IdxReg(idx, "abc", 2, 5, ok);
    EXPECT_EQ(ok, 1);
    IdxReg(idx, "ab", 3, 300, ok);
    EXPECT_EQ(ok, 1);
    IdxReg(idx, "x", 0, 7, ok);
    EXPECT_EQ(ok, 0);
    IdxReg(idx, "x", 256, 7, ok);
    EXPECT_EQ(ok, 0);
    IdxReg(idx, "x", 1, 32001, ok);
    EXPECT_EQ(ok, 0);

    int kind = -1, code = -1;
    IdxCon(idx, "ab", kind, code);
    EXPECT_EQ(kind, 3);
    EXPECT_EQ(code, 300);
    IdxCon(idx, "abc", kind, code);
    EXPECT_EQ(code, 5);
    for (const char* missing : {"b", "bc", "abcd", "", "x"}) {
        IdxCon(idx, missing, kind, code);
        EXPECT_EQ(code, 0) << missing;
        EXPECT_EQ(kind, 0);
    }
}

TEST(NameIndex, OneLetterNamesNeverMatchCodeCharacters) {
    // 70 one-letter names, codes 1..70, registered in reverse order so that the entries of the
    // codes 65.. (whose code characters are NUL and a letter) come before the entries of those
    // letters.
    QString idx;
    int ok = 0;
    for (int code = 70; code >= 1; --code) {
        IdxReg(idx, QString(QChar(32 + code)), 1 + code % 3, code, ok);
        ASSERT_EQ(ok, 1);
    }
    for (int code = 1; code <= 70; ++code) {
        int kind = 0, found = 0;
        IdxCon(idx, QString(QChar(32 + code)), kind, found);
        EXPECT_EQ(found, code) << char(32 + code);
        EXPECT_EQ(kind, 1 + code % 3);
    }
}

TEST(NameIndex, TableRegistersInOrder) {
    QStringList idx;
    IdxArrIni(idx);
    EXPECT_EQ(idx, (QStringList{"", ""}));
    int code = 0;
    IdxArrRegExe(idx, "one", "1", code);
    EXPECT_EQ(code, 1);
    IdxArrRegExe(idx, "two", "2", code);
    EXPECT_EQ(code, 2);
    IdxArrRegExe(idx, "three", "3", code);
    EXPECT_EQ(code, 3);
    EXPECT_EQ(idx.at(1), " 3");
    IdxArrRegExe(idx, "two", "deux", code); // an existing name keeps its code
    EXPECT_EQ(code, 2);
    EXPECT_EQ(idx.at(1), " 3");
    EXPECT_EQ(idx.mid(2), (QStringList{"1", "deux", "3"}));

    QString value;
    IdxArrCon(idx, "two", value, code);
    EXPECT_EQ(value, "deux");
    EXPECT_EQ(code, 2);
    IdxArrCon(idx, "four", value, code);
    EXPECT_EQ(value, "");
    EXPECT_EQ(code, 0);
}

TEST(NameIndex, ListsMoreThan256Names) {
    QStringList idx;
    IdxArrIni(idx);
    QStringList expected{""};
    for (int i = 1; i <= 300; ++i) {
        const QString name = QStringLiteral("n%1").arg(i);
        IdxArrReg(idx, name, QString::number(i * 2));
        expected << name;
    }
    QStringList names;
    int count = 0;
    IdxArrLisReg(idx, names, count);
    EXPECT_EQ(count, 300);
    EXPECT_EQ(names, expected);
    QString value;
    int code = 0;
    IdxArrCon(idx, "n299", value, code);
    EXPECT_EQ(code, 299);
    EXPECT_EQ(value, "598");

    QString work = idx.at(0), name;
    IdxEntNom(work, name);
    EXPECT_EQ(name, "n1");
    IdxEntNom(work, name);
    EXPECT_EQ(name, "n2");
    work = "garbage";
    IdxEntNom(work, name);
    EXPECT_EQ(name, "");
    EXPECT_EQ(work, "");
}

TEST(TypedAssign, ValueIntoTargetOfEachType) {
    const Variant values[] = {Variant("12,5"), Variant(3.5),  Variant(int16_t(7)),
                              Variant(),       Variant(true), Variant::null()};
    const QString asText[] = {"12,5", "3.5", "7", "", "True", ""};
    const Variant asNumber[] = {Variant(12.0), Variant(3.5),  Variant(7.0),
                                Variant(0.0),  Variant(-1.0), Variant()};
    for (size_t i = 0; i < std::size(values); ++i) {
        Variant text{"old"};
        VarAtr(values[i], text);
        EXPECT_TRUE(text.sameAs(Variant(asText[i]))) << i;
        for (const Variant& start : {Variant(), Variant(int16_t(1)), Variant(false)}) {
            Variant target = start;
            VarAtr(values[i], target);
            // A value without a number leaves the target as it was.
            const Variant expected = asNumber[i].isEmpty() ? start : asNumber[i];
            EXPECT_TRUE(target.sameAs(expected)) << i << " " << ::testing::PrintToString(start);
        }
    }
    Variant target{int16_t(4)};
    VarAtr(Variant(5.0), target, "N$"); // emptied as text first
    EXPECT_TRUE(target.sameAs(Variant("5")));
}

TEST(TypedAssign, WithOptionsAndInputFormat) {
    Variant text{QString()};
    VarAtrOpc("M", Variant("abc "), text);
    EXPECT_EQ(text.rawString(), "ABC ");
    VarAtrOpc("MT", Variant(" abc "), text);
    EXPECT_EQ(text.rawString(), "ABC");
    VarAtrOpc("", Variant(2.5), text);
    EXPECT_EQ(text.rawString(), "2.5");

    Variant number;
    numFxdState().NumFmtEnt = ".,";
    VarAtrOpc("", Variant("1.234,5"), number);
    numFxdReset();
    EXPECT_TRUE(number.sameAs(Variant(1234.5)));
}

TEST(TypedAssign, EmptyingAndTypeCodes) {
    struct Case {
        Variant target;
        QString type;
        Variant emptied;
    } cases[] = {
        {Variant("x"), "", Variant("")},
        {Variant(2.0), "", Variant(int16_t(0))},
        {Variant("x"), "N", Variant(int16_t(0))},
        {Variant(2.0), "N$", Variant("")},
        {Variant(), "T", Variant("")},
    };
    for (Case& c : cases) {
        VarIniTip(c.target, c.type);
        EXPECT_TRUE(c.target.sameAs(c.emptied)) << c.type;
    }
    EXPECT_EQ(VarTipCon(Variant("x")), "T");
    EXPECT_EQ(VarTipCon(Variant(1.0)), "N");
    EXPECT_EQ(VarTipCon(Variant(1.0), "T"), "T");
    EXPECT_EQ(VarTipCon(Variant("x"), "N"), "N");
    EXPECT_EQ(VarTipCon(Variant("x"), "Q"), "T");
}

TEST(TypedAssign, YesNo) {
    Variant text{QString()};
    VarAtrSN(Variant("sim "), text);
    EXPECT_TRUE(text.sameAs(Variant("S")));
    VarAtrSN(Variant(0.0), text);
    EXPECT_TRUE(text.sameAs(Variant("N")));
    Variant number{0.0};
    VarAtrSN(Variant("S"), number);
    EXPECT_TRUE(number.sameAs(Variant(int16_t(1))));
    VarAtrSN(Variant("S"), number, "T");
    EXPECT_TRUE(number.sameAs(Variant("S")));
}

TEST(TypedAssign, ControlValue) {
    auto control = std::make_shared<SimpleDispatch>("TextBox");
    control->addProperty("Text", [](Args) { return Variant("12abc"); });
    control->addProperty("Value", [](Args) { return Variant(int16_t(3)); });
    Variant text{QString()};
    VarObLer(Variant(DispatchPtr(control)), text); // Caption is missing; Value is read last
    EXPECT_EQ(text.rawString(), "3");

    auto label = std::make_shared<SimpleDispatch>("Label");
    label->addProperty("Caption", [](Args) { return Variant("7 items"); });
    Variant number{int16_t(0)};
    VarObLer(Variant(DispatchPtr(label)), number);
    EXPECT_TRUE(number.sameAs(Variant(7.0)));

    VarObLer(Variant("5x"), number);
    EXPECT_TRUE(number.sameAs(Variant(5.0)));
    VarObLer(Variant::nothing(), text);
    EXPECT_EQ(text.rawString(), "");
}
