// The actions of "Vyn" from scripts on real files, programs, component modules and (with the
// private print server) printers.

#include "VynTest.h"

#include "ApiPrt.h"
#include "HeadlessDocumentOpener.h"
#include "HeadlessEventPump.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <unistd.h>

using namespace zv;
using namespace zvtest;

namespace {

class VynActions : public VynTest {
protected:
    // "TypeName:text" of Vyn.name(args...), the arguments as script strings.
    QString call(const QString& name, const QStringList& args) {
        QStringList quoted;
        for (const QString& a : args)
            quoted << q(a);
        return typed(u"Vyn."_s + name + u'(' + quoted.join(u", "_s) + u')');
    }
    static QString helper(const QString& name) { return binPath(u"helpers/"_s + name); }
};

TEST_F(VynActions, FilesCopiedRenamedDeletedNeverOntoThemselves) {
    makeTree(path(), {u"a.txt"_s, u"keep.txt"_s, u"x.tmp"_s, u"y.TMP"_s, u"sub/"_s});
    const QString a = path(u"a.txt"_s), b = path(u"b.txt"_s);
    const std::tuple<QString, QStringList, QString> rows[] = {
        {u"FxFicCop"_s, {a, b}, u"Integer:0"_s},
        {u"FxFicCop"_s, {a, a.toUpper()}, u"Integer:-1"_s},
        {u"FxFicCop"_s, {a, path(u"sub/../a.txt"_s)}, u"Integer:-1"_s},
        {u"FxFicCop"_s, {a, u""_s}, u"Integer:-1"_s},
        {u"FxFicCop"_s, {path(u"none"_s), b}, u"Integer:53"_s},
        {u"FxFicRen"_s, {b, path(u"keep.txt"_s)}, u"Integer:58"_s},
        {u"FxFicRen"_s, {b, path(u"sub/b2.txt"_s)}, u"Integer:0"_s},
        {u"FxFicRen"_s, {u""_s, b}, u"Integer:-1"_s},
        {u"FxFicEli"_s, {path(u"*.tmp"_s)}, u"Integer:0"_s},
        {u"FxFicEli"_s, {path(u"x.tmp"_s)}, u"Integer:53"_s},
        {u"FxFicEli"_s, {u""_s}, u"Integer:-1"_s},
        {u"FxFicTip"_s, {a}, u"String:F"_s},
        {u"FxFicTip"_s, {path(u"sub"_s)}, u"String:D"_s},
        {u"FxFicTip"_s, {b}, u"String:?"_s},
    };
    for (const auto& [name, args, expected] : rows)
        EXPECT_EQ(call(name, args), expected)
            << name.toStdString() << args.join(u',').toStdString();
    EXPECT_EQ(contentOf(a), "a.txt");
    EXPECT_EQ(contentOf(path(u"keep.txt"_s)), "keep.txt");
    EXPECT_EQ(listTree(path()),
              (QStringList{u"a.txt"_s, u"keep.txt"_s, u"sub/"_s, u"sub/b2.txt"_s}));
}

TEST_F(VynActions, AttributeFlagMakesCopiesNormal) {
    makeTree(path(u"src"_s), {u"ro.txt"_s, u"sub/in.txt"_s});
    setMode(path(u"src/ro.txt"_s), 0444);
    setMode(path(u"src/sub/in.txt"_s), 0444);
    EXPECT_EQ(call(u"FxDirCop"_s, {path(u"src"_s), path(u"plain"_s)}), u"Integer:-1"_s);
    EXPECT_EQ(modeOf(path(u"plain/sub/in.txt"_s)) & 0222, 0u); // copies keep read-only

    exec(u"Vyn.OpcRegAltAttr \"1\""_s);
    EXPECT_EQ(call(u"FxFicCop"_s, {path(u"src/ro.txt"_s), path(u"n.txt"_s)}), u"Integer:0"_s);
    EXPECT_EQ(call(u"FxDirCop"_s, {path(u"src"_s), path(u"deep/dst"_s)}), u"Integer:-1"_s);
    for (const char* copy : {"n.txt", "deep/dst/ro.txt", "deep/dst/sub/in.txt"})
        EXPECT_NE(modeOf(path(copy)) & 0200, 0u) << copy;
    EXPECT_EQ(modeOf(path(u"src/ro.txt"_s)) & 0222, 0u);
    // A file is no folder: nothing copied, but the target tree is still made normal.
    EXPECT_EQ(call(u"FxDirCop"_s, {path(u"src/ro.txt"_s), path(u"plain"_s)}), u"Integer:0"_s);
    EXPECT_NE(modeOf(path(u"plain/sub/in.txt"_s)) & 0200, 0u);
    EXPECT_EQ(call(u"FxDirCop"_s, {path(u"src"_s), u""_s}), u"Integer:-1"_s);
    // Into itself: refused.
    EXPECT_EQ(call(u"FxDirCop"_s, {path(u"src"_s), path(u"src/sub/in"_s)}), u"Integer:0"_s);
    EXPECT_EQ(call(u"FxDirCop"_s, {path(u"src"_s), path(u"src"_s)}), u"Integer:0"_s);
    EXPECT_FALSE(exists(path(u"src/sub/in/sub"_s)));
}

TEST_F(VynActions, ProgramsStartedAndWaitedFor) {
    const QString child = helper(u"foundation/zv_child"_s);
    if (!QFileInfo::exists(child)) GTEST_SKIP() << "the helper program was not built";
    EXPECT_EQ(call(u"FxPgmExe"_s, {child + u" sleep 0 "_s + path(u"started"_s)}), u"Integer:1"_s);
    EXPECT_EQ(call(u"FxPgmExe"_s, {path(u"manual.pdf"_s)}), u"Integer:1"_s); // opened
    EXPECT_EQ(call(u"FxPgmExe"_s, {path(u"nada/prog"_s) + u" arg"_s}), u"Integer:0"_s);
    EXPECT_EQ(call(u"FxPgmExe"_s, {u""_s}), u"Integer:-1"_s);
    EXPECT_EQ(ctx.headless().opener->opened(), QStringList{path(u"manual.pdf"_s)});
    for (const QString& mode : {u"-1"_s, u"5"_s, u"\"-2\""_s}) {
        const QString marker = path(u"waited"_s + QString::number(mode.size()));
        ctx.headless().pump->resetCount();
        EXPECT_EQ(
            typed(u"Vyn.FxShell("_s + q(child + u" sleep 300 "_s + marker) + u", "_s + mode + u')'),
            u"Integer:1"_s);
        EXPECT_TRUE(exists(marker)) << mode.toStdString();
        // Only the polling wait keeps the event pump going.
        EXPECT_EQ(ctx.headless().pump->pumpCount() > 1, mode.contains(u"-2")) << mode.toStdString();
    }
    EXPECT_EQ(engine.calls.last(), u"Pgm String"_s); // the mode as the script gave it
    EXPECT_EQ(typed(u"Vyn.FxShell("_s + q(child + u" sleep 3000 x"_s) + u", 0.3)"_s),
              u"Integer:0"_s); // timed out
    EXPECT_TRUE(exists(path(u"started"_s)));
}

TEST_F(VynActions, ComponentsRegisteredAgainOrRemoved) {
    const QString ok = helper(u"foundation/zvcomp_ok.dll"_s);
    if (!QFileInfo::exists(ok)) GTEST_SKIP() << "the component modules were not built";
    const QString log = path(u"calls.log"_s);
    ScopedEnv env("ZV_COMPONENT_LOG", QFile::encodeName(log));
    QDir().mkpath(path(u"comp"_s));
    for (const QString& name : {u"b.dll"_s, u"c.DLL"_s, u"a.ocx"_s})
        ASSERT_TRUE(QFile::copy(ok, path(u"comp/"_s + name)));
    QFile::copy(helper(u"foundation/zvcomp_fail.dll"_s), path(u"comp/0bad.dll"_s));
    exec(u"Vyn.DbgMsgSit 1"_s);
    const std::pair<QStringList, QString> rows[] = {
        {{u"FxCmpRegFic"_s, u" r "_s, ok}, u"Integer:1"_s},
        {{u"FxCmpRegFic"_s, u"E"_s, ok}, u"Integer:1"_s},
        // Unregistered but not registered again: the re-registering failed.
        {{u"FxCmpRegFic"_s, u"R"_s, helper(u"actions/zvcomp_noreg.dll"_s)}, u"Integer:0"_s},
        {{u"FxCmpRegFic"_s, u"I"_s, ok}, u"Integer:-1"_s},
        {{u"FxCmpRegFic"_s, u"R"_s, path(u"none.dll"_s)}, u"Integer:0"_s},
        {{u"FxCmpRegDir"_s, u"r"_s, path(u"comp"_s), u""_s}, u"Integer:1"_s},
        {{u"FxCmpRegDir"_s, u"E"_s, path(u"comp"_s), u" ocx"_s}, u"Integer:1"_s},
        {{u"FxCmpRegDir"_s, u"I"_s, path(u"comp"_s), u"dll"_s}, u"Integer:-1"_s},
    };
    for (const auto& [args, expected] : rows)
        EXPECT_EQ(call(args[0], args.mid(1)), expected) << args.join(u' ').toStdString();
    EXPECT_EQ(
        QString::fromUtf8(contentOf(log)).split(u'\n', Qt::SkipEmptyParts),
        (QStringList{u"zvcomp_ok.dll unreg"_s, u"zvcomp_ok.dll reg"_s, u"zvcomp_ok.dll unreg"_s,
                     u"b.dll unreg"_s, u"b.dll reg"_s, u"c.DLL unreg"_s, u"c.DLL reg"_s,
                     u"a.ocx unreg"_s, u"a.ocx reg"_s, u"a.ocx unreg"_s}));
    const QStringList texts = boxTexts();
    ASSERT_EQ(texts.size(), 9);
    EXPECT_EQ(texts[0], u"|FxCmpRegFic R "_s + ok + u" (Resultado=1)"_s);
    EXPECT_EQ(texts[4], u"Instalar Componente|O Componente \r\n"_s + path(u"none.dll"_s) +
                            u"\r\n Não existe!"_s);
    EXPECT_EQ(texts[7], u"|FxCmpRegDir E [OCX] "_s + path(u"comp"_s) + u" (Resultado=1)"_s);
}

TEST_F(VynActions, PrintToFilePrinterAddedOnce) {
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER") || !prtServerReachable())
        GTEST_SKIP() << "no private print server (CUPS_SERVER; scripts/with-cupsd starts one)";
    const QString queue = u"zv_%1_vyn"_s.arg(::getpid());
    const QStringList args{queue, path(u"saida/pdf/impressao.prn"_s), u"raw"_s};
    EXPECT_EQ(call(u"FxPrtPdfIns"_s, args), u"String:OK"_s);
    EXPECT_TRUE(QFileInfo(path(u"saida/pdf"_s)).isDir());
    EXPECT_EQ(call(u"FxPrtPdfIns"_s, args), u"String:PR_VT_EXI"_s);
    EXPECT_EQ(call(u"FxPrtPdfIns"_s, {u"Com Espaco"_s, args[1], u"raw"_s}), u"String:PR_VT_KO"_s);
    QProcess::execute(u"lpadmin"_s, {u"-x"_s, queue});
}

} // namespace
