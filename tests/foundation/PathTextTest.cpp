// Path arithmetic of FicGlb, run with "/" and with "\" as the separator: every case is written
// with "/" and rewritten for "\".
#include "FicGlb.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

class PathText : public ::testing::TestWithParam<QString> {
protected:
    void SetUp() override { FicSepIni(GetParam()); }
    void TearDown() override { ficGlbReset(); }
    // A path written with "/" in the separator under test.
    QString p(const char* s) const { return QString::fromUtf8(s).replace(u'/', GetParam()); }
};

TEST_P(PathText, JoinsWithOneSeparator) {
    struct Case {
        const char *dir, *name, *out;
    } cases[] = {
        {"", "", ""},          {"/dir/", "/a.txt", "/dir/a.txt"},
        {"/dir/", "", "/dir"}, {"C:", "", "C:/"},
        {"C:/", "", "C:/"},    {"", "/a", "/a"},
        {"/a", "/b/", "/a/b"}, {"/", "", "/"},
        {"a", "b", "a/b"},     {"//srv/share", "x", "//srv/share/x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FicPathJun(p(c.dir), p(c.name)), p(c.out)) << c.dir << " + " << c.name;
}

TEST_P(PathText, SplitsFolderAndName) {
    struct Case {
        const char *path, *dir, *name;
    } cases[] = {
        {"[GRP]name", "[GRP]", "name"}, {"bare", "", "bare"},
        {"  /a/b.txt ", "/a", "b.txt"}, {"/etc", "", "etc"},
        {"/a/[X]y", "/a/[X]", "y"},     {"/a/b/", "/a/b", ""},
    };
    for (const Case& c : cases) {
        QString dir = "junk", name = "junk";
        FicDirNom(p(c.path), dir, name);
        EXPECT_EQ(dir, p(c.dir)) << c.path;
        EXPECT_EQ(name, p(c.name)) << c.path;
    }
}

TEST_P(PathText, SplitsDriveAndNetworkPrefix) {
    struct Case {
        const char *path, *drvDrive, *drvRest, *uniDrive, *uniRest;
    } cases[] = {
        {"C:/dir/a", "C", "/dir/a", "C", "/dir/a"},
        {"/usr/lib", "", "/usr/lib", "", "/usr/lib"},
        {"//srv/share/dir/a", "//srv", "share/dir/a", "//srv/share", "dir/a"},
        {"//srv/share", "//srv", "share", "//srv/share", ""},
        {"//srv", "//srv", "", "//srv", ""},
    };
    for (const Case& c : cases) {
        QString drive = "junk", rest = "junk";
        FicDrvSep(p(c.path), drive, rest);
        EXPECT_EQ(drive, p(c.drvDrive)) << c.path;
        EXPECT_EQ(rest, p(c.drvRest)) << c.path;
        FicUniSep(p(c.path), drive, rest);
        EXPECT_EQ(drive, p(c.uniDrive)) << c.path;
        EXPECT_EQ(rest, p(c.uniRest)) << c.path;
    }
}

TEST_P(PathText, PartsAndLevels) {
    QStringList parts;
    FicPathPrt(p("/opt/app/read me"), parts);
    ASSERT_GE(parts.size(), 6);
    EXPECT_EQ(parts[0], p("/opt/app/read me"));
    EXPECT_EQ(parts[1], "");
    EXPECT_EQ(parts[2], p("/opt/app"));
    EXPECT_EQ(parts[3], "read me");
    EXPECT_EQ(parts[4], "read");
    EXPECT_EQ(parts[5], "me");

    QStringList levels;
    int count = 99;
    FicPathLst(p("//srv/share/dir"), levels, count);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(levels[1], p("//srv"));
    EXPECT_EQ(levels[2], "share");
    EXPECT_EQ(levels[3], "dir");
    FicPathLst(p("/a/b"), levels, count);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(levels[1], "");
    EXPECT_EQ(levels[3], "b");

    const Variant list =
        Variant::list({Variant(p("/root/")), Variant(p("/sub")), Variant(int32_t(7))});
    EXPECT_EQ(FicPathJunLis(list), p("/root/sub/7"));
}

INSTANTIATE_TEST_SUITE_P(Separators, PathText, ::testing::Values(QString("/"), QString("\\")),
                         [](const auto& info) {
                             return info.param == "/" ? "Slash" : "Backslash";
                         });

TEST(PathNames, BaseAndExtension) {
    struct Case {
        const char *name, *base, *ext;
        int pos;
    } cases[] = {
        {".profile", ".profile", "", 0}, {"read me", "read", "me", 0}, {"a.b.c", "a.b", "c", 4},
        {"x.tar.gz ", "x.tar", "gz", 6}, {"noext", "noext", "", 0},
    };
    for (const Case& c : cases) {
        QString base, ext;
        FicNomSep(c.name, base, ext);
        EXPECT_EQ(base, c.base) << c.name;
        EXPECT_EQ(ext, c.ext) << c.name;
        int pos = -1;
        FicExtPos(c.name, pos);
        EXPECT_EQ(pos, c.pos) << c.name;
    }
    QString out;
    FicExtSbs("report.txt", "bak", out, 1);
    EXPECT_EQ(out, "report.bak");
    FicExtSbs("report", "", out, 1);
    EXPECT_EQ(out, "report");
}

TEST(PathNames, EmptySeparatorMeansSlash) {
    FicSepIni("");
    EXPECT_EQ(ficGlbState().FicSepDir, "/");
    ficGlbReset();
    EXPECT_EQ(FicPathJun("a", "b"), "a/b"); // unset: "/" as well
}

TEST(PathNames, WildcardsMatchWithoutCase) {
    EXPECT_TRUE(ficNameMatches("X.DLL", "*.dll"));
    EXPECT_FALSE(ficNameMatches("x.dllx", "*.dll"));
    EXPECT_TRUE(ficNameMatches("noext", "*.*"));
    EXPECT_TRUE(ficNameMatches("noext", "*."));
    EXPECT_FALSE(ficNameMatches("a.b", "*."));
    EXPECT_TRUE(ficNameMatches("log1.txt", "log?.TXT"));
    EXPECT_FALSE(ficNameMatches("log12.txt", "log?.txt"));
}

} // namespace
