#include "TestSupport.h"
#include "XdgDocumentOpener.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace zv;

namespace {

// An opener whose start records the command instead of running it.
struct Recorder {
    QStringList command;
    int starts = 0;
    XdgDocumentOpener opener() {
        return XdgDocumentOpener(QStringLiteral("xdg-open"),
                                 [this](const QString& p, const QStringList& a) {
                                     command = QStringList{p} + a;
                                     ++starts;
                                     return true;
                                 });
    }
};

} // namespace

TEST(XdgDocumentOpener, FileGoesAsOneAbsoluteArgument) {
    zvtest::TempDir dir;
    for (const QString& name : {QStringLiteral("a b; rm -rf x.txt"), QStringLiteral("-h"),
                                QStringLiteral("\"q\" $HOME `x`.txt")}) {
        SCOPED_TRACE(name.toStdString());
        const QString file = dir.write(name, "x");
        const QStringList expected{QStringLiteral("xdg-open"), file};
        Recorder rec;
        XdgDocumentOpener opener = rec.opener();
        ASSERT_TRUE(opener.open(file));
        EXPECT_EQ(rec.command, expected);
        // Relative: made absolute, so "-h" is no option and the path holds in other folders.
        const QString old = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const bool ok = opener.viewText(name);
        QDir::setCurrent(old);
        ASSERT_TRUE(ok);
        EXPECT_EQ(rec.command, expected);
    }
}

TEST(XdgDocumentOpener, WhatIsOpenedAndWhatIsRefused) {
    zvtest::TempDir dir;
    struct Case {
        QString target;
        bool open, viewText;
    };
    const Case cases[] = {
        {dir.write(QStringLiteral("notes:1.txt"), "x"), true, true}, // a file, not a URL
        {dir.path(), true, false}, // a folder opens, but is no text to view
        {dir.path(QStringLiteral("missing.txt")), false, false},
        {QString(), false, false},
        {QStringLiteral("https://example.org/a b"), true, false},
        {QStringLiteral("C:\\Windows\\x.txt"), false, false}, // a drive, not a scheme
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        Recorder rec;
        XdgDocumentOpener opener = rec.opener();
        EXPECT_EQ(opener.open(c.target), c.open);
        EXPECT_EQ(opener.viewText(c.target), c.viewText);
        EXPECT_EQ(rec.starts, int(c.open) + int(c.viewText)) << "nothing starts for a refusal";
    }
    // The real start reports a program that cannot be started.
    XdgDocumentOpener missing(QStringLiteral("/nonexistent/zelvyn-no-such-opener"));
    EXPECT_FALSE(missing.open(dir.path()));
}
