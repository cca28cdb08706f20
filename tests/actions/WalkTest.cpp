// Tree walks of SupFsys: both orders with call-backs, counters, kinds, patterns and case, links,
// deep trees with few descriptors; attribute setting and clearing over a tree.

#include "ActionsTest.h"
#include "SupFsys.h"

#include "Dispatch.h"
#include "FileAttributes.h"
#include "FsysAttr.h"
#include "VbError.h"

#include <QDir>
#include <QFile>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zv;
using namespace zvtest;
using namespace Qt::Literals::StringLiterals;

namespace {

// A call-back object that records every call as "member kind count path" (path relative to the
// walked folder); "fail" makes every call raise.
class Recorder : public SimpleDispatch {
public:
    Recorder(QString root, bool fail = false) : root_(std::move(root)) {
        for (const char* member : {"cbkFsysFicPro", "cbkFsysFicSel"}) {
            const QString name = QString::fromLatin1(member);
            addMethod(name, [this, name, fail](Args a) {
                checkArgCount(a, 4, 4);
                ides << a[0]->rawString();
                countTypes << a[1]->varType();
                QString p = a[3]->rawString();
                if (p.startsWith(root_)) p = p.mid(root_.size() + 1);
                calls << u"%1 %2 %3 %4"_s
                             .arg(name == QLatin1String("cbkFsysFicPro") ? u"Pro"_s : u"Sel"_s,
                                  a[2]->rawString())
                             .arg(a[1]->numericValue())
                             .arg(p);
                if (fail) vbRaise(err::InvalidCall);
                return Variant();
            });
        }
    }
    QStringList calls;
    QStringList ides;
    QList<int> countTypes;

private:
    QString root_;
};

class Walk : public ActionsTest {
protected:
    void SetUp() override {
        root = path("root");
        makeTree(root, {u"a.txt"_s, u"b.log"_s, u".h.txt"_s, u"sub1/c.txt"_s, u"sub1/deep/d.txt"_s,
                        u".dot/e.txt"_s, u"Sub2/"_s, u"link -> sub1"_s, u"sub1/back -> .."_s});
    }
    std::shared_ptr<Recorder> attach(SupFsys& fsys, bool fail = false) {
        auto rec = std::make_shared<Recorder>(root, fail);
        fsys.RegCbk(u"#T"_s, Variant(DispatchPtr(rec)));
        return rec;
    }
    QString root;
};

struct Totals {
    int64_t dirsFound, dirsProcessed, filesFound, filesProcessed;
};

void expectTotals(const SupFsys& f, Totals t, const char* what) {
    EXPECT_EQ(f.NumDirEnc, t.dirsFound) << what;
    EXPECT_EQ(f.NumDirPro, t.dirsProcessed) << what;
    EXPECT_EQ(f.NumFicEnc, t.filesFound) << what;
    EXPECT_EQ(f.NumFicPro, t.filesProcessed) << what;
    EXPECT_EQ(f.NumEntEnc, t.dirsFound + t.filesFound) << what;
    EXPECT_EQ(f.NumEntPro, t.dirsProcessed + t.filesProcessed) << what;
}

} // namespace

TEST_F(Walk, BothOrdersCallBackInTheirOrder) {
    // Entries in name order without regard to case; links count as files and are never
    // entered; folders beginning with "." are skipped, files beginning with "." are not.
    const QStringList forward{
        "Pro F 1 .h.txt",          "Pro F 2 a.txt",     "Pro F 3 b.log",      "Pro F 4 link",
        "Pro D 5 sub1/",           "Pro F 6 sub1/back", "Pro F 7 sub1/c.txt", "Pro D 8 sub1/deep/",
        "Pro F 9 sub1/deep/d.txt", "Pro D 10 Sub2/",
    };
    const QStringList backward{
        "Pro F 1 sub1/deep/d.txt", "Pro D 2 sub1/deep/", "Pro F 3 sub1/back", "Pro F 4 sub1/c.txt",
        "Pro D 5 sub1/",           "Pro D 6 Sub2/",      "Pro F 7 .h.txt",    "Pro F 8 a.txt",
        "Pro F 9 b.log",           "Pro F 10 link",
    };
    struct Case {
        const char* what;
        std::function<void(SupFsys&)> walk;
        const QStringList& expected;
    } const cases[] = {
        {"Rp", [&](SupFsys& f) { f.ProFsysRp(u"CBK"_s, u"DFR"_s, root, u"*.*"_s); }, forward},
        {"Ra", [&](SupFsys& f) { f.ProFsysRa(u"CBK"_s, u"DFR"_s, root, u"*.*"_s); }, backward},
        {"proFsys", [&](SupFsys& f) { f.proFsys(u"CBK"_s, u"RFD"_s, root, u"*"_s); }, forward},
        {"Cbk *", [&](SupFsys& f) { f.ProFsysCbk(u"*"_s, root, u"*.*"_s); }, forward},
        {"REC< token", [&](SupFsys& f) { f.ProFsysRp(u"CBK REC<"_s, u"DFR"_s, root, u"*.*"_s); },
         backward},
        {"rec> lower case",
         [&](SupFsys& f) { f.ProFsysRa(u" cbk  rec> "_s, u"DFR"_s, root, u"*.*"_s); }, forward},
    };
    for (const Case& c : cases) {
        SupFsys fsys;
        auto rec = attach(fsys);
        c.walk(fsys);
        EXPECT_EQ(rec->calls, c.expected) << c.what;
        expectTotals(fsys, {3, 3, 7, 7}, c.what);
        EXPECT_GE(fsys.TmpPro, 0.0f);
        EXPECT_EQ(rec->ides.value(0), u"#T"_s);
        EXPECT_TRUE(std::all_of(rec->countTypes.begin(), rec->countTypes.end(), [](int t) {
            return t == vbLong;
        })) << c.what;
    }
}

TEST_F(Walk, SelectionCallsFilesOnlyWithTheirOwnCount) {
    SupFsys fsys;
    auto rec = attach(fsys);
    fsys.ProFsysCbk(u"F"_s, root, u"*.txt"_s);
    EXPECT_EQ(rec->calls, (QStringList{"Sel F 1 .h.txt", "Sel F 2 a.txt", "Sel F 3 sub1/c.txt",
                                       "Sel F 4 sub1/deep/d.txt"}));
    // Folders are still processed (counted), only not called.
    expectTotals(fsys, {3, 3, 4, 4}, "sel");
}

TEST_F(Walk, KindsPatternsAndCase) {
    struct Case {
        const char* what;
        QString spec, kinds, pattern;
        int calls;
        Totals totals;
    } const cases[] = {
        {"lower-case kinds act on nothing, no descent", "CBK", "dfr", "*.*", 0, {2, 0, 4, 0}},
        {"files of the top only", "CBK", "F", "*.*", 4, {2, 0, 4, 4}},
        {"folders only, files still found", "CBK", "DR", "*.*", 3, {3, 3, 7, 0}},
        {"one extension, every folder entered", "CBK", "DFR", "*.LOG", 4, {3, 3, 1, 1}},
        {"empty pattern: no files", "CBK", "DFR", "", 3, {3, 3, 0, 0}},
        {"other verb only counts", "XYZ +R", "DFR", "*.*", 0, {3, 3, 7, 7}},
    };
    for (const Case& c : cases) {
        SupFsys fsys;
        auto rec = attach(fsys);
        fsys.ProFsysRp(c.spec, c.kinds, root, c.pattern);
        EXPECT_EQ(rec->calls.size(), c.calls) << c.what;
        expectTotals(fsys, c.totals, c.what);
    }
}

TEST_F(Walk, RegistrationFailuresAndAbsentFolders) {
    SupFsys fsys;
    auto rec = attach(fsys);
    EXPECT_EQ(fsys.CbkSit, 1);
    fsys.ProFsysRp(u"CBK"_s, u"DFR"_s, root, u"*.*"_s);
    ASSERT_EQ(fsys.NumEntPro, 10);
    // An absent folder is an empty walk: every total back to 0.
    fsys.ProFsysRp(u"CBK"_s, u"DFR"_s, path("none"), u"*.*"_s);
    expectTotals(fsys, {0, 0, 0, 0}, "absent");
    // A text instead of an object unregisters; another value is refused.
    fsys.RegCbk(QString(), Variant(u""_s));
    EXPECT_EQ(fsys.CbkSit, 0);
    rec->calls.clear();
    fsys.ProFsysRp(u"CBK"_s, u"DFR"_s, root, u"*.*"_s);
    EXPECT_TRUE(rec->calls.isEmpty());
    EXPECT_THROW(fsys.RegCbk(u"x"_s, Variant(int32_t(5))), VbError);
    // Call-backs that fail do not stop the walk.
    SupFsys failing;
    auto bad = attach(failing, true);
    failing.ProFsysRa(u"CBK"_s, u"DFR"_s, root, u"*.*"_s);
    EXPECT_EQ(bad->calls.size(), 10);
    EXPECT_EQ(failing.NumEntPro, 10);
    EXPECT_EQ(SupFsys::pSepNull(u"abc"_s + QChar(0) + u"def"_s), u"abc"_s);
}

TEST_F(Walk, DeepTreesNeedNoDescriptorPerLevel) {
    QString deep = path("deep");
    const int levels = 150;
    QString p = deep;
    for (int i = 0; i < levels; ++i)
        p += u"/d"_s;
    ASSERT_TRUE(QDir().mkpath(p));
    makeTree(p, {u"leaf.txt"_s});

    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &old), 0);
    struct rlimit few = old;
    few.rlim_cur = 32;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &few), 0);
    SupFsys fsys;
    fsys.ProFsysRa(u"COUNT"_s, u"DFR"_s, deep, u"*.*"_s);
    ::setrlimit(RLIMIT_NOFILE, &old);
    EXPECT_EQ(fsys.NumDirEnc, levels);
    EXPECT_EQ(fsys.NumFicEnc, 1);
}

class WalkAttributes : public ActionsTest {
protected:
    void SetUp() override {
        root = path("root");
        makeTree(root,
                 {u"a.txt"_s, u"sub/b.txt"_s, u"sub/deep/c.bin"_s, u"link -> ../outside.txt"_s});
        makeTree(path(), {u"outside.txt"_s});
        marks = xattrSupported(root);
    }
    // The language's attributes with the marks this file system cannot keep taken out.
    int expected(int attr) const { return marks ? attr : attr & (kAttrReadOnly | kAttrFolder); }
    int folderExpected(int attr) const { return marks ? attr : attr & kAttrFolder; }
    QString root;
    bool marks = false;
};

TEST_F(WalkAttributes, SettingAndClearingOverATree) {
    const unsigned rootMode = modeOf(root);
    SupFsys fsys;
    fsys.ProFsysAtrb(root, u"+R +H"_s, u"*.*"_s);
    for (const char* f : {"a.txt", "sub/b.txt", "sub/deep/c.bin"}) {
        const QString file = root + u'/' + QString::fromLatin1(f);
        EXPECT_EQ(modeOf(file) & 0222, 0u) << f;
        EXPECT_EQ(readFileAttributes(file), expected(kAttrReadOnly | kAttrHidden)) << f;
    }
    for (const char* d : {"sub", "sub/deep"}) {
        const QString folder = root + u'/' + QString::fromLatin1(d);
        EXPECT_TRUE(modeOf(folder) & 0200) << d << ": a read-only folder can still be written into";
        EXPECT_EQ(readFileAttributes(folder),
                  folderExpected(kAttrFolder | kAttrReadOnly | kAttrHidden))
            << d;
    }
    // The starting folder and what the link points to are left alone.
    EXPECT_EQ(modeOf(root), rootMode);
    EXPECT_EQ(readFileAttributes(root), kAttrFolder);
    EXPECT_EQ(readFileAttributes(path("outside.txt")), 0);
    EXPECT_EQ(fsys.NumEntPro, 6);

    // Lower case, other marks: system and archive, not read-only.
    fsys.ProFsysAtrb(root, u"+s +a"_s, u"*.*"_s);
    EXPECT_EQ(readFileAttributes(root + u"/a.txt"_s), expected(kAttrSystem | kAttrArchive));
    EXPECT_TRUE(modeOf(root + u"/a.txt"_s) & 0200);

    // "+N": everything normal again.
    fsys.ProFsysAtrb(root, u"+N"_s, u"*.*"_s);
    for (const char* f : {"a.txt", "sub/b.txt", "sub/deep/c.bin"})
        EXPECT_EQ(readFileAttributes(root + u'/' + QString::fromLatin1(f)), 0) << f;
    EXPECT_EQ(readFileAttributes(root + u"/sub"_s), kAttrFolder);
}

TEST_F(WalkAttributes, NormalMakesReadOnlyMediaWritable) {
    setMode(root + u"/sub/deep/c.bin"_s, 0444);
    setMode(root + u"/sub/deep"_s, 0555);
    setMode(root + u"/sub"_s, 0555);
    SupFsys fsys;
    fsys.ProFsysAtrb(root, u"+N"_s, u"*.*"_s);
    EXPECT_TRUE(modeOf(root + u"/sub"_s) & 0200);
    EXPECT_TRUE(modeOf(root + u"/sub/deep"_s) & 0200);
    EXPECT_TRUE(modeOf(root + u"/sub/deep/c.bin"_s) & 0200);
    // Missing entries raise their error.
    struct Case {
        QString path;
        int error;
    } const cases[] = {{path("none"), err::FileNotFound},
                       {path("none/x"), err::PathNotFound},
                       {QString(), err::FileNotFound}};
    for (const Case& c : cases) {
        try {
            fsys::setAttributes(c.path, 0);
            ADD_FAILURE() << "no error for " << c.path.toStdString();
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), c.error) << c.path.toStdString();
        }
    }
}

TEST_F(WalkAttributes, AFailingChangeStopsTheWalkAndKeepsTheTotals) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user on root's files";
    setMode(path(), 0755);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        SupFsys fsys;
        fsys.NumFicPro = 99;
        try {
            fsys.ProFsysAtrb(root, u"+R"_s, u"*.*"_s);
            ::_exit(1);
        } catch (const VbError& e) {
            ::_exit(e.number() == err::PermissionDenied && fsys.NumFicPro == 99 ? 0 : 2);
        }
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no error, 2: wrong error or totals changed";
    EXPECT_EQ(readFileAttributes(root + u"/a.txt"_s), 0);
}

// A folder of many entries has them read ahead, several at once: it ends as the same entries set
// one by one, read-only and marked ones, two names of one file and a link among them.
TEST_F(WalkAttributes, AFolderOfManyEntriesEndsAsEachEntrySetAlone) {
    const QStringList trees{path("walked"), path("alone")};
    QStringList names;
    for (int i = 0; i < 80; ++i)
        names << u"f%1.txt"_s.arg(i, 2, 10, QChar(u'0'));
    for (const QString& tree : trees) {
        QStringList files = names;
        files << u"link -> ../outside.txt"_s;
        makeTree(tree, files);
        for (int i = 0; i < names.size(); ++i) {
            const QString file = tree + u'/' + names[i];
            if (i % 7 == 0) fsys::setAttributes(file, kAttrHidden | kAttrSystem);
            if (i % 5 == 0) setMode(file, 0444);
        }
        ASSERT_EQ(::link(QFile::encodeName(tree + u"/f01.txt"_s).constData(),
                         QFile::encodeName(tree + u"/g01.txt"_s).constData()),
                  0);
    }
    const QStringList all = names + QStringList{u"g01.txt"_s, u"link"_s};
    auto compare = [&](const char* step) {
        for (const QString& name : all) {
            const QString walked = trees[0] + u'/' + name, alone = trees[1] + u'/' + name;
            EXPECT_EQ(modeOf(walked), modeOf(alone)) << step << " " << name.toStdString();
            EXPECT_EQ(readFileAttributes(walked), readFileAttributes(alone))
                << step << " " << name.toStdString();
        }
    };
    SupFsys fsys;
    for (const auto& [spec, mask] :
         {std::pair{u"+R +H"_s, kAttrReadOnly | kAttrHidden}, std::pair{u"+N"_s, 0}}) {
        fsys.ProFsysAtrb(trees[0], spec, u"*.*"_s);
        EXPECT_EQ(fsys.NumFicPro, all.size());
        for (const QString& name : all)
            fsys::setAttributes(QFile::encodeName(trees[1] + u'/' + name), mask);
        compare(spec.toUtf8().constData());
    }
    EXPECT_EQ(readFileAttributes(trees[0] + u"/f00.txt"_s), 0);
    EXPECT_TRUE(modeOf(trees[0] + u"/f00.txt"_s) & 0200);
}
