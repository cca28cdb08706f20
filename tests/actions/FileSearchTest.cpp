// The file search of SupFsys: limits, kinds and patterns, and its own call-back.

#include "ActionsTest.h"
#include "SupFsys.h"

#include "Dispatch.h"

using namespace zv;
using namespace zvtest;
using namespace Qt::Literals::StringLiterals;

namespace {

class FileSearch : public ActionsTest {
protected:
    void SetUp() override {
        root = path("root");
        makeTree(root, {u"a.txt"_s, u"b.TXT"_s, u"c.log"_s, u"sub/d.txt"_s, u"sub/deep/e.txt"_s,
                        u".dot/f.txt"_s, u"link -> sub"_s});
    }
    // The paths found, relative to the searched folder; element 0 must be "".
    QStringList search(SupFsys& fsys, const QString& opc, const QString& pattern, int& n) {
        QStringList names{u"junk"_s};
        n = -1;
        fsys.PsqFic(opc, root, pattern, names, n);
        EXPECT_EQ(names.size(), n + 1);
        EXPECT_EQ(names.value(0), QString());
        QStringList relative;
        for (qsizetype i = 1; i < names.size(); ++i)
            relative << names[i].mid(root.size() + 1);
        return relative;
    }
    QString root;
};

} // namespace

TEST_F(FileSearch, LimitsKindsAndPatterns) {
    const QStringList all{u"a.txt"_s, u"b.TXT"_s, u"sub/d.txt"_s, u"sub/deep/e.txt"_s};
    struct Case {
        QString opc, pattern;
        QStringList found;
        double limit;
    } const cases[] = {
        // A limit of n keeps n paths; 0 keeps every one.
        {u"[MAX=0]"_s, u"*.txt"_s, all, 0},
        {u"[MAX=3]"_s, u"*.txt"_s, all.mid(0, 3), 3},
        {u"[MAX=1][MP=FR]"_s, u"*.txt"_s, all.mid(0, 1), 1},
        {QString(), u"*.txt"_s, all, 1000},
        {u"[MAX=][MP=]"_s, u"*.txt"_s, all, 1000},
        // "F": the folder itself only; "" stands for every file.
        {u"[MP=F]"_s, u"*.txt"_s, all.mid(0, 2), 1000},
        {u"[MP=F]"_s, QString(), {u"a.txt"_s, u"b.TXT"_s, u"c.log"_s, u"link"_s}, 1000},
        // Kinds in lower case act on nothing.
        {u"[MP=fr]"_s, u"*.txt"_s, {}, 1000},
    };
    for (const Case& c : cases) {
        SupFsys fsys;
        int n = 0;
        EXPECT_EQ(search(fsys, c.opc, c.pattern, n), c.found) << c.opc.toStdString();
        EXPECT_EQ(n, c.found.size()) << c.opc.toStdString();
        EXPECT_EQ(fsys.PsqMax, c.limit) << c.opc.toStdString();
    }
    // The walk goes on to the end after the limit.
    SupFsys fsys;
    int n = 0;
    search(fsys, u"[MAX=1]"_s, u"*.txt"_s, n);
    EXPECT_EQ(fsys.NumFicEnc, 4);
}

TEST_F(FileSearch, OwnCallBackAndAbsentFolder) {
    SupFsys fsys;
    // A call-back registered before the search is gone after it.
    fsys.RegCbk(u"#T"_s, Variant(DispatchPtr(std::make_shared<SimpleDispatch>())));
    QStringList names;
    int n = -1;
    fsys.PsqFic(QString(), path("none"), u"*.*"_s, names, n);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(names, QStringList{QString()});
    EXPECT_EQ(fsys.CbkSit, 0);

    // A second search starts from an empty list.
    fsys.PsqFic(u"[MAX=2]"_s, root, u"*.log"_s, names, n);
    fsys.PsqFic(u"[MAX=2]"_s, root, u"*.log"_s, names, n);
    EXPECT_EQ(names, (QStringList{QString(), root + u"/c.log"_s}));
}
