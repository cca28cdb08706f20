// Starting programs by mode, and the registry values the scripts read under a stored key.
#include "WizardTestSupport.h"

#include "Convert.h"

#include <QElapsedTimer>

using namespace zv;
using namespace zvtest;

class StartupProgramStart : public StartupTest {};

TEST_F(StartupProgramStart, Modes) {
    const QString mark = temp.path(QStringLiteral("mark"));
    const QString script =
        u'"' +
        writeScript(QStringLiteral("bin dir/mark.sh"),
                    QStringLiteral("sleep 0.2; echo \"$1\" >> '%1'\n").arg(mark)) +
        u'"';
    HeadlessEventPump& pump = *ctx.headless().pump;
    int busyPumps = 0;
    pump.setHook([&] { busyPumps += ctx->pump().isBusy() ? 1 : 0; });
    struct Case {
        QString cmd;
        Variant mode;
        int result;
        QByteArray marks; // what the mark file holds once the call returns
    };
    const Case cases[] = {
        {script + QStringLiteral(" a"), Variant(int16_t(-1)), 1, "a\n"},
        {script + QStringLiteral(" b"), Variant(int32_t(-2)), 1, "a\nb\n"},
        {script + QStringLiteral(" c"), Variant(5.0), 1, "a\nb\nc\n"},
        {script + QStringLiteral(" d"), Variant(QStringLiteral("-1")), 1, "a\nb\nc\nd\n"},
        {QStringLiteral("/bin/false"), Variant(int16_t(-1)), 1, "a\nb\nc\nd\n"}, // ended: 1
        {QStringLiteral("/nao/existe"), Variant(int16_t(-1)), 0, "a\nb\nc\nd\n"},
        {QStringLiteral("/bin/echo x; touch '") + mark + u'\'', Variant(int16_t(-1)), 1,
         "a\nb\nc\nd\n"}, // no shell: ";" is a plain word
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cmd.toStdString());
        pump.resetCount();
        const Variant r = PgmExeEsp(c.cmd, c.mode);
        EXPECT_EQ(r.varType(), vbInteger);
        EXPECT_EQ(CInt(r), c.result);
        EXPECT_EQ(temp.read(QStringLiteral("mark")), c.marks);
        EXPECT_GE(pump.pumpCount(), 2) << "the pump runs before and after";
    }
    EXPECT_GE(busyPumps, 1) << "polling pumps with the engine marked busy";
    pump.setHook(nullptr);

    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(CInt(PgmExeEsp(QStringLiteral("sleep 3"), Variant(1.0))), 0); // time limit
    EXPECT_LT(clock.elapsed(), 2500);
}

TEST_F(StartupProgramStart, OtherModesOpenTheDocument) {
    HeadlessDocumentOpener& opener = *ctx.headless().opener;
    const QString doc = temp.write(QStringLiteral("Leia-me.txt"), "ola\n");
    for (const Variant& mode : {Variant(int16_t(0)), Variant(-7.5), Variant(QStringLiteral("x"))})
        EXPECT_EQ(CInt(PgmExeEsp(doc, mode)), 1);
    EXPECT_EQ(opener.opened(), (QStringList{doc, doc, doc}));
    opener.setResult(false);
    EXPECT_EQ(CInt(PgmExeEsp(doc, Variant(int16_t(0)))), 0);
}

TEST(StartupRegistry, ValuesUnderTheStoredKey) {
    ScopedProcessContext ctx;
    TempDir temp;
    zelVynGlbReset();
    // A file edited by hand (or by another program) may hold NUL characters in a value.
    static const char kFile[] = "Windows Registry Editor Version 5.00\n\n"
                                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zel]\n"
                                "\"Pasta\"=\"/opt/Meu Programa\"\n"
                                "\"Nul\"=\"\0  /opt/a b\0c  \0\"\n"
                                "\"Brancos\"=\"   \"\n";
    ctx->setRegistryFile(temp.write(QStringLiteral("r.reg"), QByteArray(kFile, sizeof kFile - 1)));
    GlbIni();
    QString key = QStringLiteral("SOFTWARE\\Zel");
    RegChvPrp(QStringLiteral("A"), key);
    const std::tuple<const char*, const char*, int> cases[] = {
        {"pasta", "/opt/Meu Programa", 1}, // blanks inside stay
        {"Nul", "/opt/a bc", 1},
        {"Brancos", "", 0},
        {"Falta", "", 0},
    };
    for (const auto& [name, value, found] : cases) {
        QString v = QStringLiteral("old");
        int f = 9;
        RegValPrp(QStringLiteral("C"), QString::fromLatin1(name), v, f);
        EXPECT_EQ(v, QString::fromLatin1(value)) << name;
        EXPECT_EQ(f, found) << name;
    }
    QString v = QStringLiteral("novo valor");
    int f = 0;
    RegValPrp(QStringLiteral("A"), QStringLiteral("Outro"), v, f);
    EXPECT_EQ(f, -1);
    EXPECT_EQ(
        RegValLer(kHkeyLocalMachine, QStringLiteral("software\\zel"), QStringLiteral("OUTRO")), v);
    ctx->setRegistryFile(temp.path(QStringLiteral("r.reg/inside")));
    RegValPrp(QStringLiteral("A"), QStringLiteral("Outro"), v, f);
    EXPECT_EQ(f, 0);
    zelVynGlbReset();
}
