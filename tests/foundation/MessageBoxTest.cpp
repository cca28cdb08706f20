// The coded message box: for each code string the box shown and the answer returned.

#include "Dispatch.h"
#include "GlbMsg.h"
#include "ScopedProcessContext.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

class MessageBox : public ::testing::Test {
protected:
    void TearDown() override { glbMsgReset(); }
    HeadlessMessageBox& box() { return *scope_.headless().messageBox; }
    const MessageBoxRequest& last() { return box().shown().back().request; }
    ScopedProcessContext scope_;
};

} // namespace

TEST_F(MessageBox, CodesChooseTheBoxAndAnswers) {
    // codes, the style shown (buttons + icon + default), beep, button pressed, answer
    struct Case {
        const char* codes;
        int style;
        bool beep;
        MsgAnswer pressed;
        int answer;
    } cases[] = {
        {"", 64, false, MsgAnswer::OK, 1},    // information, OK only
        {"? X", 16, false, MsgAnswer::OK, 1}, // the last icon tested wins
        {"! SN _B", 48 + 4, true, MsgAnswer::No, 0},
        {"? SN 2 _B", 32 + 4 + 256, true, MsgAnswer::Yes, 1},
        {"SNC 3", 64 + 3 + 512, false, MsgAnswer::Cancel, -1}, // "SNC" after "SN"
        {"CNF SC", 64 + 1, false, MsgAnswer::Cancel, -1},      // "SC" after "CNF"
        {"sn", 64, false, MsgAnswer::OK, 1},                   // tokens are case-sensitive
    };
    for (const Case& c : cases) {
        box().queueAnswer(c.pressed);
        int answer = -9;
        MsgExe(c.codes, "Título", Variant("texto"), answer);
        EXPECT_EQ(msgStyle(last()), c.style) << c.codes;
        EXPECT_EQ(last().beep, c.beep) << c.codes;
        EXPECT_EQ(last().title, "Título");
        EXPECT_EQ(answer, c.answer) << c.codes;
    }
    EXPECT_EQ(box().pendingAnswers(), 0);

    int answer = 0;
    MsgExe("", "", Variant("primeira|segunda »fim"), answer);
    EXPECT_EQ(last().text, "primeira\r\nsegunda \tfim");
    MsgExe("", "", Variant(1.5), answer);
    EXPECT_EQ(last().text, "1.5");
}

TEST_F(MessageBox, ConfirmationAndError) {
    box().queueAnswers({MsgAnswer::No, MsgAnswer::Yes});
    int answer = -9;
    MsgCnf("", "Apagar?", answer);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(last().title, "Executar");
    EXPECT_EQ(last().text, "Apagar?\r\n\r\nConfirma ?");
    EXPECT_EQ(msgStyle(last()), 32 + 4 + 256); // question, Yes and No, No the default
    EXPECT_TRUE(last().beep);
    MsgCnf("Instalar", "TIT", answer);
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(last().text, "Instalar\r\n\r\nConfirma ?");

    MsgErr("", "Falhou a cópia", 53);
    EXPECT_EQ(last().title, "Mensagem de Erro");
    EXPECT_EQ(last().text, "Falhou a cópia\r\n\r\nErro :  53 - File not found");
    EXPECT_EQ(msgStyle(last()), 16);
    EXPECT_TRUE(last().beep);
}

TEST_F(MessageBox, SilentMessagesGoToTheLog) {
    QStringList logged;
    auto log = std::make_shared<SimpleDispatch>("SupLogReg");
    log->addMethod("MsgGrpReg", [&](Args args) {
        for (Variant* a : args)
            logged << a->rawString();
        return Variant();
    });
    GlbMsgState& st = glbMsgState();
    st.MsgSil = 1;
    st.MsgLogOb = log;
    st.MsgLogArg = "MSG";
    scope_->setProgramFile("/opt/zelvyn/zelvyn");

    int answer = -9;
    MsgExe("? SN _B", "Título", Variant("a|b"), answer);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(logged.join(u' '), "MSG [TPM=? SN _B][TIT=Título][MSG=a|b][RES=0] zelvyn");
    st.MsgLogOb.reset(); // no log object: the message is dropped quietly
    MsgExe("X", "t", Variant("x"), answer);
    EXPECT_EQ(answer, 0);
    EXPECT_TRUE(box().shown().empty());
}
