// Message outputs: the main form's status bar, a message zone, the numbered message list that
// keeps its newest line in view; each show pumps events, and a form closed while they are
// pumped leaves controls that answer "gone" instead of dangling.
#include "FormsTestSupport.h"
#include "HeadlessEventPump.h"
#include "ScopedProcessContext.h"
#include "VbLabel.h"
#include "VbListBox.h"
#include "VbRichTextBox.h"
#include "VbStatusBar.h"

#include <QListWidget>
#include <QScrollBar>
#include <utility>

using namespace zv;
using zvtest::errorOf;
using zvtest::TestForm;

namespace {

struct FormMessages : ::testing::Test {
    ScopedProcessContext context;
    HeadlessEventPump& pump = *context.headless().pump;
    TestForm form{9000, 6000};
    SupFrm frm;
    FormMessages() { frm.RegFrm(&form); }

    std::shared_ptr<VbStatusBar> statusBar(int panels) {
        auto bar = form.addControl<VbStatusBar>(QStringLiteral("sBar"));
        for (int i = 0; i < panels; ++i)
            bar->addPanel(QStringLiteral("p%1").arg(i + 1));
        bar->setSimpleText(QStringLiteral("simple"));
        return bar;
    }
    QString listLine(int line) {
        Variant text{QString()};
        frm.MsgLisCon(text, line);
        return text.rawString();
    }
};

} // namespace

TEST_F(FormMessages, StatusBarShowsPanelsOrSimpleTextAndPumpsEachTime) {
    auto bar = statusBar(3);
    frm.MsgSbaVer(2, Variant(QStringLiteral("A copiar")));
    EXPECT_EQ(bar->panelText(2), QStringLiteral("A copiar"));
    EXPECT_EQ(bar->style(), VbStatusBar::kPanels);
    frm.MsgSbaVer(0, Variant(12.5));
    EXPECT_EQ(bar->simpleText(), QStringLiteral("12.5"));
    EXPECT_EQ(bar->style(), VbStatusBar::kSimple);
    EXPECT_EQ(pump.pumpCount(), 2);

    Variant text{QString()}, number{int16_t(0)};
    frm.MsgSbaCon(2, text);
    EXPECT_EQ(text.rawString(), QStringLiteral("A copiar"));
    frm.MsgSbaCon(0, number);
    EXPECT_EQ(number.numericValue(), 12.5);

    // Scripts reach the panels through the Panels collection.
    const DispatchPtr panels = bar->get(QStringLiteral("Panels")).rawObject();
    EXPECT_EQ(panels->get(QStringLiteral("Count")).numericValue(), 3);
    const DispatchPtr second =
        panels->call(QStringLiteral("Item"), {Variant(int16_t(2))}).rawObject();
    EXPECT_EQ(second->get(QStringLiteral("Text")).rawString(), QStringLiteral("A copiar"));
    EXPECT_EQ(errorOf([&] { panels->call(QStringLiteral("Item"), {Variant(int16_t(4))}); }), 9);

    // A panel beyond the bar's changes nothing, not even the style.
    frm.MsgSbaVer(4, Variant(QStringLiteral("x")));
    EXPECT_EQ(bar->style(), VbStatusBar::kSimple);
    EXPECT_EQ(bar->panelText(3), QStringLiteral("p3"));

    // Emptied, the bar ends in panel style with every panel empty.
    frm.MsgSbaLpz();
    EXPECT_EQ(bar->style(), VbStatusBar::kPanels);
    EXPECT_EQ(bar->simpleText(), QString());
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(bar->panelText(i), QString());
}

TEST_F(FormMessages, WithoutAStatusBarNothingHappensAndNothingIsRead) {
    frm.MsgSbaVer(1, Variant(QStringLiteral("x")));
    frm.MsgSbaLpz();
    Variant text{QStringLiteral("old")};
    frm.MsgSbaCon(1, text);
    EXPECT_EQ(text.rawString(), QString());
    SupFrm none; // no main form at all
    none.MsgSbaVer(0, Variant(QStringLiteral("x")));
}

TEST_F(FormMessages, ZoneIsALabelsCaptionOrATextBoxsText) {
    auto label = form.addControl<VbLabel>(QStringLiteral("laMsg"));
    label->setCaption(QStringLiteral("old"));
    frm.MsgZonReg(label);
    EXPECT_EQ(label->caption(), QString()); // emptied at registration
    frm.MsgZonVer(Variant(QStringLiteral("A instalar")));
    EXPECT_EQ(label->caption(), QStringLiteral("A instalar"));
    Variant back{QString()};
    frm.MsgZonCon(back);
    EXPECT_EQ(back.rawString(), QStringLiteral("A instalar"));

    auto box = form.addControl<VbRichTextBox>(QStringLiteral("txMsg"));
    frm.MsgZonReg(box);
    frm.MsgZonVer(Variant(int32_t(7)));
    EXPECT_EQ(box->text(), QStringLiteral("7"));
    frm.MsgZonCon(back);
    EXPECT_EQ(back.rawString(), QStringLiteral("7"));
}

TEST_F(FormMessages, ListNumbersItsLinesKeepingTheLastDigits) {
    auto list = form.addControl<VbListBox>(QStringLiteral("lsMsg"));
    frm.MsgLisReg(list, 0, 3);
    for (int i = 1; i <= 1000; ++i)
        frm.MsgLisJun(Variant(QStringLiteral("m%1").arg(i)));
    EXPECT_EQ(listLine(1), QStringLiteral("001 - m1"));
    EXPECT_EQ(listLine(10), QStringLiteral("010 - m10"));
    EXPECT_EQ(listLine(1000), QStringLiteral("000 - m1000"));

    frm.MsgLisPrp(list, 0); // emptied, no numbers
    frm.MsgLisJun(Variant(QStringLiteral("só o texto")));
    EXPECT_EQ(list->listCount(), 1);
    EXPECT_EQ(listLine(1), QStringLiteral("só o texto"));
}

TEST_F(FormMessages, ListKeepsTheNewestLinesInView) {
    auto list = form.addControl<VbListBox>(QStringLiteral("lsMsg"));
    list->move(0, 0, 3000, 900); // fewer than five lines show
    zvtest::showAndSettle(form);
    frm.MsgLisReg(list, 5, 0);
    for (int i = 1; i <= 7; ++i)
        frm.MsgLisJun(Variant(QStringLiteral("linha %1").arg(i)));
    EXPECT_EQ(list->topIndex(), 2); // the last five lines from the third
    EXPECT_EQ(pump.pumpCount(), 7);

    // Without a line count, each new line goes to the top of the view.
    frm.MsgLisReg(list, 0, 0);
    for (int i = 1; i <= 7; ++i)
        frm.MsgLisJun(Variant(QStringLiteral("linha %1").arg(i)));
    EXPECT_EQ(list->topIndex(), list->listWidget()->verticalScrollBar()->maximum());
    EXPECT_GT(list->topIndex(), 2);
}

TEST_F(FormMessages, ListLinesAreReadAndReplacedByNumber) {
    auto list = form.addControl<VbListBox>(QStringLiteral("lsMsg"));
    frm.MsgLisPrp(list, 0);
    for (const char* t : {"um", "dois", "três"})
        frm.MsgLisJun(Variant(QString::fromUtf8(t)));
    EXPECT_EQ(listLine(1), QStringLiteral("um"));
    Variant last{QString()};
    frm.MsgLisCon(last);
    EXPECT_EQ(last.rawString(), QStringLiteral("três"));

    frm.MsgLisSbt(Variant(QStringLiteral("DOIS")), 2);
    frm.MsgLisSbt(Variant(QStringLiteral("fim")));
    frm.MsgLisSbt(Variant(QStringLiteral("fora")), 9); // no such line: nothing
    EXPECT_EQ(list->list(1), QStringLiteral("DOIS"));
    EXPECT_EQ(list->list(2), QStringLiteral("fim"));
    EXPECT_EQ(list->listCount(), 3);
    Variant outside{QStringLiteral("old")};
    frm.MsgLisCon(outside, 9);
    EXPECT_EQ(outside.rawString(), QString());
}

TEST_F(FormMessages, AListNotRegisteredRaises) {
    EXPECT_EQ(errorOf([&] { frm.MsgLisJun(Variant(QStringLiteral("x"))); }), 91);
    auto list = form.addControl<VbListBox>(QStringLiteral("lsMsg"));
    frm.MsgLisPrp(list, 2);
    frm.MsgLisLib();
    EXPECT_EQ(errorOf([&] { frm.MsgLisLpz(); }), 91);
    Variant text{QStringLiteral("old")};
    frm.MsgLisCon(text); // passed over
    EXPECT_EQ(text.rawString(), QString());
}

TEST_F(FormMessages, AFormClosedDuringThePumpLeavesItsControlsGone) {
    auto* closing = new TestForm(9000, 6000);
    auto bar = closing->addControl<VbStatusBar>(QStringLiteral("sBar"));
    bar->addPanel();
    auto list = closing->addControl<VbListBox>(QStringLiteral("lsMsg"));
    auto label = closing->addControl<VbLabel>(QStringLiteral("laMsg"));
    frm.RegFrm(closing);
    frm.MsgLisPrp(list, 3);
    frm.MsgZonReg(label);
    // The person closes the form while the first message is shown.
    pump.setHook([&] {
        if (closing) delete std::exchange(closing, nullptr);
    });
    frm.MsgLisJun(Variant(QStringLiteral("primeira")));
    EXPECT_EQ(closing, nullptr);
    EXPECT_EQ(errorOf([&] { frm.MsgLisJun(Variant(QStringLiteral("segunda"))); }), 364);
    frm.MsgSbaVer(1, Variant(QStringLiteral("x")));
    frm.MsgSbaLpz();
    frm.MsgZonVer(Variant(QStringLiteral("x")));
    Variant text{QStringLiteral("old")};
    frm.MsgZonCon(text);
    EXPECT_EQ(text.rawString(), QString());
    frm.MsgLisCon(text);
    EXPECT_EQ(text.rawString(), QString());
}
