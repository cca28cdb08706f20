#include "HeadlessMessageBox.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

MessageBoxRequest box(MsgButtons buttons, int defaultButton = 1) {
    MessageBoxRequest r;
    r.buttons = buttons;
    r.defaultButton = defaultButton;
    return r;
}

} // namespace

TEST(HeadlessMessageBox, AnswersInQueueOrderThenTheDefault) {
    HeadlessMessageBox mb;
    mb.queueAnswers({MsgAnswer::No, MsgAnswer::Cancel});
    EXPECT_EQ(mb.show(box(MsgButtons::YesNoCancel)), MsgAnswer::No);
    EXPECT_EQ(mb.show(box(MsgButtons::YesNoCancel)), MsgAnswer::Cancel);
    EXPECT_EQ(mb.pendingAnswers(), 0);
    // Queue empty: Enter, i.e. the box's default button, unless a default answer is set.
    EXPECT_EQ(mb.show(box(MsgButtons::YesNo, 2)), MsgAnswer::No);
    mb.setDefaultAnswer(MsgAnswer::Retry);
    EXPECT_EQ(mb.show(box(MsgButtons::RetryCancel, 2)), MsgAnswer::Retry);
    ASSERT_EQ(mb.shown().size(), 4u);
    EXPECT_EQ(mb.shown()[1].answer, MsgAnswer::Cancel);
}

TEST(HeadlessMessageBox, RecordsEveryFieldUntilCleared) {
    HeadlessMessageBox mb;
    MessageBoxRequest r{QStringLiteral("Vynnard"),
                        QStringLiteral("Não\r\n\tx"),
                        MsgIcon::Critical,
                        MsgButtons::AbortRetryIgnore,
                        3,
                        true,
                        0x1234};
    mb.show(r);
    mb.queueAnswer(MsgAnswer::OK);
    ASSERT_EQ(mb.shown().size(), 1u);
    const MessageBoxRequest& s = mb.shown()[0].request;
    EXPECT_EQ(std::tie(s.title, s.text, s.icon, s.buttons, s.defaultButton, s.beep, s.parent),
              std::tie(r.title, r.text, r.icon, r.buttons, r.defaultButton, r.beep, r.parent));
    EXPECT_EQ(mb.shown()[0].answer, MsgAnswer::Ignore);
    mb.clear();
    EXPECT_TRUE(mb.shown().empty());
    EXPECT_EQ(mb.pendingAnswers(), 0);
}

TEST(HeadlessMessageBox, InputBoxTextCancelAndDefaultText) {
    HeadlessMessageBox mb;
    mb.queueInput(QStringLiteral("typed"));
    mb.queueInput(std::nullopt);
    mb.queueInput(QString()); // accepted with an empty line: not the same as cancelled
    InputBoxRequest r{QStringLiteral("Nome?"), QStringLiteral("T"), QStringLiteral("def"), 7};
    EXPECT_EQ(mb.input(r), std::optional<QString>(QStringLiteral("typed")));
    EXPECT_EQ(mb.input(r), std::nullopt);
    EXPECT_EQ(mb.input(r), std::optional<QString>(QString()));
    EXPECT_EQ(mb.input(r), std::optional<QString>(QStringLiteral("def")));
    ASSERT_EQ(mb.inputsShown().size(), 4u);
    EXPECT_EQ(mb.inputsShown()[3].parent, WindowHandle(7));
}

TEST(MessageBoxStyle, DecodeEncodeEnterAndClose) {
    struct Case {
        int style;
        MsgButtons buttons;
        MsgIcon icon;
        MsgAnswer enter;
        MsgAnswer close;
    };
    const Case cases[] = {
        {0, MsgButtons::OK, MsgIcon::None, MsgAnswer::OK, MsgAnswer::OK},
        {512, MsgButtons::OK, MsgIcon::None, MsgAnswer::OK, MsgAnswer::OK}, // no 3rd button
        {4 + 32 + 256, MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No, MsgAnswer::No},
        {3 + 16 + 512, MsgButtons::YesNoCancel, MsgIcon::Critical, MsgAnswer::Cancel,
         MsgAnswer::Cancel},
        {1 + 48, MsgButtons::OKCancel, MsgIcon::Exclamation, MsgAnswer::OK, MsgAnswer::Cancel},
        {5 + 64, MsgButtons::RetryCancel, MsgIcon::Information, MsgAnswer::Retry,
         MsgAnswer::Cancel},
        {2 + 256, MsgButtons::AbortRetryIgnore, MsgIcon::None, MsgAnswer::Retry, MsgAnswer::Abort},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        MessageBoxRequest r;
        // Modality and alignment bits are accepted and dropped.
        ASSERT_TRUE(msgStyleDecode(c.style + 4096 + 524288, r));
        EXPECT_EQ(r.buttons, c.buttons);
        EXPECT_EQ(r.icon, c.icon);
        EXPECT_EQ(msgStyle(r), c.style);
        EXPECT_EQ(msgDefaultAnswer(r), c.enter);
        EXPECT_EQ(msgCloseAnswer(r.buttons), c.close);
    }
    MessageBoxRequest untouched;
    for (int bad : {6, 15, 80, 112}) {
        EXPECT_FALSE(msgStyleDecode(bad, untouched)) << bad;
        EXPECT_EQ(msgStyle(untouched), 0);
    }
}
