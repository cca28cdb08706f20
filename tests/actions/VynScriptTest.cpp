// "Vyn" from scripts: conversions and their subtypes, results written back into the script's
// variables, messages and debug messages, registry, controls, drives, and errors.

#include "VynTest.h"

#include "ApiFsys.h"

using namespace zv;
using namespace zvtest;

namespace {

class VynScript : public VynTest {};

TEST_F(VynScript, ResultsHaveTheirContractSubtypes) {
    ctx->setProgramFolder(u"/mnt/net/apps/ZelVyn"_s);
    apiFsysState().sysBlockFolder = path(u"none"_s);
    ctx->setMountTableFile(temp.write(u"mounts"_s, "/dev/sda1 / ext4 rw 0 0\n"
                                                   "tmpfs /run tmpfs rw 0 0\n"
                                                   "/dev/sr0 /media/cd\\040rom iso9660 ro 0 0\n"
                                                   "//srv/pub /mnt/net cifs rw 0 0\n"));
    const QString rows[][2] = {
        {u"TxCnv(12.5)"_s, u"String:12.5"_s},
        {u"TxCnv(\" a \")"_s, u"String: a "_s},
        {u"TxNum(42, \"5\", 0)"_s, u"String:00042"_s},
        {u"TxOpc(\"[NOM=Ana][IDA=30.5]\", \"ida\")"_s, u"String:30.5"_s},
        {u"TxOpcNum(\"[NOM=Ana][IDA=30.5]\", \"IDA\")"_s, u"Double:30.5"_s},
        {u"TxOpcNum(\"[NOM=Ana]\", \"IDA\")"_s, u"Double:0"_s},
        {u"NuCnv(\"12abc\")"_s, u"Double:12"_s},
        {u"NuCnv(Empty)"_s, u"Double:0"_s},
        {u"FxFicLoc(Array(\"/opt\", \"app/\", 7))"_s, u"String:/opt/app/7"_s},
        {u"FxDrvUsa(\" cd \")"_s, u"String:/media/cd rom"_s},
        {u"FxDrvUsa(\"HD\")"_s, u"String:/"_s},
        {u"FxDrvUsa(\"R\")"_s, u"String:/mnt/net"_s},
        {u"FxDrvUsa(\"A\")"_s, u"String:"_s},
        {u"FxPgm(\"drv\")"_s, u"String:/mnt/net"_s},
        {u"FxPgm(\" DIR \")"_s, u"String:/mnt/net/apps"_s},
        {u"FxPgm(\"Nom\")"_s, u"String:ZelVyn"_s},
        {u"FxPgm(\"\")"_s, u"String:/mnt/net/apps/ZelVyn"_s},
    };
    for (const auto& r : rows)
        EXPECT_EQ(typed(u"Vyn."_s + r[0]), r[1]) << r[0].toStdString();
    apiFsysReset();
}

TEST_F(VynScript, CutsWriteBackAndAnEmptySeparatorEndsTheCut) {
    const QString rows[][3] = {
        {u"Vyn.TxSep t, \",\", i"_s, u"String:b,c"_s, u"String:a"_s},
        {u"Vyn.TxSep t, \";\", i"_s, u"String:"_s, u"String:a,b,c"_s},
        {u"Vyn.TxSep t, \"\", i"_s, u"String:"_s, u"String:a,b,c"_s},
        {u"Vyn.NuTxSep t, \",\", i"_s, u"String:b,c"_s, u"Double:0"_s},
        {u"t = \"12.5;7\" : Vyn.NuTxSep t, \";\", i"_s, u"String:7"_s, u"Double:12.5"_s},
        {u"Vyn.NuTxSep t, \"\", i"_s, u"String:"_s, u"Double:0"_s},
    };
    for (const auto& r : rows) {
        exec(u"t = \"a,b,c\" : i = 5\n"_s + r[0]);
        EXPECT_EQ(typed(u"t"_s) + u' ' + typed(u"i"_s), r[1] + u' ' + r[2]) << r[0].toStdString();
    }
    // A script that cuts until nothing is left ends.
    exec(u"t = \"a,b\" : k = 0\nDo While t <> \"\" And k < 9 : Vyn.TxSep t, \"\", i : k = k + 1 : "
         u"Loop\nVyn.SopIdeCon n, c"_s);
    EXPECT_EQ(typed(u"k"_s), u"Integer:1"_s);
    EXPECT_EQ(typed(u"c"_s), u"String:WNT"_s);
    EXPECT_EQ(typed(u"TypeName(n) & (n <> \"\")"_s), u"String:StringTrue"_s);
}

TEST_F(VynScript, MessagesAnswersAndDebugTexts) {
    boxes().queueAnswers({MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel});
    for (const char* expected : {"Integer:1", "Integer:0", "Integer:-1"})
        EXPECT_EQ(typed(u"Vyn.MsgTip(\"?SNC\", \"P\", 2)"_s), QString::fromUtf8(expected));
    EXPECT_EQ(boxes().shown()[0].request.buttons, MsgButtons::YesNoCancel);
    boxes().clear();
    const QString a = temp.write(u"a.txt"_s, "x");
    // Debug messages only with the flag 1 (True is -1).
    exec(u"Vyn.MsgVer \"Título\", \"um|dois\"\nVyn.MsgSba 3, \"nada\"\nVyn.DbgMsgVer \"zero\"\n"
         u"Vyn.DbgMsgSit True\nVyn.DbgMsgVer \"true\"\nVyn.DbgMsgSit \"1\"\nVyn.DbgMsgVer \"só\"\n"
         u"Vyn.DbgMsgVer \"com\", 2.5\nVyn.DbgMsgVer \"nulo\", Null\nr = Vyn.FxFicCop("_s +
         q(a) + u", "_s + q(a.toUpper()) + u")"_s);
    EXPECT_EQ(boxTexts(), (QStringList{u"Título|um\r\ndois"_s, u"|só"_s, u"|com (Resultado=2.5)"_s,
                                       u"|nulo (Resultado=)"_s,
                                       u"|FxFicCop "_s + a + u" para "_s + a.toUpper() +
                                           u" (Resultado=-1)"_s}));
}

TEST_F(VynScript, RegistryAndControlsGoThroughTheEngine) {
    ctx->setRegistryFile(temp.write(u"store.reg"_s,
                                    "Windows Registry Editor Version 5.00\n\n"
                                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZelVyn\\Teste]\n"
                                    "\"Pasta\"=\"  /opt/Meu Programa  \"\n\"Versao\"=\"1.2\"\n"));
    exec(u"Vyn.FxRegGrpPrp \"SOFTWARE\\ZelVyn\\Teste\""_s);
    EXPECT_EQ(typed(u"Vyn.FxRegVarCon(\"pasta\")"_s), u"String:/opt/Meu Programa"_s);
    EXPECT_EQ(typed(u"Vyn.FxRegVarCon(\"Nenhum\")"_s), u"String:"_s);
    EXPECT_EQ(typed(u"Vyn.CmpVarAlt(\"cmSeg\", \"SIT\", \"DES\") + Vyn.CmpVarCon(3)"_s),
              u"Integer:2"_s);
    EXPECT_EQ(engine.calls, (QStringList{u"Alt cmSeg|SIT|String"_s, u"Con Integer 3"_s}));

    // Without an engine they answer "not done".
    sc.addObject(u"Solto"_s, std::make_shared<SupVynVbs>());
    exec(u"Solto.FxRegGrpPrp \"SOFTWARE\\ZelVyn\\Teste\""_s);
    EXPECT_EQ(typed(u"Solto.CmpVarCon(\"x\") & Solto.CmpVarAlt(\"x\", \"TXT\", \"y\") & "
                    u"Solto.FxShell(\"true\", -1) & Solto.FxRegVarCon(\"Pasta\")"_s),
              u"String:000"_s);
}

TEST_F(VynScript, ErrorsOfTheConvertingMembersReachTheScript) {
    const std::pair<QString, int> rows[] = {
        {u"x = Vyn.NuCnv(Null)"_s, 94},           {u"x = Vyn.TxNum(1, \"largo\", 0)"_s, 13},
        {u"Vyn.DbgMsgSit \"70000\""_s, 6},        {u"x = Vyn.FxFicCop(\"a\")"_s, 450},
        {u"x = Vyn.FxFicCop(, \"a\")"_s, 449},    {u"x = Vyn.Nenhum(1)"_s, 438},
        {u"x = Vyn.FxFicCop(\"/\", \"/\")"_s, 0}, {u"x = Vyn.FxPgmExe(\"/nada x\")"_s, 0},
    };
    for (const auto& [statement, number] : rows)
        EXPECT_EQ(errorOf(statement), number) << statement.toStdString();
}

} // namespace
