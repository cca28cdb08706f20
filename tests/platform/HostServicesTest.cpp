#include "HeadlessEventPump.h"
#include "HeadlessShellOperationUi.h"

#include <gtest/gtest.h>

using namespace zv;

TEST(EventPump, BusyTokensNestAndTheHookSeesThem) {
    HeadlessEventPump pump;
    std::vector<bool> busyAtPump;
    pump.setHook([&] { busyAtPump.push_back(pump.isBusy()); });
    pump.pump();
    {
        auto outer = pump.busy();
        { auto inner = pump.busy(); }
        pump.pump(); // the inner token's end must not clear the outer one
    }
    pump.pump();
    EXPECT_EQ(busyAtPump, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(pump.pumpCount(), 3);

    int runs = 0; // a hook that clears itself while it runs
    pump.setHook([&] {
        ++runs;
        pump.setHook({});
    });
    pump.pump();
    pump.pump();
    EXPECT_EQ(runs, 1);
}

TEST(HeadlessShellOperationUi, QueuesPerQuestionThenTheDefault) {
    HeadlessShellOperationUi ui;
    ui.queueReplace(ShellConfirm::No);
    ui.queueReplace(ShellConfirm::YesToAll);
    ui.queueMakeDir(ShellConfirm::Cancel);
    const QString a = QStringLiteral("/a"), b = QStringLiteral("/b");
    // Each question takes from its own queue, whatever the order of the questions.
    EXPECT_EQ(ui.confirmMakeDir(a), ShellConfirm::Cancel);
    EXPECT_EQ(ui.confirmReplace(a, b), ShellConfirm::No);
    EXPECT_EQ(ui.confirmDelete({a}, true), ShellConfirm::Yes);
    EXPECT_EQ(ui.confirmReplace(b, a), ShellConfirm::YesToAll);
    EXPECT_EQ(ui.confirmReplace(a, b), ShellConfirm::Yes);
    ui.setDefaultConfirm(ShellConfirm::Cancel);
    EXPECT_EQ(ui.confirmMakeDir(b), ShellConfirm::Cancel);
    ASSERT_EQ(ui.replaceAsked().size(), 3u);
    EXPECT_EQ(ui.replaceAsked()[1], std::make_pair(b, a));
    EXPECT_EQ(ui.makeDirAsked(), (QStringList{a, b}));
}

TEST(HeadlessShellOperationUi, CancelAfterNFilesCountsPerOperation) {
    HeadlessShellOperationUi ui;
    ui.cancelAfter(2);
    for (int op = 0; op < 2; ++op) {
        ui.begin({ShellOp::Copy, QStringLiteral("Copiar"), true, false, 3, 0, 9});
        int copied = 0;
        while (copied < 3 && !ui.cancelRequested())
            ui.progress(QStringLiteral("/s"), QStringLiteral("/t"), ++copied, 0);
        ui.end();
        EXPECT_EQ(copied, 2) << "operation " << op;
    }
    EXPECT_EQ(ui.calls().mid(0, 7), (QStringList{"begin", "cancel?", "progress", "cancel?",
                                                 "progress", "cancel?", "end"}));
    EXPECT_EQ(ui.progressLog().size(), 4u);
    ui.cancelAfter(-1);
    ui.begin({});
    EXPECT_FALSE(ui.cancelRequested());
}
