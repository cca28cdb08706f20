// The shell file operation through SupShf: options, folder copies with patterns and merges,
// read-only sources, links, refusals, cancel, moves and deletes into the trash.

#include "ActionsTest.h"
#include "SupShf.h"

#include "FicGlb.h"
#include "VbError.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

using namespace zv;
using namespace zvtest;

namespace {

bool yes(const Variant& v) {
    if (v.isBoolean()) return v.rawBoolean();
    return v.isInteger16() && v.rawInteger() == -1;
}

const QStringList kSource{
    QStringLiteral("a.txt"),    QStringLiteral("B.TXT"),         QStringLiteral("noext"),
    QStringLiteral(".dotfile"), QStringLiteral("sub/c.txt"),     QStringLiteral("sub/deep/d.log"),
    QStringLiteral("empty/"),   QStringLiteral(".dotdir/e.txt"),
};

class ShellCopy : public ActionsTest {};
class ShellOptions : public ActionsTest {};
class ShellDelete : public ActionsTest {};
class ShellMove : public ActionsTest {};

} // namespace

TEST_F(ShellOptions, FlagsFollowTheOptions) {
    struct Case {
        const char* what;
        std::function<void(SupShf&)> set;
        qsizetype destinations;
        int flags;
    };
    const Case cases[] = {
        {"defaults", [](SupShf&) {}, 1, 0},
        {"progress, no questions", [](SupShf& s) { s.AspExe(1, 0); }, 1, 0x210},
        {"silent, questions", [](SupShf& s) { s.AspExe(0, 1); }, 1, 0x4},
        {"custom title", [](SupShf& s) { s.AspIde(QStringLiteral("A copiar")); }, 1, 0x100},
        {"trash", [](SupShf& s) { s.UsaRcBin(1); }, 1, 0x40},
        {"trash only for 1", [](SupShf& s) { s.UsaRcBin(-1); }, 1, 0},
        {"files only", [](SupShf& s) { s.setIncludeDirectories(false); }, 1, 0x80},
        {"rename", [](SupShf& s) { s.setRenameOnCollision(true); }, 1, 0x8},
        {"two destinations", [](SupShf&) {}, 2, 0x1},
        {"no destination", [](SupShf&) {}, 0, 0},
    };
    for (const Case& c : cases) {
        SupShf shf;
        c.set(shf);
        EXPECT_EQ(shf.flags(c.destinations), c.flags) << c.what;
    }
}

TEST_F(ShellOptions, ResultsAndTheirSubtypes) {
    makeTree(path(QStringLiteral("src")), {QStringLiteral("f.txt")});
    SupShf shf;
    shf.AspExe(1, 0);
    const Variant cop = shf.FxCop(path(QStringLiteral("src/f.txt")), path(QStringLiteral("g.txt")));
    EXPECT_TRUE(cop.isBoolean() && cop.rawBoolean());
    const Variant dfi = shf.FxCopDfi(path(QStringLiteral("src")), path(QStringLiteral("dst")));
    EXPECT_TRUE(dfi.isInteger16() && dfi.rawInteger() == -1);
    const Variant arv =
        shf.FxCopArv(path(QStringLiteral("nothing")), path(QStringLiteral("dst")), 1);
    EXPECT_TRUE(arv.isInteger16() && arv.rawInteger() == 0);
    const Variant ren = shf.FxRen(path(QStringLiteral("g.txt")), path(QStringLiteral("h.txt")));
    EXPECT_TRUE(ren.isInteger16() && ren.rawInteger() == 0);
    EXPECT_TRUE(exists(path(QStringLiteral("g.txt"))));
    // An empty name is a failure, not "nothing to do, done".
    const Variant empty = shf.FxEli(QString());
    EXPECT_TRUE(empty.isBoolean() && !empty.rawBoolean());
}

TEST_F(ShellCopy, FolderCopyTakesTheWholeTreeAndCreatesTheTarget) {
    makeTree(path(QStringLiteral("src")), kSource);
    SupShf shf;
    shf.AspExe(1, 0);
    EXPECT_TRUE(yes(shf.FxCopDfi(path(QStringLiteral("src")), path(QStringLiteral("out/a/b")))));
    EXPECT_EQ(listTree(path(QStringLiteral("out/a/b"))), listTree(path(QStringLiteral("src"))));
    EXPECT_EQ(contentOf(path(QStringLiteral("out/a/b/sub/deep/d.log"))), "sub/deep/d.log");
    // Progress shown, no question asked, no error.
    ASSERT_EQ(ui().starts().size(), 1u);
    EXPECT_TRUE(ui().starts()[0].showProgress);
    EXPECT_EQ(ui().starts()[0].totalFiles, 7);
    EXPECT_TRUE(ui().replaceAsked().empty());
    EXPECT_TRUE(ui().makeDirAsked().isEmpty());
    EXPECT_TRUE(ui().errors().empty());
    EXPECT_EQ(ui().calls().last(), QStringLiteral("end"));
}

TEST_F(ShellCopy, PatternsSelectCaseBlindAndMergeIntoWhatIsThere) {
    makeTree(path(QStringLiteral("src")), kSource);
    makeTree(path(QStringLiteral("dst")),
             {QStringLiteral("keep.me"), QStringLiteral("sub/old.txt")});
    QFile::remove(path(QStringLiteral("dst/a.txt")));
    {
        QFile f(path(QStringLiteral("dst/a.txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("older and longer content");
    }
    SupShf shf;
    shf.AspExe(1, 0);
    struct Case {
        QString pattern;
        QStringList expected; // top-level names copied
    } const cases[] = {
        {QStringLiteral("*.txt"), {QStringLiteral("a.txt"), QStringLiteral("B.TXT")}},
        {QStringLiteral("?.TXT"), {QStringLiteral("a.txt"), QStringLiteral("B.TXT")}},
        {QStringLiteral("no*"), {QStringLiteral("noext")}},
    };
    for (const Case& c : cases) {
        QDir(path(QStringLiteral("p"))).removeRecursively();
        EXPECT_TRUE(
            yes(shf.FxCop(path(QStringLiteral("src/")) + c.pattern, path(QStringLiteral("p")))))
            << c.pattern.toStdString();
        QStringList names = QDir(path(QStringLiteral("p")))
                                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        names.sort();
        QStringList expected = c.expected;
        expected.sort();
        EXPECT_EQ(names, expected) << c.pattern.toStdString();
    }
    // "*.*" takes every name (dot-files and names without a dot too) and merges: what was in
    // the target stays, a file of the same name is replaced.
    EXPECT_TRUE(yes(shf.FxCopArv(path(QStringLiteral("src")), path(QStringLiteral("dst")), 1)));
    const QStringList tree = listTree(path(QStringLiteral("dst")));
    for (const QString& e : listTree(path(QStringLiteral("src"))))
        EXPECT_TRUE(tree.contains(e)) << e.toStdString();
    EXPECT_TRUE(tree.contains(QStringLiteral("keep.me")));
    EXPECT_TRUE(tree.contains(QStringLiteral("sub/old.txt")));
    EXPECT_EQ(contentOf(path(QStringLiteral("dst/a.txt"))), "a.txt");
}

TEST_F(ShellCopy, ConfirmationsDecideAboutExistingTargets) {
    makeTree(path(QStringLiteral("src")),
             {QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")});
    makeTree(path(QStringLiteral("dst")), {QStringLiteral("a.txt"), QStringLiteral("b.txt")});
    QFile::remove(path(QStringLiteral("dst/a.txt")));
    QFile::copy(path(QStringLiteral("src/c.txt")), path(QStringLiteral("dst/a.txt")));
    QFile::remove(path(QStringLiteral("dst/b.txt")));
    QFile::copy(path(QStringLiteral("src/c.txt")), path(QStringLiteral("dst/b.txt")));

    // Default options ask: No keeps a.txt as it was, and the operation is not carried out whole.
    SupShf shf;
    ui().queueReplace(ShellConfirm::No);
    ui().queueReplace(ShellConfirm::Yes);
    EXPECT_FALSE(yes(shf.FxCop(path(QStringLiteral("src/*.txt")), path(QStringLiteral("dst")))));
    ASSERT_EQ(ui().replaceAsked().size(), 2u);
    EXPECT_EQ(contentOf(path(QStringLiteral("dst/a.txt"))), "c.txt");
    EXPECT_EQ(contentOf(path(QStringLiteral("dst/b.txt"))), "b.txt");
    EXPECT_EQ(contentOf(path(QStringLiteral("dst/c.txt"))), "c.txt");

    // Cancel stops at once; YesToAll stops the questions.
    ui().clear();
    ui().queueReplace(ShellConfirm::Cancel);
    EXPECT_FALSE(yes(shf.FxCop(path(QStringLiteral("src/*.txt")), path(QStringLiteral("dst")))));
    EXPECT_EQ(ui().replaceAsked().size(), 1u);
    ui().clear();
    ui().queueReplace(ShellConfirm::YesToAll);
    EXPECT_TRUE(yes(shf.FxCop(path(QStringLiteral("src/*.txt")), path(QStringLiteral("dst")))));
    EXPECT_EQ(ui().replaceAsked().size(), 1u);
    EXPECT_EQ(contentOf(path(QStringLiteral("dst/a.txt"))), "a.txt");

    // A missing destination folder is asked for; No leaves it uncreated.
    ui().clear();
    ui().queueMakeDir(ShellConfirm::No);
    EXPECT_FALSE(yes(shf.FxCop(path(QStringLiteral("src/*.txt")), path(QStringLiteral("new")))));
    EXPECT_EQ(ui().makeDirAsked(), QStringList{path(QStringLiteral("new"))});
    EXPECT_FALSE(exists(path(QStringLiteral("new"))));

    // RenameOnCollision asks nothing and finds free names.
    ui().clear();
    shf.setRenameOnCollision(true);
    EXPECT_TRUE(
        yes(shf.FxCop(path(QStringLiteral("src/a.txt")), path(QStringLiteral("dst/a.txt")))));
    EXPECT_TRUE(
        yes(shf.FxCop(path(QStringLiteral("src/a.txt")), path(QStringLiteral("dst/a.txt")))));
    EXPECT_EQ(contentOf(path(QStringLiteral("dst/a - Copy.txt"))), "a.txt");
    EXPECT_EQ(contentOf(path(QStringLiteral("dst/a - Copy (2).txt"))), "a.txt");
    EXPECT_TRUE(ui().replaceAsked().empty());
    EXPECT_EQ(collisionName(path(QStringLiteral("dst")), QStringLiteral("a.txt"), false),
              QStringLiteral("a - Copy (3).txt"));
}

TEST_F(ShellCopy, ReadOnlySourcesGiveReadOnlyFilesInWritableFolders) {
    makeTree(path(QStringLiteral("src")),
             {QStringLiteral("ro.txt"), QStringLiteral("sub/inner.txt"), QStringLiteral("x.sh")});
    ::chmod(QFile::encodeName(path(QStringLiteral("src/ro.txt"))).constData(), 0444);
    ::chmod(QFile::encodeName(path(QStringLiteral("src/x.sh"))).constData(), 0755);
    ::chmod(QFile::encodeName(path(QStringLiteral("src/sub/inner.txt"))).constData(), 0444);
    ::chmod(QFile::encodeName(path(QStringLiteral("src/sub"))).constData(), 0555);
    SupShf shf;
    shf.AspExe(1, 0);
    for (int round = 0; round < 2; ++round) { // the second round replaces read-only targets
        EXPECT_TRUE(yes(shf.FxCopDfi(path(QStringLiteral("src")), path(QStringLiteral("dst")))))
            << round;
        EXPECT_EQ(modeOf(path(QStringLiteral("dst/ro.txt"))), 0444u);
        EXPECT_EQ(modeOf(path(QStringLiteral("dst/x.sh"))), 0755u);
        EXPECT_EQ(modeOf(path(QStringLiteral("dst/sub/inner.txt"))), 0444u);
        EXPECT_TRUE(modeOf(path(QStringLiteral("dst/sub"))) & 0200)
            << "the copied folder stays writable";
        EXPECT_EQ(contentOf(path(QStringLiteral("dst/sub/inner.txt"))), "sub/inner.txt");
    }
    // No passing file is left behind.
    EXPECT_EQ(listTree(path(QStringLiteral("dst"))), listTree(path(QStringLiteral("src"))));
    ::chmod(QFile::encodeName(path(QStringLiteral("src/sub"))).constData(), 0755);
}

TEST_F(ShellCopy, LinksAreCopiedAsLinksAndNeverFollowed) {
    makeTree(path(QStringLiteral("src")),
             {QStringLiteral("real/f.txt"), QStringLiteral("tofile -> real/f.txt"),
              QStringLiteral("tofolder -> real"), QStringLiteral("dangling -> nowhere"),
              QStringLiteral("real/loop -> ..")});
    SupShf shf;
    shf.AspExe(1, 0);
    EXPECT_TRUE(yes(shf.FxCopDfi(path(QStringLiteral("src")), path(QStringLiteral("dst")))));
    EXPECT_EQ(listTree(path(QStringLiteral("dst"))), listTree(path(QStringLiteral("src"))));
    // A link in the target is replaced by the copy, never written through.
    makeTree(path(QStringLiteral("src2")), {QStringLiteral("f.txt")});
    makeTree(path(QStringLiteral("dst2")),
             {QStringLiteral("victim.txt"), QStringLiteral("f.txt -> victim.txt")});
    EXPECT_TRUE(yes(shf.FxCopArv(path(QStringLiteral("src2")), path(QStringLiteral("dst2")), 1)));
    EXPECT_EQ(contentOf(path(QStringLiteral("dst2/victim.txt"))), "victim.txt");
    EXPECT_EQ(modeOf(path(QStringLiteral("dst2/f.txt"))) != 0, true);
    EXPECT_EQ(listTree(path(QStringLiteral("dst2"))),
              (QStringList{QStringLiteral("f.txt"), QStringLiteral("victim.txt")}));
}

TEST_F(ShellCopy, CopiesIntoItselfAreRefused) {
    makeTree(path(QStringLiteral("src")), {QStringLiteral("a.txt"), QStringLiteral("sub/b.txt")});
    const QStringList before = listTree(path(QStringLiteral("src")));
    SupShf shf;
    shf.AspExe(1, 0);
    struct Case {
        const char* what;
        std::function<Variant()> run;
    } const cases[] = {
        {"folder into its subfolder",
         [&] {
             return shf.FxCop(path(QStringLiteral("src")), path(QStringLiteral("src/sub/inner")));
         }},
        {"folder onto itself",
         [&] { return shf.FxCop(path(QStringLiteral("src")), path(QStringLiteral("src"))); }},
        {"content into a subfolder",
         [&] {
             return shf.FxCop(path(QStringLiteral("src/*.*")), path(QStringLiteral("src/sub")));
         }},
        {"file onto itself",
         [&] {
             return shf.FxCop(path(QStringLiteral("src/a.txt")), path(QStringLiteral("src/a.txt")));
         }},
        {"file onto itself by another name",
         [&] {
             return shf.FxCop(path(QStringLiteral("src/sub/../a.txt")),
                              path(QStringLiteral("src/a.txt")));
         }},
        {"folder moved into itself",
         [&] { return shf.FxMov(path(QStringLiteral("src")), path(QStringLiteral("src/sub/x"))); }},
    };
    for (const Case& c : cases) {
        ui().clear();
        EXPECT_FALSE(yes(c.run())) << c.what;
        EXPECT_EQ(ui().errors().size(), 1u) << c.what;
        EXPECT_NE(shf.lastResult().error, 0) << c.what;
        EXPECT_EQ(listTree(path(QStringLiteral("src"))), before) << c.what;
        EXPECT_EQ(contentOf(path(QStringLiteral("src/a.txt"))), "a.txt") << c.what;
    }
    // Through FxCopDfi the target folder is made first, but nothing is copied into it.
    EXPECT_EQ(
        shf.FxCopDfi(path(QStringLiteral("src")), path(QStringLiteral("src/sub/in"))).rawInteger(),
        0);
    EXPECT_EQ(listTree(path(QStringLiteral("src/sub/in"))), QStringList());
}

TEST_F(ShellCopy, CancelInTheProgressWindowStopsBetweenFiles) {
    QStringList files;
    for (int i = 0; i < 6; ++i)
        files << QStringLiteral("f%1.txt").arg(i);
    makeTree(path(QStringLiteral("src")), files);
    ui().cancelAfter(2);
    SupShf shf;
    shf.AspExe(1, 0);
    EXPECT_EQ(shf.FxCopDfi(path(QStringLiteral("src")), path(QStringLiteral("dst"))).rawInteger(),
              0);
    EXPECT_TRUE(shf.lastResult().aborted);
    EXPECT_EQ(listTree(path(QStringLiteral("dst"))),
              (QStringList{QStringLiteral("f0.txt"), QStringLiteral("f1.txt")}));
    EXPECT_TRUE(ui().errors().empty());
    EXPECT_EQ(ui().calls().last(), QStringLiteral("end"));
    ASSERT_EQ(ui().progressLog().size(), 2u);
    EXPECT_EQ(ui().progressLog()[1].from, path(QStringLiteral("src/f1.txt")));
    EXPECT_EQ(ui().progressLog()[1].filesDone, 1);

    // Silent: no progress calls, no error box, but the result still tells.
    ui().clear();
    shf.AspExe(0, 0);
    EXPECT_FALSE(yes(shf.FxCop(path(QStringLiteral("missing.txt")), path(QStringLiteral("dst")))));
    EXPECT_EQ(shf.lastResult().error, err::FileNotFound);
    EXPECT_FALSE(ui().starts().at(0).showProgress);
    EXPECT_FALSE(ui().calls().contains(QStringLiteral("progress")));
    EXPECT_FALSE(ui().calls().contains(QStringLiteral("error")));
}

TEST_F(ShellCopy, CopyDfiKindsOfSourceAndTarget) {
    makeTree(path(QStringLiteral("src")), {QStringLiteral("a.txt"), QStringLiteral("b.log")});
    SupShf shf;
    shf.AspExe(1, 0);
    // A file to a new name in a folder that does not exist yet.
    EXPECT_EQ(shf.FxCopDfi(path(QStringLiteral("src/a.txt")), path(QStringLiteral("n1/n2/c.txt")))
                  .rawInteger(),
              -1);
    EXPECT_EQ(contentOf(path(QStringLiteral("n1/n2/c.txt"))), "a.txt");
    // A target ending in "*.*" names its folder.
    EXPECT_EQ(
        shf.FxCopDfi(path(QStringLiteral("src/*.*")), path(QStringLiteral("m/*.*"))).rawInteger(),
        -1);
    EXPECT_EQ(listTree(path(QStringLiteral("m"))),
              (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.log")}));
    // Sources that name nothing: absent, or patterns whose extension is not "*".
    for (const QString& src :
         {path(QStringLiteral("src/none.txt")), path(QStringLiteral("src/*.txt")),
          path(QStringLiteral("src/*")), QString()}) {
        ui().clear();
        EXPECT_EQ(shf.FxCopDfi(src, path(QStringLiteral("z"))).rawInteger(), 0)
            << src.toStdString();
        EXPECT_TRUE(ui().calls().isEmpty()) << src.toStdString();
    }
    EXPECT_FALSE(exists(path(QStringLiteral("z"))));
}

TEST_F(ShellMove, MovesRenameAndMerge) {
    makeTree(path(QStringLiteral("src")), {QStringLiteral("a.txt"), QStringLiteral("sub/b.txt")});
    makeTree(path(QStringLiteral("dst")), {QStringLiteral("sub/c.txt")});
    SupShf shf;
    shf.AspExe(1, 0);
    EXPECT_TRUE(
        yes(shf.FxMov(path(QStringLiteral("src/a.txt")), path(QStringLiteral("dst/a2.txt")))));
    EXPECT_FALSE(exists(path(QStringLiteral("src/a.txt"))));
    EXPECT_EQ(contentOf(path(QStringLiteral("dst/a2.txt"))), "a.txt");
    // A folder moved where a folder of its name is: the content merges, the source goes.
    EXPECT_TRUE(yes(shf.FxMov(path(QStringLiteral("src/sub")), path(QStringLiteral("dst")))));
    EXPECT_FALSE(exists(path(QStringLiteral("src/sub"))));
    EXPECT_EQ(listTree(path(QStringLiteral("dst"))),
              (QStringList{QStringLiteral("a2.txt"), QStringLiteral("sub/"),
                           QStringLiteral("sub/b.txt"), QStringLiteral("sub/c.txt")}));
}

TEST_F(ShellDelete, DeletesGoIntoTheTrashWhenAsked) {
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    const bool hadData = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(path(QStringLiteral("xdg"))));
    makeTree(path(QStringLiteral("w")),
             {QStringLiteral("a b.txt"), QStringLiteral("x.log"), QStringLiteral("y.LOG"),
              QStringLiteral("keep.txt"), QStringLiteral("tree/t.txt")});
    QFile::copy(path(QStringLiteral("w/a b.txt")), path(QStringLiteral("w/again")));

    SupShf shf;
    shf.AspExe(1, 0);
    shf.UsaRcBin(1);
    const QString trash = path(QStringLiteral("xdg/Trash"));
    EXPECT_TRUE(yes(shf.FxEli(path(QStringLiteral("w/a b.txt")))));
    EXPECT_FALSE(exists(path(QStringLiteral("w/a b.txt"))));
    EXPECT_EQ(contentOf(trash + QStringLiteral("/files/a b.txt")), "a b.txt");
    const QByteArray info = contentOf(trash + QStringLiteral("/info/a b.txt.trashinfo"));
    EXPECT_TRUE(info.startsWith("[Trash Info]\nPath=")) << info.constData();
    EXPECT_TRUE(info.contains("a%20b.txt\n")) << info.constData();
    EXPECT_TRUE(info.contains("\nDeletionDate=")) << info.constData();

    // The same name again gets a name of its own; a pattern and a whole tree go too.
    QFile::rename(path(QStringLiteral("w/again")), path(QStringLiteral("w/a b.txt")));
    EXPECT_TRUE(yes(shf.FxEli(path(QStringLiteral("w/a b.txt")))));
    EXPECT_TRUE(exists(trash + QStringLiteral("/files/a b.txt.2")));
    EXPECT_TRUE(exists(trash + QStringLiteral("/info/a b.txt.2.trashinfo")));
    EXPECT_TRUE(yes(shf.FxEli(path(QStringLiteral("w/*.log")))));
    EXPECT_TRUE(yes(shf.FxEli(path(QStringLiteral("w/tree")))));
    EXPECT_EQ(listTree(path(QStringLiteral("w"))), QStringList{QStringLiteral("keep.txt")});
    EXPECT_TRUE(exists(trash + QStringLiteral("/files/y.LOG")));
    EXPECT_TRUE(exists(trash + QStringLiteral("/files/tree/t.txt")));

    // Asked first when confirmations are on: No deletes nothing.
    shf.AspExe(1, 1);
    ui().queueDelete(ShellConfirm::No);
    EXPECT_FALSE(yes(shf.FxEli(path(QStringLiteral("w/keep.txt")))));
    ASSERT_EQ(ui().deleteAsked().size(), 1u);
    EXPECT_TRUE(ui().deleteAsked()[0].toTrash);
    EXPECT_TRUE(exists(path(QStringLiteral("w/keep.txt"))));

    if (hadData)
        qputenv("XDG_DATA_HOME", oldData);
    else
        qunsetenv("XDG_DATA_HOME");
}

TEST_F(ShellDelete, PermanentDeletesAndEmptyingAFolder) {
    makeTree(path(QStringLiteral("w")),
             {QStringLiteral("a.txt"), QStringLiteral(".hidden"), QStringLiteral("ro/locked.txt"),
              QStringLiteral("l -> ../outside.txt")});
    makeTree(path(), {QStringLiteral("outside.txt")});
    ::chmod(QFile::encodeName(path(QStringLiteral("w/ro"))).constData(), 0555);
    SupShf shf;
    shf.AspExe(1, 0);
    EXPECT_TRUE(yes(shf.FxLpzDir(path(QStringLiteral("w")))));
    EXPECT_TRUE(QDir(path(QStringLiteral("w"))).exists());
    EXPECT_EQ(listTree(path(QStringLiteral("w"))), QStringList());
    // The link went, not what it pointed to.
    EXPECT_EQ(contentOf(path(QStringLiteral("outside.txt"))), "outside.txt");
    EXPECT_FALSE(yes(shf.FxEli(path(QStringLiteral("w/none")))));
    EXPECT_EQ(shf.lastResult().error, err::FileNotFound);
}
