// The shell file operation through SupShf: options, folder copies with patterns and merges,
// read-only sources, links, refusals, cancel, moves and deletes into the trash.

#include "ActionsTest.h"
#include "SupShf.h"

#include "FileLayer.h"
#include "HeadlessShellOperationUi.h"
#include "ShellFileOperation.h"

#include "FicGlb.h"
#include "VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

using namespace zv;
using namespace zvtest;
using namespace Qt::Literals::StringLiterals;

namespace {

bool yes(const Variant& v) {
    if (v.isBoolean()) return v.rawBoolean();
    return v.isInteger16() && v.rawInteger() == -1;
}

const QStringList kSource{
    u"a.txt"_s,     u"B.TXT"_s,          u"noext"_s,  u".dotfile"_s,
    u"sub/c.txt"_s, u"sub/deep/d.log"_s, u"empty/"_s, u".dotdir/e.txt"_s,
};

class ShellCopy : public ActionsTest {};
class ShellOptions : public ActionsTest {};
class ShellDelete : public ActionsTest {};
class ShellMove : public ActionsTest {};
class FileLayer : public ActionsTest {};

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
        {"custom title", [](SupShf& s) { s.AspIde(u"A copiar"_s); }, 1, 0x100},
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
    makeTree(path("src"), {u"f.txt"_s});
    SupShf shf;
    shf.AspExe(1, 0);
    const Variant cop = shf.FxCop(path("src/f.txt"), path("g.txt"));
    EXPECT_TRUE(cop.isBoolean() && cop.rawBoolean());
    const Variant dfi = shf.FxCopDfi(path("src"), path("dst"));
    EXPECT_TRUE(dfi.isInteger16() && dfi.rawInteger() == -1);
    const Variant arv = shf.FxCopArv(path("nothing"), path("dst"), 1);
    EXPECT_TRUE(arv.isInteger16() && arv.rawInteger() == 0);
    const Variant ren = shf.FxRen(path("g.txt"), path("h.txt"));
    EXPECT_TRUE(ren.isInteger16() && ren.rawInteger() == 0);
    EXPECT_TRUE(exists(path("g.txt")));
    // An empty name is a failure, not "nothing to do, done".
    const Variant empty = shf.FxEli(QString());
    EXPECT_TRUE(empty.isBoolean() && !empty.rawBoolean());
}

TEST_F(ShellCopy, FolderCopyTakesTheWholeTreeAndCreatesTheTarget) {
    makeTree(path("src"), kSource);
    SupShf shf;
    shf.AspExe(1, 0);
    EXPECT_TRUE(yes(shf.FxCopDfi(path("src"), path("out/a/b"))));
    EXPECT_EQ(listTree(path("out/a/b")), listTree(path("src")));
    EXPECT_EQ(contentOf(path("out/a/b/sub/deep/d.log")), "sub/deep/d.log");
    // Progress shown, no question asked, no error.
    ASSERT_EQ(ui().starts().size(), 1u);
    EXPECT_TRUE(ui().starts()[0].showProgress);
    EXPECT_EQ(ui().starts()[0].totalFiles, 7);
    for (const QString& none : {u"replace?"_s, u"mkdir?"_s, u"error"_s})
        EXPECT_FALSE(ui().calls().contains(none)) << none.toStdString();
    EXPECT_EQ(ui().calls().last(), u"end"_s);
}

// The progress totals of a folder of many files (read many at once): its files, links and the
// files of its subfolders, and the bytes of the files.
TEST_F(ShellCopy, TheProgressCountsAFolderOfManyFiles) {
    QStringList entries{u"sub/x.txt"_s, u"sub/y.txt"_s, u"link -> f00.txt"_s};
    for (int i = 0; i < 40; ++i)
        entries << u"f%1.txt"_s.arg(i, 2, 10, QChar(u'0'));
    makeTree(path("src"), entries);
    qint64 bytes = 0;
    for (const QString& e : entries)
        if (!e.contains(u"->"_s)) bytes += QFileInfo(path("src") + u'/' + e).size();
    SupShf shf;
    shf.AspExe(1, 0);
    EXPECT_TRUE(yes(shf.FxCopDfi(path("src"), path("out"))));
    ASSERT_EQ(ui().starts().size(), 1u);
    EXPECT_EQ(ui().starts()[0].totalFiles, 43);
    EXPECT_EQ(ui().starts()[0].totalBytes, bytes);
    EXPECT_EQ(listTree(path("out")), listTree(path("src")));
}

TEST_F(ShellCopy, PatternsSelectCaseBlindAndMergeIntoWhatIsThere) {
    makeTree(path("src"), kSource);
    makeTree(path("dst"), {u"keep.me"_s, u"sub/old.txt"_s});
    temp.write(u"dst/a.txt"_s, "older and longer content");
    SupShf shf;
    shf.AspExe(1, 0);
    struct Case {
        QString pattern;
        QStringList expected; // what is copied, sorted
    } const cases[] = {
        {u"*.txt"_s, {u"B.TXT"_s, u"a.txt"_s}},
        {u"?.TXT"_s, {u"B.TXT"_s, u"a.txt"_s}},
        {u"no*"_s, {u"noext"_s}},
    };
    for (const Case& c : cases) {
        QDir(path("p")).removeRecursively();
        EXPECT_TRUE(yes(shf.FxCop(path("src/") + c.pattern, path("p")))) << c.pattern.toStdString();
        EXPECT_EQ(listTree(path("p")), c.expected) << c.pattern.toStdString();
    }
    // "*.*" takes every name (dot-files and names without a dot too) and merges: what was in
    // the target stays, a file of the same name is replaced.
    EXPECT_TRUE(yes(shf.FxCopArv(path("src"), path("dst"), 1)));
    const QStringList tree = listTree(path("dst"));
    for (const QString& e : listTree(path("src")))
        EXPECT_TRUE(tree.contains(e)) << e.toStdString();
    EXPECT_TRUE(tree.contains(u"keep.me"_s));
    EXPECT_TRUE(tree.contains(u"sub/old.txt"_s));
    EXPECT_EQ(contentOf(path("dst/a.txt")), "a.txt");
}

TEST_F(ShellCopy, ConfirmationsDecideAboutExistingTargets) {
    makeTree(path("src"), {u"a.txt"_s, u"b.txt"_s, u"c.txt"_s});
    temp.write(u"dst/a.txt"_s, "c.txt");
    temp.write(u"dst/b.txt"_s, "c.txt");

    // Default options ask: No keeps a.txt as it was, and the operation is not carried out whole.
    SupShf shf;
    ui().queueReplace(ShellConfirm::No);
    ui().queueReplace(ShellConfirm::Yes);
    EXPECT_FALSE(yes(shf.FxCop(path("src/*.txt"), path("dst"))));
    ASSERT_EQ(ui().replaceAsked().size(), 2u);
    EXPECT_EQ(contentOf(path("dst/a.txt")), "c.txt");
    EXPECT_EQ(contentOf(path("dst/b.txt")), "b.txt");

    // Cancel stops at once; YesToAll stops the questions.
    ui().clear();
    ui().queueReplace(ShellConfirm::Cancel);
    EXPECT_FALSE(yes(shf.FxCop(path("src/*.txt"), path("dst"))));
    EXPECT_EQ(ui().replaceAsked().size(), 1u);
    ui().clear();
    ui().queueReplace(ShellConfirm::YesToAll);
    EXPECT_TRUE(yes(shf.FxCop(path("src/*.txt"), path("dst"))));
    EXPECT_EQ(ui().replaceAsked().size(), 1u);
    EXPECT_EQ(contentOf(path("dst/a.txt")), "a.txt");

    // A missing destination folder is asked for; No leaves it uncreated.
    ui().clear();
    ui().queueMakeDir(ShellConfirm::No);
    EXPECT_FALSE(yes(shf.FxCop(path("src/*.txt"), path("new"))));
    EXPECT_EQ(ui().makeDirAsked(), QStringList{path("new")});
    EXPECT_FALSE(exists(path("new")));

    // RenameOnCollision asks nothing and finds free names.
    ui().clear();
    shf.setRenameOnCollision(true);
    EXPECT_TRUE(yes(shf.FxCop(path("src/a.txt"), path("dst/a.txt"))));
    EXPECT_TRUE(yes(shf.FxCop(path("src/a.txt"), path("dst/a.txt"))));
    EXPECT_EQ(contentOf(path("dst/a - Copy.txt")), "a.txt");
    EXPECT_EQ(contentOf(path("dst/a - Copy (2).txt")), "a.txt");
    EXPECT_TRUE(ui().replaceAsked().empty());
    EXPECT_EQ(collisionName(path("dst"), u"a.txt"_s, false), u"a - Copy (3).txt"_s);
    // A folder copied onto itself gets a copy beside it.
    EXPECT_TRUE(yes(shf.FxCop(path("src"), path())));
    EXPECT_EQ(listTree(path("src - Copy")), listTree(path("src")));
}

// The files of a folder the copy has just made are not looked for first; one that another
// program puts there meanwhile is still met as any existing target: asked about, and kept on No.
// The same through the plain ways of the file layer.
TEST_F(ShellCopy, ATargetThatAppearsInAFolderJustMadeIsAskedAbout) {
    // Puts a file of its own at the target of b.txt just before that file is copied.
    class Intruder : public HeadlessShellOperationUi {
    public:
        void progress(const QString& from, const QString& to, qint64 filesDone,
                      qint64 bytesDone) override {
            if (to.endsWith(u"/b.txt")) {
                QFile f(to);
                if (f.open(QIODevice::WriteOnly)) f.write("theirs");
            }
            HeadlessShellOperationUi::progress(from, to, filesDone, bytesDone);
        }
    };
    struct Restore {
        ~Restore() { file::usePlainWays(false); }
    } restore;
    makeTree(path("src"), {u"a.txt"_s, u"b.txt"_s, u"sub/b.txt"_s});
    for (const bool plain : {false, true}) {
        file::usePlainWays(plain);
        for (const ShellConfirm answer : {ShellConfirm::No, ShellConfirm::Yes}) {
            const QString dst = path("dst-%1-%2").arg(plain).arg(int(answer));
            Intruder ui;
            ui.queueReplace(answer);
            ui.queueReplace(answer);
            ShellFileRequest rq;
            rq.from = {path("src")};
            rq.to = {dst};
            const ShellFileResult res = runShellFileOperation(rq, ui);
            EXPECT_EQ(res.ok(), answer == ShellConfirm::Yes) << plain;
            EXPECT_EQ(ui.replaceAsked().size(), 2u) << plain;
            const QByteArray b = answer == ShellConfirm::Yes ? "b.txt" : "theirs";
            EXPECT_EQ(contentOf(dst + "/b.txt"), b) << plain;
            EXPECT_EQ(contentOf(dst + "/sub/b.txt"),
                      answer == ShellConfirm::Yes ? "sub/b.txt" : "theirs");
            EXPECT_EQ(contentOf(dst + "/a.txt"), "a.txt") << plain;
            EXPECT_EQ(listTree(dst), listTree(path("src"))) << "nothing passing left";
        }
    }
}

TEST_F(ShellCopy, ReadOnlySourcesGiveReadOnlyFilesInWritableFolders) {
    makeTree(path("src"), {u"ro.txt"_s, u"sub/inner.txt"_s, u"x.sh"_s});
    setMode(path("src/ro.txt"), 0444);
    setMode(path("src/x.sh"), 0755);
    setMode(path("src/sub/inner.txt"), 0444);
    setMode(path("src/sub"), 0555);
    SupShf shf;
    shf.AspExe(1, 0);
    for (int round = 0; round < 2; ++round) { // the second round replaces read-only targets
        EXPECT_TRUE(yes(shf.FxCopDfi(path("src"), path("dst")))) << round;
        EXPECT_EQ(modeOf(path("dst/ro.txt")), 0444u);
        EXPECT_EQ(modeOf(path("dst/x.sh")), 0755u);
        EXPECT_EQ(modeOf(path("dst/sub/inner.txt")), 0444u);
        EXPECT_TRUE(modeOf(path("dst/sub")) & 0200) << "the copied folder stays writable";
        EXPECT_EQ(contentOf(path("dst/sub/inner.txt")), "sub/inner.txt");
    }
    // No passing file is left behind.
    EXPECT_EQ(listTree(path("dst")), listTree(path("src")));
    setMode(path("src/sub"), 0755);
}

TEST_F(ShellCopy, CopiedFilesKeepTheirBytesTimesAndMarks) {
    QDir().mkpath(path("src"));
    QByteArray big(3 * 1024 * 1024 + 17, Qt::Uninitialized);
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = char((i * 7919) >> 3);
    const auto write = [](const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    };
    write(path("src/big.bin"), big);
    write(path("src/empty.txt"), {});
    const QByteArray bigPath = QFile::encodeName(path("src/big.bin"));
    const struct timespec times[2] = {{1700000000, 123456789}, {1600000000, 987654321}};
    ASSERT_EQ(::utimensat(AT_FDCWD, bigPath.constData(), times, 0), 0);
    const bool marks = xattrSupported(path("src"));
    if (marks) {
        ASSERT_EQ(::setxattr(bigPath.constData(), "user.zelvyn.attrib", "34", 2, 0), 0);
    }

    SupShf shf;
    shf.AspExe(1, 0);
    EXPECT_TRUE(yes(shf.FxCopDfi(path("src"), path("dst"))));
    EXPECT_EQ(contentOf(path("dst/big.bin")), big);
    EXPECT_TRUE(exists(path("dst/empty.txt")));
    EXPECT_EQ(contentOf(path("dst/empty.txt")), QByteArray());
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path("dst/big.bin")).constData(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 1600000000);
    EXPECT_EQ(st.st_mtim.tv_nsec, 987654321);
    if (marks) {
        char buf[8] = {};
        EXPECT_EQ(::getxattr(QFile::encodeName(path("dst/big.bin")).constData(),
                             "user.zelvyn.attrib", buf, sizeof buf),
                  2);
        EXPECT_STREQ(buf, "34");
    }
    EXPECT_EQ(listTree(path("dst")), listTree(path("src")));

    // A file whose size says 0 but whose content is made as it is read is copied whole.
    QFile version(QStringLiteral("/proc/version"));
    ASSERT_TRUE(version.open(QIODevice::ReadOnly));
    const QByteArray expected = version.readAll();
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_TRUE(yes(shf.FxCop(QStringLiteral("/proc/version"), path("version.txt"))));
    EXPECT_EQ(contentOf(path("version.txt")), expected);
}

TEST_F(ShellCopy, LinksAreCopiedAsLinksAndNeverFollowed) {
    makeTree(path("src"), {u"real/f.txt"_s, u"tofile -> real/f.txt"_s, u"tofolder -> real"_s,
                           u"dangling -> nowhere"_s, u"real/loop -> .."_s});
    SupShf shf;
    shf.AspExe(1, 0);
    EXPECT_TRUE(yes(shf.FxCopDfi(path("src"), path("dst"))));
    EXPECT_EQ(listTree(path("dst")), listTree(path("src")));
    // A link in the target is replaced by the copy, never written through.
    makeTree(path("src2"), {u"f.txt"_s});
    makeTree(path("dst2"), {u"victim.txt"_s, u"f.txt -> victim.txt"_s});
    EXPECT_TRUE(yes(shf.FxCopArv(path("src2"), path("dst2"), 1)));
    EXPECT_EQ(contentOf(path("dst2/victim.txt")), "victim.txt");
    EXPECT_EQ(listTree(path("dst2")), (QStringList{u"f.txt"_s, u"victim.txt"_s}));
}

TEST_F(ShellCopy, CopiesIntoItselfAreRefused) {
    makeTree(path("src"), {u"a.txt"_s, u"sub/b.txt"_s});
    const QStringList before = listTree(path("src"));
    SupShf shf;
    shf.AspExe(1, 0);
    struct Case {
        const char* what;
        std::function<Variant()> run;
    } const cases[] = {
        {"folder into its subfolder",
         [&] { return shf.FxCop(path("src"), path("src/sub/inner")); }},
        {"folder onto itself", [&] { return shf.FxCop(path("src"), path("src")); }},
        {"content into a subfolder", [&] { return shf.FxCop(path("src/*.*"), path("src/sub")); }},
        {"file onto itself", [&] { return shf.FxCop(path("src/a.txt"), path("src/a.txt")); }},
        {"file onto itself by another name",
         [&] { return shf.FxCop(path("src/sub/../a.txt"), path("src/a.txt")); }},
        {"folder moved into itself", [&] { return shf.FxMov(path("src"), path("src/sub/x")); }},
    };
    for (const Case& c : cases) {
        ui().clear();
        EXPECT_FALSE(yes(c.run())) << c.what;
        EXPECT_EQ(ui().errors().size(), 1u) << c.what;
        EXPECT_NE(shf.lastResult().error, 0) << c.what;
        EXPECT_EQ(listTree(path("src")), before) << c.what;
        EXPECT_EQ(contentOf(path("src/a.txt")), "a.txt") << c.what;
    }
    // Through FxCopDfi, which makes the target folders of a copy, the refusal comes before
    // them: nothing is left behind.
    for (const char* inside : {"src/sub/in", "src/new/deeper", "src/./sub/../x"}) {
        ui().clear();
        EXPECT_EQ(shf.FxCopDfi(path("src"), path(inside)).rawInteger(), 0) << inside;
        EXPECT_EQ(shf.lastResult().error, 75) << inside;
        EXPECT_EQ(ui().errors().size(), 1u) << inside;
        EXPECT_EQ(listTree(path("src")), before) << inside;
    }
}

// A copy over an existing file that cannot be finished (here the file-size limit, as on a full
// disk) reports the disk-full error and leaves the old file whole, and no temporary file.
TEST_F(FileLayer, ShellCopyThatCannotFinishKeepsTheFileItReplaces) {
    QDir().mkpath(path("src"));
    QFile big(path("src/data.bin"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(64 * 1024, 's'));
    big.close();
    makeTree(path("dst"), {u"data.bin"_s});
    const int error = runInChild([&] {
        limitFileSize(4096);
        SupShf shf;
        shf.AspExe(0, 0);
        return yes(shf.FxCop(path("src/data.bin"), path("dst/data.bin"))) ? 0
                                                                          : shf.lastResult().error;
    });
    EXPECT_EQ(error, 61);
    EXPECT_EQ(contentOf(path("dst/data.bin")), "data.bin");
    EXPECT_EQ(listTree(path("dst")), QStringList{u"data.bin"_s});
}

// A source or target with a null character in it is refused as a bad name: cut at that
// character by the system, it would copy another folder, or into another one.
TEST_F(ShellCopy, NamesWithANullCharacterAreRefused) {
    makeTree(path("src"), {u"a.txt"_s});
    makeTree(path("dst"), {u"old.txt"_s});
    const QString cut = QString(QChar(0)) + u"/x"_s;
    SupShf shf;
    shf.AspExe(1, 0);
    const struct {
        const char* what;
        QString from, to;
    } rows[] = {
        {"target", path("src"), path("dst") + cut},
        {"source", path("src") + cut, path("dst/new")},
    };
    for (const auto& r : rows) {
        ui().clear();
        EXPECT_FALSE(yes(shf.FxCop(r.from, r.to))) << r.what;
        EXPECT_EQ(shf.lastResult().error, err::BadFileNameOrNumber) << r.what;
        EXPECT_EQ(listTree(path("dst")), QStringList{u"old.txt"_s}) << r.what;
    }
}

TEST_F(ShellCopy, CancelInTheProgressWindowStopsBetweenFiles) {
    QStringList files;
    for (int i = 0; i < 6; ++i)
        files << u"f%1.txt"_s.arg(i);
    makeTree(path("src"), files);
    ui().cancelAfter(2);
    SupShf shf;
    shf.AspExe(1, 0);
    EXPECT_EQ(shf.FxCopDfi(path("src"), path("dst")).rawInteger(), 0);
    EXPECT_TRUE(shf.lastResult().aborted);
    EXPECT_EQ(listTree(path("dst")), (QStringList{u"f0.txt"_s, u"f1.txt"_s}));
    EXPECT_TRUE(ui().errors().empty());
    EXPECT_EQ(ui().calls().last(), u"end"_s);
    ASSERT_EQ(ui().progressLog().size(), 2u);
    EXPECT_EQ(ui().progressLog()[1].from, path("src/f1.txt"));
    EXPECT_EQ(ui().progressLog()[1].filesDone, 1);

    // Silent: no progress calls, no error box, but the result still tells.
    ui().clear();
    shf.AspExe(0, 0);
    EXPECT_FALSE(yes(shf.FxCop(path("missing.txt"), path("dst"))));
    EXPECT_EQ(shf.lastResult().error, err::FileNotFound);
    EXPECT_FALSE(ui().starts().at(0).showProgress);
    EXPECT_FALSE(ui().calls().contains(u"progress"_s));
    EXPECT_FALSE(ui().calls().contains(u"error"_s));
}

TEST_F(ShellCopy, CopyDfiKindsOfSourceAndTarget) {
    makeTree(path("src"), {u"a.txt"_s, u"b.log"_s});
    SupShf shf;
    shf.AspExe(1, 0);
    // A file to a new name in a folder that does not exist yet.
    EXPECT_EQ(shf.FxCopDfi(path("src/a.txt"), path("n1/n2/c.txt")).rawInteger(), -1);
    EXPECT_EQ(contentOf(path("n1/n2/c.txt")), "a.txt");
    // A target ending in "*.*" names its folder.
    EXPECT_EQ(shf.FxCopDfi(path("src/*.*"), path("m/*.*")).rawInteger(), -1);
    EXPECT_EQ(listTree(path("m")), (QStringList{u"a.txt"_s, u"b.log"_s}));
    // Sources that name nothing: absent, or patterns whose extension is not "*".
    for (const QString& src : {path("src/none.txt"), path("src/*.txt"), path("src/*"), QString()}) {
        ui().clear();
        EXPECT_EQ(shf.FxCopDfi(src, path("z")).rawInteger(), 0) << src.toStdString();
        EXPECT_TRUE(ui().calls().isEmpty()) << src.toStdString();
    }
    EXPECT_FALSE(exists(path("z")));
}

TEST_F(ShellMove, MovesRenameAndMerge) {
    makeTree(path("src"), {u"a.txt"_s, u"sub/b.txt"_s});
    makeTree(path("dst"), {u"sub/c.txt"_s});
    SupShf shf;
    shf.AspExe(1, 0);
    EXPECT_TRUE(yes(shf.FxMov(path("src/a.txt"), path("dst/a2.txt"))));
    EXPECT_FALSE(exists(path("src/a.txt")));
    EXPECT_EQ(contentOf(path("dst/a2.txt")), "a.txt");
    // A folder moved where a folder of its name is: the content merges, the source goes.
    EXPECT_TRUE(yes(shf.FxMov(path("src/sub"), path("dst"))));
    EXPECT_FALSE(exists(path("src/sub")));
    EXPECT_EQ(listTree(path("dst")),
              (QStringList{u"a2.txt"_s, u"sub/"_s, u"sub/b.txt"_s, u"sub/c.txt"_s}));
}

TEST_F(ShellDelete, DeletesGoIntoTheTrashWhenAsked) {
    const ScopedEnv xdg("XDG_DATA_HOME", QFile::encodeName(path("xdg")));
    makeTree(path("w"), {u"a b.txt"_s, u"x.log"_s, u"y.LOG"_s, u"keep.txt"_s, u"tree/t.txt"_s});
    QFile::copy(path("w/a b.txt"), path("w/again"));

    SupShf shf;
    shf.AspExe(1, 0);
    shf.UsaRcBin(1);
    const QString trash = path("xdg/Trash");
    EXPECT_TRUE(yes(shf.FxEli(path("w/a b.txt"))));
    EXPECT_FALSE(exists(path("w/a b.txt")));
    EXPECT_EQ(contentOf(trash + u"/files/a b.txt"_s), "a b.txt");
    const QByteArray info = contentOf(trash + u"/info/a b.txt.trashinfo"_s);
    EXPECT_TRUE(info.startsWith("[Trash Info]\nPath=")) << info.constData();
    EXPECT_TRUE(info.contains("a%20b.txt\n")) << info.constData();
    EXPECT_TRUE(info.contains("\nDeletionDate=")) << info.constData();

    // The same name again gets a name of its own; a pattern and a whole tree go too.
    QFile::rename(path("w/again"), path("w/a b.txt"));
    EXPECT_TRUE(yes(shf.FxEli(path("w/a b.txt"))));
    EXPECT_TRUE(exists(trash + u"/files/a b.txt.2"_s));
    EXPECT_TRUE(exists(trash + u"/info/a b.txt.2.trashinfo"_s));
    EXPECT_TRUE(yes(shf.FxEli(path("w/*.log"))));
    EXPECT_TRUE(yes(shf.FxEli(path("w/tree"))));
    EXPECT_EQ(listTree(path("w")), QStringList{u"keep.txt"_s});
    EXPECT_TRUE(exists(trash + u"/files/y.LOG"_s));
    EXPECT_TRUE(exists(trash + u"/files/tree/t.txt"_s));

    // Asked first when confirmations are on: No deletes nothing.
    shf.AspExe(1, 1);
    ui().queueDelete(ShellConfirm::No);
    EXPECT_FALSE(yes(shf.FxEli(path("w/keep.txt"))));
    ASSERT_EQ(ui().deleteAsked().size(), 1u);
    EXPECT_TRUE(ui().deleteAsked()[0].toTrash);
    EXPECT_TRUE(exists(path("w/keep.txt")));
}

TEST_F(ShellDelete, PermanentDeletesAndEmptyingAFolder) {
    makeTree(path("w"), {u"a.txt"_s, u".hidden"_s, u"ro/locked.txt"_s, u"l -> ../outside.txt"_s});
    makeTree(path(), {u"outside.txt"_s});
    setMode(path("w/ro"), 0555);
    SupShf shf;
    shf.AspExe(1, 0);
    EXPECT_TRUE(yes(shf.FxLpzDir(path("w"))));
    EXPECT_TRUE(QDir(path("w")).exists());
    EXPECT_EQ(listTree(path("w")), QStringList());
    // The link went, not what it pointed to.
    EXPECT_EQ(contentOf(path("outside.txt")), "outside.txt");
    EXPECT_FALSE(yes(shf.FxEli(path("w/none"))));
    EXPECT_EQ(shf.lastResult().error, err::FileNotFound);
}
