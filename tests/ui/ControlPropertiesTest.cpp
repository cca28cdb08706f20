// Controls through their late-bound members: geometry in twips, colours, fonts, own flags, the
// members each kind has and lacks, and the behaviour of each kind that callers rely on.
#include "Convert.h"
#include "TestSupport.h"
#include "Twips.h"
#include "UiTestSupport.h"
#include "VbCheckBox3D.h"
#include "VbColor.h"
#include "VbCommandButton.h"
#include "VbForm.h"
#include "VbFrame3D.h"
#include "VbImage.h"
#include "VbLabel.h"
#include "VbLine.h"
#include "VbListBox.h"
#include "VbOptionButton.h"
#include "VbPictureBox.h"
#include "VbRichTextBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QScreen>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace zv;

namespace {

using zvtest::errorOf;

double num(const Variant& v) {
    return toDouble(v);
}

// One control of every kind that has a position, on one form.
struct AllKinds {
    VbForm form;
    std::vector<std::shared_ptr<VbControl>> controls;
    AllKinds() {
        controls = {form.addControl<VbLabel>(QStringLiteral("la")),
                    form.addControl<VbCommandButton>(QStringLiteral("cm")),
                    form.addControl<VbCheckBox3D>(QStringLiteral("ck")),
                    form.addControl<VbOptionButton>(QStringLiteral("ob")),
                    form.addControl<VbFrame3D>(QStringLiteral("fr")),
                    form.addControl<VbPictureBox>(QStringLiteral("pb")),
                    form.addControl<VbImage>(QStringLiteral("im")),
                    form.addControl<VbRichTextBox>(QStringLiteral("rtf")),
                    form.addControl<VbListBox>(QStringLiteral("lb"))};
    }
};

} // namespace

TEST(UiScreen, TheTestScreenIsFixed) {
    const QScreen* s = QGuiApplication::primaryScreen();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->geometry(), QRect(0, 0, 1024, 768));
    EXPECT_EQ(s->logicalDotsPerInch(), 96);
    EXPECT_EQ(screenWidthTwips(), 15360);
    EXPECT_EQ(screenHeightTwips(), 11520);
}

TEST(UiTwips, PixelsRoundHalfToEvenAndStayInRange) {
    const struct {
        double twips;
        int px;
    } rows[] = {{0, 0},
                {15, 1},
                {7.5, 0},
                {22.5, 2},
                {37.5, 2},
                {100, 7},
                {-30000, -2000},
                {1e300, QWIDGETSIZE_MAX},
                {-1e300, -QWIDGETSIZE_MAX}};
    for (const auto& r : rows)
        EXPECT_EQ(twipsToPixels(r.twips), r.px) << r.twips;
}

TEST(UiControl, GeometryInTwipsForEveryKind) {
    AllKinds all;
    for (const auto& c : all.controls) {
        SCOPED_TRACE(c->typeName().toStdString());
        c->put("Left", 150);
        c->put("Top", int32_t(300));
        c->put("Width", 1500.0);
        c->put("Height", QStringLiteral("450")); // coerced as the language does
        EXPECT_EQ(c->widget()->geometry(), QRect(10, 20, 100, 30));
        EXPECT_EQ(c->get("Left").varType(), vbSingle);
        EXPECT_EQ(num(c->get("Left")), 150);
        EXPECT_EQ(num(c->get("Top")), 300);
        EXPECT_EQ(num(c->get("Width")), 1500);
        EXPECT_EQ(num(c->get("Height")), 450);

        // Positions snap to whole pixels; a negative size is refused and changes nothing.
        c->put("Left", 100);
        EXPECT_EQ(num(c->get("Left")), 105);
        c->put("Top", -30000);
        EXPECT_EQ(c->widget()->y(), -2000);
        EXPECT_EQ(errorOf([&] { c->put("Width", -15); }), err::InvalidPropertyValue);
        EXPECT_EQ(num(c->get("Width")), 1500);
        EXPECT_EQ(errorOf([&] { c->put("Left", QStringLiteral("abc")); }), err::TypeMismatch);

        c->call("Move", {Variant(30), Variant(45), Variant(600)});
        EXPECT_EQ(c->widget()->geometry(), QRect(2, 3, 40, 30));
        EXPECT_EQ(errorOf([&] {
                      c->call("Move", {Variant(0), Variant(0), Variant(-1)});
                  }),
                  err::InvalidPropertyValue);
        EXPECT_EQ(c->widget()->geometry(), QRect(2, 3, 40, 30));
    }
}

TEST(UiControl, VisibleAndEnabledAreTheControlsOwnFlags) {
    AllKinds all;
    all.form.setEnabled(false); // the form is hidden and disabled
    for (const auto& c : all.controls) {
        SCOPED_TRACE(c->typeName().toStdString());
        EXPECT_FALSE(c->widget()->isVisible());
        EXPECT_TRUE(CBool(c->get("Visible")));
        EXPECT_TRUE(CBool(c->get("Enabled")));
        c->put("Visible", false);
        c->put("Enabled", false);
        EXPECT_FALSE(CBool(c->get("Visible")));
        EXPECT_FALSE(CBool(c->get("Enabled")));
        c->put("Visible", true);
        c->put("Enabled", true);
    }
    all.form.setEnabled(true);
    all.form.show();
    EXPECT_TRUE(all.controls[0]->widget()->isVisible());
}

TEST(UiControl, ColoursAreTheLanguagesNumbers) {
    AllKinds all;
    const qint32 buttonFace = qint32(0x8000000Fu);
    const QColor face = QApplication::palette().color(QPalette::Active, QPalette::Button);
    for (const auto& c : all.controls) {
        if (c->memberId(QStringLiteral("BackColor")) == kDispIdUnknown) continue;
        SCOPED_TRACE(c->typeName().toStdString());
        c->put("BackColor", vbRgb(255, 0, 0));
        EXPECT_EQ(CLng(c->get("BackColor")), 255);
        c->put("BackColor", int32_t(-1)); // keeps the colour (a rich-text box turns transparent)
        if (c->typeName() != "RichTextBox") {
            EXPECT_EQ(CLng(c->get("BackColor")), 255);
        }
        for (int32_t bad : {0x1000000, -2, int32_t(0x80000100u)})
            EXPECT_EQ(errorOf([&] { c->put("BackColor", bad); }), err::InvalidPropertyValue);
        c->put("BackColor", buttonFace); // a system colour reads back as the RGB in use
        EXPECT_EQ(CLng(c->get("BackColor")), qColorToVb(face));
        if (c->memberId(QStringLiteral("ForeColor")) != kDispIdUnknown) {
            c->put("ForeColor", vbRgb(0, 0, 255));
            EXPECT_EQ(CLng(c->get("ForeColor")), 0xFF0000);
            c->put("ForeColor", int32_t(-1));
            EXPECT_EQ(CLng(c->get("ForeColor")), 0xFF0000);
        }
    }
}

TEST(UiControl, FontsByName) {
    AllKinds all;
    for (const auto& c : all.controls) {
        if (c->memberId(QStringLiteral("FontName")) == kDispIdUnknown) continue;
        SCOPED_TRACE(c->typeName().toStdString());
        c->put("FontName", QStringLiteral("DejaVu Serif"));
        c->put("FontSize", 12);
        c->put("FontBold", true);
        c->put("FontItalic", true);
        c->put("FontUnderline", true);
        const QFont f = c->widget()->font();
        EXPECT_EQ(f.family(), QStringLiteral("DejaVu Serif"));
        EXPECT_EQ(f.pointSizeF(), 12);
        EXPECT_TRUE(f.bold() && f.italic() && f.underline());
        EXPECT_EQ(toText(c->get("FontName")), QStringLiteral("DejaVu Serif"));
        EXPECT_EQ(num(c->get("FontSize")), 12);
        EXPECT_EQ(errorOf([&] { c->put("FontSize", 0); }), err::InvalidPropertyValue);
        EXPECT_EQ(errorOf([&] { c->put("FontName", QString()); }), err::InvalidPropertyValue);
    }
}

// The members each kind has (and, where callers rely on their absence, lacks).
TEST(UiControl, EachKindHasTheLanguagesMembers) {
    VbForm form;
    const struct {
        std::shared_ptr<VbControl> control;
        const char* has;
        const char* lacks;
    } rows[] = {
        {form.addControl<VbLabel>(QStringLiteral("la")),
         "Caption Alignment AutoSize WordWrap BackStyle ForeColor Tag Index Container",
         "Value Text hWnd"},
        {form.addControl<VbCommandButton>(QStringLiteral("cm")), "Caption Value hWnd BackColor",
         "ForeColor Alignment Text"},
        {form.addControl<VbCheckBox3D>(QStringLiteral("ck")),
         "Caption Value Alignment BackStyle ForeColor hWnd", "Text"},
        {form.addControl<VbOptionButton>(QStringLiteral("ob")), "Caption Value Alignment",
         "Text BackStyle"},
        {form.addControl<VbFrame3D>(QStringLiteral("fr")),
         "Caption BevelInner BevelOuter BevelWidth BorderWidth Font3D PictureBackground "
         "PictureBackgroundStyle",
         "Value"},
        {form.addControl<VbPictureBox>(QStringLiteral("pb")), "Picture AutoSize hWnd hDC",
         "Caption"},
        {form.addControl<VbImage>(QStringLiteral("im")), "Picture Stretch BorderStyle",
         "hWnd BackColor FontName"},
        {form.addControl<VbRichTextBox>(QStringLiteral("rtf")), "Text Locked LoadFile BackColor",
         "Caption ForeColor Alignment Value"},
        {form.addControl<VbListBox>(QStringLiteral("lb")),
         "AddItem RemoveItem Clear ListCount List ListIndex TopIndex Text", "Caption"},
        {form.addControl<VbLine>(QStringLiteral("ln")), "X1 Y1 X2 Y2 BorderColor Visible ZOrder",
         "Left Width Move Enabled hWnd"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.control->typeName().toStdString());
        for (const QString& m : QString::fromLatin1(r.has).split(u' '))
            EXPECT_NE(r.control->memberId(m.toLower()), kDispIdUnknown) << m.toStdString();
        for (const QString& m : QString::fromLatin1(r.lacks).split(u' ')) {
            EXPECT_EQ(r.control->memberId(m), kDispIdUnknown) << m.toStdString();
            EXPECT_EQ(errorOf([&] { r.control->get(m); }), err::NoSuchMember);
        }
    }
}

TEST(UiLabel, AutoSizeFitsTheCaption) {
    VbForm form;
    auto la = form.addControl<VbLabel>(QStringLiteral("la"));
    const int line = QFontMetrics(la->widget()->font()).height();
    const QString longText = QStringLiteral("uma frase bastante comprida que não cabe numa linha");

    // A width and word wrap: the width stays, the height follows the wrapped text.
    la->put("Width", 1200);
    la->put("WordWrap", true);
    la->put("AutoSize", true);
    la->put("Caption", longText);
    EXPECT_EQ(la->widget()->width(), 80);
    EXPECT_GT(la->widget()->height(), 2 * line);
    la->put("Caption", QStringLiteral("curta"));
    EXPECT_EQ(la->widget()->width(), 80);
    EXPECT_EQ(la->widget()->height(), line);

    // Without word wrap the label takes the size of its one line, also after a font change.
    la->put("WordWrap", false);
    la->put("Caption", longText);
    EXPECT_EQ(la->widget()->size(), la->label()->sizeHint());
    la->put("FontSize", 20);
    EXPECT_EQ(la->widget()->size(), la->label()->sizeHint());

    // Without AutoSize nothing moves.
    la->put("AutoSize", false);
    la->put("Width", 300);
    la->put("Caption", longText + longText);
    EXPECT_EQ(la->widget()->width(), 20);
}

// A label out of sight fits its text only when it is shown or its size is read: whatever was
// changed in between, it ends with the size of a label on the screen that fitted after every
// change.
TEST(UiLabel, AHiddenLabelEndsWithTheSizeOfAShownOne) {
    const QString text = QStringLiteral("uma frase bastante comprida que não cabe numa linha");
    using Step = std::function<void(VbLabel&)>;
    const std::vector<std::vector<Step>> sequences = {
        // Fitted on one line, then wrapped at the width that fit gave.
        {[&](VbLabel& l) { l.put("AutoSize", true); }, [&](VbLabel& l) { l.put("Caption", text); },
         [](VbLabel& l) { l.put("WordWrap", true); },
         [](VbLabel& l) { l.put("Caption", QStringLiteral("curta")); }},
        // AutoSize on, then off: the size of the fit stays.
        {[](VbLabel& l) { l.put("Width", 900); }, [](VbLabel& l) { l.put("WordWrap", true); },
         [&](VbLabel& l) { l.put("Caption", text); }, [](VbLabel& l) { l.put("AutoSize", true); },
         [](VbLabel& l) { l.put("AutoSize", false); }, [](VbLabel& l) { l.put("Width", 3000); }},
        // Font, alignment and size changes while fitting.
        {[](VbLabel& l) { l.put("AutoSize", true); }, [&](VbLabel& l) { l.put("Caption", text); },
         [](VbLabel& l) { l.put("FontSize", 18); }, [](VbLabel& l) { l.put("Alignment", 2); },
         [](VbLabel& l) { l.put("Height", 2000); }, [](VbLabel& l) { l.put("WordWrap", true); },
         [](VbLabel& l) { l.put("Width", 1500); }, [](VbLabel& l) { l.put("FontBold", true); }},
    };
    for (size_t k = 0; k < sequences.size(); ++k) {
        SCOPED_TRACE(k);
        VbForm form;
        auto shown = form.addControl<VbLabel>(QStringLiteral("shown"));
        auto hidden = form.addControl<VbLabel>(QStringLiteral("hidden"));
        hidden->put("Visible", false);
        form.show();
        for (const Step& step : sequences[k]) {
            step(*shown);
            step(*hidden);
        }
        // The widget of the hidden label is reached without settling it: once shown, it has
        // the size of the shown one.
        QLabel* raw = nullptr;
        for (QLabel* l : form.findChildren<QLabel*>())
            if (l != shown->label()) raw = l;
        ASSERT_NE(raw, nullptr);
        hidden->put("Visible", true);
        EXPECT_EQ(raw->size(), shown->label()->size());
        // Read through the members, without being shown.
        hidden->put("Visible", false);
        for (const Step& step : sequences[k])
            step(*hidden);
        EXPECT_EQ(CInt(hidden->get("Height")), CInt(shown->get("Height")));
        EXPECT_EQ(CInt(hidden->get("Width")), CInt(shown->get("Width")));
    }
}

TEST(UiLabel, CaptionsAlignmentAndTransparency) {
    const struct {
        const char* caption;
        const char* shown;
    } rows[] = {{"&Seguinte", "Seguinte"}, {"A && B", "A & B"}, {"fim&", "fim"}, {"&&&x", "&x"}};
    for (const auto& r : rows)
        EXPECT_EQ(VbLabel::shownText(QString::fromUtf8(r.caption), true),
                  QString::fromUtf8(r.shown));

    VbForm form;
    auto la = form.addControl<VbLabel>(QStringLiteral("la"));
    la->put("Caption", QStringLiteral("Sim & não"));
    EXPECT_EQ(toText(la->defaultValue()), QStringLiteral("Sim & não"));
    EXPECT_EQ(la->label()->text(), QStringLiteral("Sim  não"));
    la->put("UseMnemonic", false);
    EXPECT_EQ(la->label()->text(), QStringLiteral("Sim & não"));

    la->put("Alignment", 2);
    EXPECT_TRUE(la->label()->alignment() & Qt::AlignHCenter);
    la->put("Alignment", 1);
    EXPECT_TRUE(la->label()->alignment() & Qt::AlignRight);
    EXPECT_EQ(errorOf([&] { la->put("Alignment", 3); }), err::InvalidPropertyValue);
    EXPECT_EQ(CInt(la->get("Alignment")), 1);

    // Transparent keeps the colour for later; opaque shows it again.
    la->put("BackColor", vbRgb(0, 128, 0));
    la->put("BackStyle", 0);
    EXPECT_FALSE(la->widget()->autoFillBackground());
    la->put("BackColor", vbRgb(0, 0, 128));
    EXPECT_FALSE(la->widget()->autoFillBackground());
    la->put("BackStyle", 1);
    EXPECT_TRUE(la->widget()->autoFillBackground());
    EXPECT_EQ(la->widget()->palette().color(QPalette::Window), QColor(0, 0, 128));
}

TEST(UiButtons, CheckAndOptionValues) {
    VbForm form;
    auto ck = form.addControl<VbCheckBox3D>(QStringLiteral("ck"));
    ck->put("Value", 1);
    EXPECT_EQ(ck->checkBox()->checkState(), Qt::Checked);
    ck->put("Value", 2);
    EXPECT_EQ(ck->checkBox()->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(ck->defaultValue().varType(), vbInteger);
    EXPECT_EQ(CInt(ck->defaultValue()), 2);
    EXPECT_EQ(errorOf([&] { ck->put("Value", 3); }), err::InvalidPropertyValue);
    ck->put("Alignment", 1);
    EXPECT_EQ(ck->checkBox()->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(errorOf([&] { ck->put("Alignment", 2); }), err::InvalidPropertyValue);
    ck->put("BackStyle", 0);
    EXPECT_FALSE(ck->widget()->autoFillBackground());

    // Options in one container choose one at a time; Value False leaves none chosen.
    auto a = form.addControl<VbOptionButton>(QStringLiteral("a"));
    auto b = form.addControl<VbOptionButton>(QStringLiteral("b"));
    a->put("Value", true);
    b->put("Value", true);
    EXPECT_FALSE(CBool(a->get("Value")));
    EXPECT_TRUE(CBool(b->get("Value")));
    b->put("Value", false);
    EXPECT_FALSE(CBool(a->get("Value")));
    EXPECT_FALSE(CBool(b->get("Value")));
    a->put("Value", true); // the group still works afterwards
    b->put("Value", true);
    EXPECT_FALSE(CBool(a->get("Value")));
}

TEST(UiButtons, ValueTrueClicksTheCommandButton) {
    VbForm form;
    auto cm = form.addControl<VbCommandButton>(QStringLiteral("cm"));
    int clicks = 0;
    cm->setClickHandler([&] { ++clicks; });
    cm->put("Value", true);
    cm->put("Value", false);
    cm->put("Caption", QStringLiteral("&Seguinte >"));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(toText(cm->get("Caption")), QStringLiteral("&Seguinte >"));
}

TEST(UiListBox, ItemsIndexesAndErrors) {
    VbForm form;
    auto lb = form.addControl<VbListBox>(QStringLiteral("lb"));
    for (const char* t : {"um", "dois", "quatro"})
        lb->call("AddItem", {Variant(t)});
    lb->call("AddItem", {Variant("três"), Variant(2)});
    EXPECT_EQ(CInt(lb->get("ListCount")), 4);
    EXPECT_EQ(toText(lb->get("List", {Variant(2)})), QStringLiteral("três"));
    EXPECT_EQ(toText(lb->get("List", {Variant(4)})), QString()); // one past the end
    EXPECT_EQ(errorOf([&] { lb->get("List", {Variant(5)}); }), 381);
    EXPECT_EQ(CInt(lb->get("ListIndex")), -1);
    EXPECT_EQ(toText(lb->defaultValue()), QString());
    lb->put("ListIndex", 1);
    EXPECT_EQ(toText(lb->get("Text")), QStringLiteral("dois"));
    std::vector<Variant> setList{Variant(0), Variant("zero")};
    lb->invokeByName(QStringLiteral("List"), Invoke::Put, argPointers(setList));
    EXPECT_EQ(lb->listWidget()->item(0)->text(), QStringLiteral("zero"));
    lb->call("RemoveItem", {Variant(0)});
    EXPECT_EQ(CInt(lb->get("ListCount")), 3);
    EXPECT_EQ(errorOf([&] { lb->call("RemoveItem", {Variant(3)}); }), err::InvalidCall);
    lb->call("Clear");
    EXPECT_EQ(CInt(lb->get("ListCount")), 0);
}

TEST(UiListBox, TopIndexScrollsItemByItem) {
    VbForm form;
    auto lb = form.addControl<VbListBox>(QStringLiteral("lb"));
    for (int i = 0; i < 7; ++i)
        lb->addItem(QStringLiteral("linha %1").arg(i));
    const int row = lb->listWidget()->sizeHintForRow(0);
    const int frame = 2 * lb->listWidget()->frameWidth();
    lb->widget()->resize(200, 5 * row + frame);
    form.show();
    lb->put("TopIndex", 1);
    EXPECT_EQ(CInt(lb->get("TopIndex")), 1);
    lb->put("TopIndex", 6); // only two more lines fit below the five in view
    EXPECT_EQ(CInt(lb->get("TopIndex")), 2);
}

TEST(UiRichText, TextTransparencyAndFiles) {
    zvtest::TempDir dir;
    VbForm form;
    auto rtf = form.addControl<VbRichTextBox>(QStringLiteral("rtf"));
    rtf->put("Text", QStringLiteral("linha 1\r\nlinha 2\rlinha 3"));
    EXPECT_EQ(toText(rtf->defaultValue()), QStringLiteral("linha 1\nlinha 2\nlinha 3"));

    // -1 makes the panel see-through and reads back as -1; a colour makes it opaque again.
    rtf->put("BackColor", int32_t(-1));
    EXPECT_EQ(CLng(rtf->get("BackColor")), -1);
    EXPECT_FALSE(rtf->textEdit()->viewport()->autoFillBackground());
    EXPECT_EQ(rtf->textEdit()->viewport()->palette().color(QPalette::Base).alpha(), 0);
    rtf->put("BackColor", vbRgb(255, 255, 0));
    EXPECT_EQ(CLng(rtf->get("BackColor")), 0x00FFFF);
    EXPECT_TRUE(rtf->textEdit()->viewport()->autoFillBackground());
    EXPECT_EQ(rtf->textEdit()->viewport()->palette().color(QPalette::Base), QColor(255, 255, 0));

    rtf->put("Locked", true);
    EXPECT_TRUE(rtf->textEdit()->isReadOnly());

    // Without a rich-text reader a file shows as plain text in the encoding it has.
    const QString cp1252 = dir.write(QStringLiteral("a.txt"), QByteArray("Ol\xE1\r\nfim"));
    rtf->call("LoadFile", {Variant(cp1252)});
    EXPECT_EQ(rtf->text(), QStringLiteral("Olá\nfim"));
    // A missing file raises and leaves the panel empty.
    EXPECT_EQ(errorOf([&] { rtf->call("LoadFile", {Variant(dir.path("nada.rtf"))}); }),
              err::FileNotFound);
    EXPECT_EQ(rtf->text(), QString());

    // The installed loader fills the document; its font is the control's.
    rtf->put("FontName", QStringLiteral("DejaVu Serif"));
    VbRichTextBox::setFileLoader([](const QString& path, QTextDocument& doc) {
        doc.setHtml(QStringLiteral("<b>%1</b>").arg(path));
    });
    rtf->loadFile(QStringLiteral("x.rtf"));
    VbRichTextBox::setFileLoader({});
    EXPECT_EQ(rtf->text(), QStringLiteral("x.rtf"));
    EXPECT_EQ(rtf->document()->defaultFont().family(), QStringLiteral("DejaVu Serif"));
}

// A hidden panel keeps what is set on it until it is first shown; its edit then shows the same
// as the edit of a panel that had it from the start, and sits in the panel's place in the tab
// order (between the buttons made before and after it).
TEST(UiRichText, AHiddenPanelShowsWhatWasSetOnItOnceShown) {
    zvtest::TempDir dir;
    const QString file = dir.write(QStringLiteral("a.txt"), QByteArray("do ficheiro"));
    using Step = std::function<void(VbRichTextBox&)>;
    const std::vector<std::vector<Step>> sequences = {
        {[](VbRichTextBox& r) { r.put("Text", QStringLiteral("um\r\ndois")); },
         [](VbRichTextBox& r) { r.put("Locked", true); },
         [](VbRichTextBox& r) { r.put("BackColor", vbRgb(255, 255, 0)); },
         [](VbRichTextBox& r) { r.put("FontName", QStringLiteral("DejaVu Serif")); }},
        // A file loaded, then the font changed and the panel made see-through.
        {[&](VbRichTextBox& r) { r.call("LoadFile", {Variant(file)}); },
         [](VbRichTextBox& r) { r.put("FontSize", 15); },
         [](VbRichTextBox& r) { r.put("BackColor", int32_t(-1)); }},
        // A file that fails after one that loaded leaves the panel empty.
        {[&](VbRichTextBox& r) { r.call("LoadFile", {Variant(file)}); },
         [&](VbRichTextBox& r) {
             EXPECT_EQ(errorOf([&] { r.call("LoadFile", {Variant(file + "x")}); }),
                       err::FileNotFound);
         }},
        // A file after text replaces it.
        {[](VbRichTextBox& r) { r.put("Text", QStringLiteral("antes")); },
         [&](VbRichTextBox& r) { r.call("LoadFile", {Variant(file)}); },
         [](VbRichTextBox& r) { r.put("Width", 2000); }},
    };
    for (size_t k = 0; k < sequences.size(); ++k) {
        SCOPED_TRACE(k);
        VbForm form;
        auto before = form.addControl<VbCommandButton>(QStringLiteral("antes"));
        auto hidden = form.addControl<VbRichTextBox>(QStringLiteral("oculto"));
        auto after = form.addControl<VbCommandButton>(QStringLiteral("depois"));
        auto made = form.addControl<VbRichTextBox>(QStringLiteral("feito"));
        hidden->put("Visible", false);
        made->textEdit();
        form.show();
        for (const Step& step : sequences[k]) {
            step(*made);
            step(*hidden);
        }
        EXPECT_FALSE(hidden->hasTextEdit());
        EXPECT_EQ(CLng(hidden->get("BackColor")), CLng(made->get("BackColor")));
        EXPECT_EQ(CBool(hidden->get("Locked")), CBool(made->get("Locked")));
        hidden->put("Visible", true);
        ASSERT_TRUE(hidden->hasTextEdit());
        QTextEdit* h = hidden->textEdit();
        QTextEdit* m = made->textEdit();
        EXPECT_EQ(h->toPlainText(), m->toPlainText());
        EXPECT_EQ(h->isReadOnly(), m->isReadOnly());
        EXPECT_EQ(h->font(), m->font());
        EXPECT_EQ(h->document()->defaultFont(), m->document()->defaultFont());
        EXPECT_EQ(h->viewport()->palette().color(QPalette::Base),
                  m->viewport()->palette().color(QPalette::Base));
        EXPECT_EQ(h->viewport()->autoFillBackground(), m->viewport()->autoFillBackground());
        EXPECT_EQ(h->size(), hidden->widget()->size());
        EXPECT_TRUE(h->isVisible());

        QWidget* next = before->widget()->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, h);
        next = h->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, after->widget());
    }
}

TEST(UiPictures, FormsPictureBoxesAndImagesLoadFiles) {
    zvtest::TempDir dir;
    const QString red = dir.path("red.bmp");
    zvtest::writePicture(red, 30, 20, Qt::red);
    const QString notPicture = dir.write(QStringLiteral("x.wmf"), QByteArray("not a picture"));

    VbForm form;
    EXPECT_TRUE(form.setPicture(red));
    EXPECT_FALSE(form.setPicture(notPicture));
    EXPECT_FALSE(form.setPicture(dir.path("missing.bmp")));
    EXPECT_EQ(form.picture().size(), QSize(30, 20)); // the picture it had stays
    EXPECT_EQ(toText(form.object()->get("Picture")), red);
    EXPECT_EQ(errorOf([&] { form.object()->put("Picture", notPicture); }), 481);
    form.resize(100, 100);
    EXPECT_EQ(form.grab().toImage().pixelColor(5, 5), QColor(Qt::red));

    auto pb = form.addControl<VbPictureBox>(QStringLiteral("pb"));
    pb->put("AutoSize", true);
    pb->put("Picture", red);
    EXPECT_EQ(pb->widget()->size(), QSize(34, 24)); // the picture and a 2-pixel 3D border
    pb->put("BorderStyle", 0);
    EXPECT_EQ(pb->widget()->size(), QSize(30, 20));
    pb->put("Picture", QString());
    EXPECT_TRUE(pb->picture().isNull());

    auto im = form.addControl<VbImage>(QStringLiteral("im"));
    im->put("Picture", red);
    EXPECT_EQ(im->widget()->size(), QSize(30, 20));
    im->put("Stretch", true);
    im->put("Width", 900);
    EXPECT_EQ(im->widget()->width(), 60);
    EXPECT_EQ(errorOf([&] { im->put("Picture", notPicture); }), 481);
    EXPECT_EQ(toText(im->get("Picture")), red);

    EXPECT_TRUE(form.setIcon(red));
    EXPECT_FALSE(form.windowIcon().isNull());
    EXPECT_FALSE(form.setIcon(notPicture));
    EXPECT_EQ(form.iconPath(), red);
}

TEST(UiFrame3D, BevelsCaptionAndBackground) {
    zvtest::TempDir dir;
    const QString blue = dir.path("blue.bmp");
    zvtest::writePicture(blue, 4, 4, Qt::blue);

    VbForm form;
    auto panel =
        form.addControl<VbFrame3D>(QStringLiteral("spTit"), nullptr, VbFrame3D::Look::Panel);
    EXPECT_EQ(panel->typeName(), QStringLiteral("SSPanel"));
    EXPECT_EQ(CInt(panel->get("Alignment")), 7);
    panel->put("BevelInner", 1);
    panel->put("BevelOuter", 2);
    panel->put("BevelWidth", 2);
    panel->put("Font3D", 3);
    for (const char* m : {"BevelInner", "BevelOuter", "PictureBackgroundStyle"})
        EXPECT_EQ(errorOf([&] { panel->put(m, 3); }), err::InvalidPropertyValue) << m;
    EXPECT_EQ(errorOf([&] { panel->put("Alignment", 9); }), err::InvalidPropertyValue);
    EXPECT_EQ(CInt(panel->get("BevelWidth")), 2);

    panel->put("PictureBackgroundStyle", 2);
    panel->put("PictureBackground", blue);
    panel->put("Caption", QString());
    panel->put("BevelOuter", 0);
    panel->put("BevelInner", 0);
    panel->put("BorderWidth", 0);
    panel->widget()->resize(40, 30);
    EXPECT_EQ(panel->widget()->grab().toImage().pixelColor(20, 15), QColor(Qt::blue));
    panel->put("PictureBackground", QString());
    EXPECT_EQ(toText(panel->get("PictureBackground")), QString());

    auto frame = form.addControl<VbFrame3D>(QStringLiteral("frVyn"));
    EXPECT_EQ(frame->typeName(), QStringLiteral("SSFrame"));
    frame->put("Caption", QStringLiteral("Opções"));
    EXPECT_EQ(toText(frame->defaultValue()), QStringLiteral("Opções"));
    EXPECT_EQ(errorOf([&] { frame->put("Alignment", 3); }), err::InvalidPropertyValue);
}

TEST(UiLine, PointsKeepTheirTwipsAndPlaceTheWidget) {
    VbForm form;
    auto ln = form.addControl<VbLine>(QStringLiteral("mpoTop"));
    ln->put("X1", 100);
    ln->put("Y1", 1000);
    ln->put("X2", 3000);
    ln->put("Y2", 1000);
    EXPECT_EQ(num(ln->get("X1")), 100); // not snapped to pixels
    EXPECT_EQ(num(ln->get("X2")), 3000);
    const QRect g = ln->widget()->geometry();
    EXPECT_LE(g.left(), 6);
    EXPECT_GE(g.right(), 200);
    EXPECT_LE(g.top(), 66);
    EXPECT_GE(g.bottom(), 67);
    ln->put("BorderColor", vbRgb(255, 0, 0));
    EXPECT_EQ(CLng(ln->get("BorderColor")), 255);
    EXPECT_EQ(errorOf([&] { ln->put("BorderStyle", 7); }), err::InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { ln->put("BorderWidth", 0); }), err::InvalidPropertyValue);
}

TEST(UiControl, ContainersParentsAndZOrder) {
    VbForm form;
    form.setName(QStringLiteral("ZelVynAsp"));
    auto frame = form.addControl<VbFrame3D>(QStringLiteral("frOpc"));
    auto inside = form.addControl<VbLabel>(QStringLiteral("laIn"), frame);
    auto outside = form.addControl<VbLabel>(QStringLiteral("laOut"));
    EXPECT_EQ(inside->widget()->parentWidget(), frame->widget());
    EXPECT_EQ(inside->get("Container").rawObject(), DispatchPtr(frame));
    EXPECT_EQ(outside->get("Container").rawObject(), form.object());
    EXPECT_EQ(toText(inside->get("Parent").rawObject()->get("Name")), QStringLiteral("ZelVynAsp"));
    EXPECT_EQ(errorOf([&] { outside->get("Index"); }), 343);

    auto other = form.addControl<VbLabel>(QStringLiteral("laOther"));
    const auto order = [&] { return form.children().indexOf(outside->widget()); };
    const int before = order();
    outside->call("ZOrder");
    EXPECT_GT(order(), before);
    outside->call("ZOrder", {Variant(1)});
    EXPECT_LT(order(), form.children().indexOf(other->widget()));
    EXPECT_EQ(errorOf([&] { outside->call("ZOrder", {Variant(2)}); }), err::InvalidCall);
    EXPECT_NE(CLng(frame->get("hWnd")), 0);
}
