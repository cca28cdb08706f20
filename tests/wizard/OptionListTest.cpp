// The option-list control: filling, layout by increments and spread evenly, choosing and its
// event, caption alignment codes, colour schemes and the members scripts reach.

#include "Convert.h"
#include "ScopedProcessContext.h"
#include "Twips.h"
#include "VbColor.h"
#include "VbForm.h"
#include "VbFrame3D.h"
#include "VbOptionButton.h"
#include "ZelOpc.h"

#include <QFontMetrics>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zv;

namespace {

// Lengths as a widget holds them: whole pixels.
double onScreen(double twips) {
    return pixelsToTwips(twipsToPixels(twips));
}

// A click on an option's button (its indicator, at the left).
void clickOption(const std::shared_ptr<VbOptionButton>& o) {
    QRadioButton* r = o->radioButton();
    QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(6, r->height() / 2));
}

class OptionList : public ::testing::Test {
protected:
    OptionList() {
        form.setClientSize(9000, 7200);
        list = form.addControl<ZelOpc>(QStringLiteral("lista"));
        list->move(300, 300, 4500, 1800);
    }

    void fill(std::initializer_list<const char*> captions) {
        list->RegIni();
        int n = 0;
        for (const char* c : captions)
            list->RegOpc(QString::fromUtf8(c), QStringLiteral("adi%1").arg(++n));
    }

    double sampleHeight() const {
        double w = 0, h = 0;
        list->TxDim(false, QString(), w, h);
        return h;
    }

    ScopedProcessContext ctx;
    VbForm form;
    std::shared_ptr<ZelOpc> list;
};

} // namespace

TEST_F(OptionList, FilledOptionsWaitHiddenAndNoneIsChosen) {
    fill({"Um", "Dois", "Três"});
    EXPECT_EQ(list->OpcNum(), 3);
    EXPECT_EQ(list->opcUsa(), 0); // the hidden template holds the choice
    for (int i = 0; i <= 3; ++i)
        EXPECT_FALSE(list->option(i)->visible()) << i;
    fill({"Só"}); // filling again starts from nothing
    EXPECT_EQ(list->OpcNum(), 1);
    EXPECT_EQ(list->option(2), nullptr);

    // With no option, spreading and laying out do nothing (no division by zero).
    list->RegIni();
    EXPECT_EQ(list->OpcNum(), 0);
    EXPECT_NO_THROW(list->AjtPosY(0, 0, 1));
    EXPECT_NO_THROW(list->RegAsp(300, 0, Variant(int16_t(0)), Variant("+30")));
    EXPECT_FALSE(list->option(0)->visible());
}

TEST_F(OptionList, LaidOutByIncrements) {
    fill({"Um", "Dois", "Três"});
    list->RegAsp(300, 0, Variant(int16_t(0)), Variant("+30"));
    const double h = sampleHeight();
    ASSERT_GT(h, 0);
    for (int i = 1; i <= 3; ++i) {
        const auto o = list->option(i);
        EXPECT_TRUE(o->visible());
        EXPECT_EQ(o->left(), 300);
        EXPECT_EQ(o->top(), onScreen(roundHalfEven((i - 1) * (h + 30)))) << i;
        EXPECT_EQ(o->width(), onScreen(4500 - 300 - 60)) << i;
    }
    EXPECT_EQ(list->option(0)->left(), 300);

    // Numbers are the increments themselves.
    list->RegAsp(150, 90, Variant(int32_t(600)), Variant(int16_t(300)));
    EXPECT_EQ(list->option(3)->left(), onScreen(150 + 2 * 600));
    EXPECT_EQ(list->option(3)->top(), onScreen(90 + 2 * 300));
}

TEST_F(OptionList, SpreadEvenlyOverTheHeight) {
    fill({"Um", "Dois", "Três"});
    list->RegAsp(300, 0, Variant(int16_t(0)), Variant("+30"));
    const double h = sampleHeight();

    // Without a border no caption counts: the shares run from 0 to 30 twips above the bottom.
    list->setBorderVisible(false);
    list->AjtPosY(0, 0, 1);
    double step = (1800 - 30 - h) / 3;
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(list->option(i)->top(),
                  onScreen(roundHalfEven(step / 2 - h / 2 + (i - 1) * step)))
            << i;

    // With the border and a caption, the caption's height is left free at the top; centre 0
    // starts each option at the top of its share.
    list->setBorderVisible(true);
    list->setCaption(QStringLiteral("Destino"));
    double cw = 0, c = 0;
    list->TxDim(true, QStringLiteral("Destino"), cw, c);
    list->AjtPosY(60, 90, 0);
    const double y1 = roundHalfEven(60 + c);
    step = (roundHalfEven(1800 - 30 - 90) - y1 - h) / 3;
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(list->option(i)->top(), onScreen(roundHalfEven(y1 + (i - 1) * step))) << i;
    EXPECT_EQ(list->option(1)->left(), 300); // left and width stay
}

TEST_F(OptionList, ClickChoosesAndRaisesOpcSel) {
    fill({"Um", "Dois", "Três"});
    list->RegAsp(300, 0, Variant(int16_t(0)), Variant("+30"));
    list->setVisible(true);
    form.show();
    std::vector<int> raised;
    int pumpsAtEvent = -1;
    list->setOpcSelHandler([&](int index) {
        raised.push_back(index);
        pumpsAtEvent = ctx.headless().pump->pumpCount();
    });
    ctx.headless().pump->resetCount();

    clickOption(list->option(2));
    EXPECT_EQ(list->opcUsa(), 2);
    EXPECT_EQ(raised, std::vector<int>{2});
    EXPECT_EQ(pumpsAtEvent, 1); // the pump ran once before the event

    clickOption(list->option(3));
    EXPECT_EQ(list->opcUsa(), 3);
    EXPECT_EQ(raised, (std::vector<int>{2, 3}));

    // Filling again takes the choice back to the template and raises nothing.
    list->RegOpc(QStringLiteral("Quatro"), QString());
    EXPECT_EQ(list->opcUsa(), 0);
    EXPECT_EQ(raised.size(), 2u);
    form.hide();
}

TEST_F(OptionList, CaptionAlignmentCodes) {
    struct Case {
        const char* code;
        const char* read; // after the code
    };
    const Case cases[] = {{"9", ">"}, {"x", ">"},    {" <", "<"}, {"8", "|"},
                          {"7", "<"}, {"|abc", "|"}, {">", ">"},  {"", ">"}};
    for (const Case& c : cases) {
        list->setTitAli(QString::fromLatin1(c.code));
        EXPECT_EQ(list->TitAli(), QString::fromLatin1(c.read)) << c.code;
    }
}

TEST_F(OptionList, ColourSchemesAndColours) {
    fill({"Um", "Dois"});
    list->RegAsp(300, 0, Variant(int16_t(0)), Variant("+30"));

    list->CorTip(QStringLiteral("ip-qualquer coisa"));
    EXPECT_EQ(list->colourScheme(), QStringLiteral("IP"));
    EXPECT_FALSE(list->widget()->autoFillBackground()); // the form's picture shows through
    EXPECT_FALSE(list->option(1)->widget()->autoFillBackground());
    list->CorTip(QString());
    EXPECT_EQ(list->colourScheme(), QStringLiteral("N"));
    EXPECT_TRUE(list->widget()->autoFillBackground());

    form.setBackColor(vbRgb(10, 20, 30));
    form.setForeColor(vbRgb(200, 0, 0));
    list->CorTip(QStringLiteral(" p "));
    EXPECT_EQ(list->colourScheme(), QStringLiteral("P"));
    EXPECT_EQ(list->frame().backColor(), vbRgb(10, 20, 30));
    EXPECT_EQ(list->frame().foreColor(), vbRgb(200, 0, 0));

    // Colours: -1 keeps what the list has; a fore colour reaches every option.
    list->setBackColor(vbRgb(1, 2, 3));
    list->setBackColor(kNoColor);
    EXPECT_EQ(list->backColor(), vbRgb(1, 2, 3));
    list->setOptionForeColor(vbRgb(0, 0, 255));
    list->setOptionForeColor(kNoColor);
    for (int i = 0; i <= 2; ++i)
        EXPECT_EQ(list->option(i)->foreColor(), vbRgb(0, 0, 255)) << i;
    EXPECT_THROW(list->setBackColor(0x7FFFFFFF), VbError);
}

TEST_F(OptionList, ScriptsReachTheMembers) {
    // As the engine and scripts call it: late bound, by name.
    DispatchPtr obj = list;
    obj->call(QStringLiteral("RegIni"));
    obj->call(QStringLiteral("RegOpc"), {Variant("Um"), Variant("/opt")});
    obj->call(QStringLiteral("RegOpc"), {Variant("Dois"), Variant("~")});
    obj->call(QStringLiteral("RegAsp"),
              {Variant(int16_t(300)), Variant(int16_t(0)), Variant(int16_t(0)), Variant("+30")});
    obj->call(QStringLiteral("AjtPosY"),
              {Variant(int16_t(0)), Variant(int16_t(0)), Variant(int16_t(1))});
    EXPECT_EQ(CInt(obj->call(QStringLiteral("OpcNum"))), 2);
    obj->put(QStringLiteral("opcUsa"), Variant(int16_t(1)));
    EXPECT_EQ(CInt(obj->get(QStringLiteral("opcUsa"))), 1);
    obj->put(QStringLiteral("opcUsa"), Variant(int16_t(9))); // no such option: no change
    EXPECT_EQ(list->opcUsa(), 1);

    // Each value by the type of the caller's variable; no option empties both by type.
    std::vector<Variant> args{Variant(int16_t(2)), Variant(QString()), Variant(QString())};
    obj->call(QStringLiteral("ConOpc"), args);
    EXPECT_EQ(args[1].rawString(), QStringLiteral("Dois"));
    EXPECT_EQ(args[2].rawString(), QStringLiteral("~"));
    args = {Variant(int16_t(1)), Variant(QString()), Variant(int16_t(7))};
    obj->call(QStringLiteral("ConOpc"), args);
    EXPECT_TRUE(args[2].isDouble()); // "/opt" read as a number
    args = {Variant(int16_t(5)), Variant(QString("x")), Variant(int16_t(7))};
    obj->call(QStringLiteral("ConOpc"), args);
    EXPECT_EQ(args[1].rawString(), QString());
    EXPECT_TRUE(args[2].isInteger16() && args[2].rawInteger() == 0);
    list->option(1)->setValue(false); // no element chosen at all
    EXPECT_EQ(list->opcUsa(), -1);
    obj->put(QStringLiteral("BorderVisible"), Variant(false));
    EXPECT_EQ(list->borderFlag(), 0);
    EXPECT_FALSE(list->frame().visible());
    // The font members only keep what they are given; FontItalic is no member.
    obj->put(QStringLiteral("FontName"), Variant("Serif"));
    EXPECT_EQ(list->FontName(), QStringLiteral("Serif"));
    EXPECT_THROW(obj->put(QStringLiteral("FontItalic"), Variant(true)), VbError);
}

// The sample is measured in the options' font as it is now, also after a change of font and
// back, and the same in a list of its own.
TEST_F(OptionList, TheSampleIsMeasuredInTheCurrentFont) {
    const auto expected = [&](const QFont& f) {
        const QFontMetrics fm(f);
        return std::pair(pixelsToTwips(fm.horizontalAdvance(QStringLiteral("AÃÇ"))),
                         pixelsToTwips(fm.height()));
    };
    const auto measured = [](const ZelOpc& l) {
        double w = 0, h = 0;
        l.TxDim(false, QString(), w, h);
        return std::pair(w, h);
    };
    QFont small = list->optionFont();
    small.setPointSize(8);
    QFont large = small;
    large.setPointSize(20);
    large.setBold(true);
    for (const QFont& f : {small, large, small}) {
        list->setOptionFont(f);
        EXPECT_EQ(measured(*list), expected(f)) << f.toString().toStdString();
    }
    EXPECT_GT(expected(large).first, expected(small).first);
    auto other = form.addControl<ZelOpc>(QStringLiteral("outra"));
    other->setOptionFont(large);
    EXPECT_EQ(measured(*other), expected(large));
    EXPECT_EQ(measured(*list), expected(small));
}
