// Logical lines: "+" continuation, escapes, zone options and the header search.

#include "LineReader.h"
#include "ParamsTestSupport.h"
#include "TdaOpc.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

// A reader over lines held in memory.
struct MemoryReader {
    explicit MemoryReader(QStringList lines) : lines_(std::move(lines)) {
        reader.setSource([this](QString& line) {
            if (next_ >= lines_.size()) return false;
            line = lines_.at(next_++);
            return true;
        });
    }
    // Every logical line up to the end.
    QStringList readAll() {
        QStringList texts;
        for (reader.readLogical(); reader.record().Ok == 1; reader.readLogical())
            texts.append(reader.record().Txt);
        return texts;
    }
    LineReader reader;

private:
    QStringList lines_;
    qsizetype next_ = 0;
};

struct JoinCase {
    const char* what;
    QStringList physical;
    QStringList logical;
};

} // namespace

TEST(LogicalLines, ContinuationAndEscapes) {
    const JoinCase cases[] = {
        {"continued with blanks before +", {"x [K]=ab+", "  +cd"}, {"x [K]=abcd"}},
        {"file ends inside a continuation", {"a=1", "x [K]=ab+"}, {"a=1"}},
        {"leading + on a first line", {"+x [K]=1"}, {"x [K]=1"}},
        {"blank after a final + ends the line", {"a+ ", "b"}, {"a+ ", "b"}},
        {"a +line is trimmed before its end is tested", {"+a+ ", "b"}, {"ab"}},
        {"+ alone adds nothing and ends", {"a+", "+", "b"}, {"a", "b"}},
        {"escapes", {"x=chr$(65) bin$( 66, 67)Z"}, {"x=A BCZ"}},
        {"escapes after joining", {"x=chr$(6+", "+5)"}, {"x=A"}},
        {"escape without )", {"x=bin$(65"}, {"x=A"}},
        {"escapes are lower case only", {"x=Chr$(65) BIN$(66)"}, {"x=Chr$(65) BIN$(66)"}},
        {"code page escapes", {"x=chr$(128,231)"}, {QStringLiteral("x=€ç")}},
        {"the <- marker is plain text", {"x=ab<-", "+y<-"}, {"x=ab<-", "y<-"}},
        {"a line is kept with its blanks", {"  x [K]=a  ", "   "}, {"  x [K]=a  ", "   "}},
        {"a + line alone", {"+", "  +  "}, {"", ""}},
        {"three pieces", {"a+", " + b +", "+ c"}, {"a b  c"}},
        {"a dollar that is no escape", {"x=US$ (1) $(2)"}, {"x=US$ (1) $(2)"}},
    };
    for (const JoinCase& c : cases) {
        MemoryReader m(c.physical);
        EXPECT_EQ(m.readAll(), c.logical) << c.what;
        EXPECT_EQ(m.reader.record().Txt, QString()) << c.what;
        EXPECT_EQ(m.reader.record().Ok, 0) << c.what;
    }
}

TEST(LogicalLines, EscapesAreExpandedBeforeClassification) {
    for (int flag : {1, 0}) {
        MemoryReader m({QStringLiteral("abcchr$(61)1")});
        m.reader.setEscapeFlag(flag);
        m.reader.readLogical();
        EXPECT_EQ(m.reader.record().Tip, flag ? QStringLiteral("=") : QStringLiteral("?"));
    }
}

TEST(ZoneOptions, CnvChrSwitchesEscapesOffUntilTheNextHeader) {
    zvtest::ParamsContext context;
    zvtest::TempDir dir;
    const QString file =
        dir.write("z.par", zvtest::parFile({"#A:TX - Texto [CnvChr=0]", "chr$(65)", "##",
                                            "#B:TX - chr$(66) [cnvchr=1]", "chr$(65)", "##"}));
    TdaOpc par;
    par.ZonIni(file);
    // The header search expands escapes whatever the previous zone said.
    const char16_t* zones[][4] = {{u"A", u"Texto", u"[CnvChr=0]", u"chr$(65)"},
                                  {u"B", u"B", u"[cnvchr=1]", u"A"}};
    for (const auto& z : zones) {
        QString name, type, description;
        int count = 0;
        par.ZonSeg(name, type, count, description);
        EXPECT_EQ(QStringList({name, description, par.OpcEsp(), par.ZonTx().value(1)}),
                  QStringList({QString::fromUtf16(z[0]), QString::fromUtf16(z[1]),
                               QString::fromUtf16(z[2]), QString::fromUtf16(z[3])}));
    }
    Variant v(QStringLiteral("keep"));
    par.OpcEspCon(QStringLiteral("Outra"), v);
    EXPECT_EQ(v.rawString(), QStringLiteral("keep"));
    // Lines given by the caller are always expanded.
    par.MemOpcPrp(QStringLiteral("Nome [K]=chr$(65)"), 1);
    EXPECT_EQ(par.RegAtu().Val, QStringLiteral("A"));
    par.ZonFim();
}
