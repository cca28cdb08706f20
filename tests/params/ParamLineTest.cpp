// Line classification, the entry split, typed keys and zone header lines.

#include "ParamLine.h"
#include "ParamsTestSupport.h"
#include "Text.h"

#include <gtest/gtest.h>

using namespace zv;
using namespace zv::parline;

namespace {

struct LineCase {
    const char16_t* line;
    const char16_t* type; // ParTpp
    const char16_t* key;  // ParTpp (upper case)
    const char16_t* label;
    const char16_t* keyAsWritten;
    const char16_t* value;
    int column;
};

const LineCase kLines[] = {
    {u"", u"", u"", u"", u"", u"", 0},
    {u"ab=c", u"?", u"", u"ab", u"", u"c", 4},
    {u"abc=d", u"=", u"", u"abc", u"", u"d", 5},
    {u"a=b [K]=v", u"?", u"", u"a=b", u"K", u"v", 9},
    {u"Nome [NOM]= x ", u"=", u"NOM", u"Nome", u"NOM", u" x ", 12},
    {u"Debug (S=Sim) [DbgModo]= N ", u"=", u"DBGMODO", u"Debug (S=Sim)", u"DbgModo", u" N ", 25},
    {u"Titulo [ pag.tit ]=x", u"=", u"PAG.TIT", u"Titulo", u" pag.tit ", u"x", 20},
    {u"' comentario [X]=1", u"'", u"", u"", u"", u"", 0},
    {u"#DEF:IDE - x", u"#", u"", u"", u"", u"", 0},
    {u" #NAOZONA:IDE - y=z", u"=", u"", u"#NAOZONA:IDE - y", u"", u"z", 19},
    {u"##x [A]=1", u"##", u"", u"##x", u"A", u"1", 9},
    {u"$ linha [A]=1", u"$", u"", u"$ linha", u"A", u"1", 13},
    {u"$$ linha", u"$$", u"", u"", u"", u"", 0},
    {u"   ", u"?", u"", u"", u"", u"", 0},
    {u"\tNome\t[K]=\tv\t", u"=", u"K", u"\tNome\t", u"K", u"\tv\t", 11},
    {u"x [A] [B]=1", u"=", u"A", u"x", u"A", u"1", 11},
    {u"x [A=1", u"=", u"", u"x [A", u"", u"1", 6},
    // The "]=" that moves the split is the first one, after any "]" that is not followed by
    // "="; a "]" before the first "[" closes no pair.
    {u"a] b=c [K]=v", u"=", u"K", u"a] b=c", u"K", u"v", 12},
    {u"ab] x]=y", u"=", u"", u"ab] x]", u"", u"y", 8},
    {u"=a]=b", u"?", u"", u"=a]", u"", u"b", 5},
    {u"x ]a[K]=1", u"=", u"K", u"x ]a", u"K", u"1", 9},
};

} // namespace

TEST(LineGrammar, ClassifiesAndSplits) {
    for (const LineCase& c : kLines) {
        SCOPED_TRACE(zvtest::u8(c.line));
        const QString line = QString::fromUtf16(c.line);
        QString type, key, label, keyAsWritten, value;
        int32_t column = -1;
        ParTpp(line, type, key);
        ParPrep(line, label, keyAsWritten, value, column);
        EXPECT_EQ(type, QString::fromUtf16(c.type));
        EXPECT_EQ(key, QString::fromUtf16(c.key));
        EXPECT_EQ(label, QString::fromUtf16(c.label));
        EXPECT_EQ(keyAsWritten, QString::fromUtf16(c.keyAsWritten));
        EXPECT_EQ(value, QString::fromUtf16(c.value));
        EXPECT_EQ(column, c.column);
        // The record of the line holds the same parts.
        TdaReg record;
        fillRecord(record, line, 1);
        EXPECT_EQ(record.Tip + u'|' + record.Chv + u'|' + record.Nom + u'|' + record.Val,
                  type + u'|' + key + u'|' + label + u'|' + value);
        EXPECT_EQ(record.Pos, column);
    }
}

TEST(LineGrammar, TypedKeysAndIndexKeys) {
    QString type, name;
    ParTipVar(QStringLiteral("a:b:c"), type, name);
    EXPECT_EQ(type + u'|' + name, QStringLiteral("a|b:c"));
    ParTipVar(QStringLiteral("DADOS"), type, name);
    EXPECT_EQ(type + u'|' + name, QStringLiteral("|DADOS"));
    EXPECT_EQ(indexKey(QStringLiteral(" pag.tit.x ")), QStringLiteral("TIT.X"));
    // A key already upper case and trimmed is its own index key; any other is made so.
    for (const char16_t* key : {u"TIT", u"TÍT", u"tít", u" TIT", u"TIT ", u"A B", u"Œœ", u"ÿ"}) {
        const QString k = QString::fromUtf16(key);
        EXPECT_EQ(indexKey(k), UCase(Trim(k))) << zvtest::u8(key);
    }
}

TEST(LineGrammar, ZoneHeaders) {
    const struct {
        const char16_t* line;
        bool knowsRaw;
        const char16_t* expected; // name|type|description
    } cases[] = {
        {u"#x:ide - Definicoes base", true, u"X|IDE|Definicoes base"},
        {u"#A - b", true, u"A|IDE|b"},
        {u"#A:TX b", true, u"A|TX|"},
        {u"#a:tx - Linhas - com traco", true, u"A|TX|Linhas - com traco"},
        {u"#A:ZTX - Texto [CnvChr=0]", true, u"A|ZTX|Texto [CnvChr=0]"},
        {u"#A:ZTX - Texto", false, u"A|IDE|Texto"},
        {u"#A:XYZ", true, u"A|IDE|"},
    };
    for (const auto& c : cases) {
        QString name, type, description;
        parseZoneHeader(QString::fromUtf16(c.line), c.knowsRaw, name, type, description);
        EXPECT_EQ(name + u'|' + type + u'|' + description, QString::fromUtf16(c.expected));
    }
}
