// Control arrays: elements loaded at run time as copies of the design element, the errors of
// Load and Unload, the array and the form as script objects, and controls that outlive their
// widget.
#include "Convert.h"
#include "TestSupport.h"
#include "VbCheckBox3D.h"
#include "VbControlArray.h"
#include "VbForm.h"
#include "VbFrame3D.h"
#include "VbLabel.h"
#include "VbOptionButton.h"
#include "VbRichTextBox.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace zv;

namespace {

using zvtest::errorOf;

std::vector<int> walk(Dispatch& collection) {
    std::vector<int> indexes;
    auto e = collection.enumerate();
    Variant v;
    while (e->next(v))
        indexes.push_back(CInt(v.rawObject()->get("Index")));
    return indexes;
}

} // namespace

TEST(UiControlArray, LoadedElementsCopyTheDesignElementHidden) {
    VbForm form;
    auto design = form.addArray<VbLabel>(QStringLiteral("laVyn"));
    design->put("Caption", QStringLiteral("modelo"));
    design->put("Left", 150);
    design->put("Width", 1500);
    design->put("FontBold", true);
    design->put("BackStyle", 0);
    design->put("Tag", QStringLiteral("t"));
    design->put("Alignment", 2);

    auto seven = form.loadElement(QStringLiteral("LAVYN"), 7); // names are case-blind
    EXPECT_EQ(seven->name(), QStringLiteral("laVyn"));
    EXPECT_EQ(CInt(seven->get("Index")), 7);
    EXPECT_FALSE(CBool(seven->get("Visible")));
    EXPECT_TRUE(CBool(design->get("Visible")));
    EXPECT_EQ(toText(seven->get("Caption")), QStringLiteral("modelo"));
    EXPECT_EQ(toDouble(seven->get("Left")), 150);
    EXPECT_EQ(toDouble(seven->get("Width")), 1500);
    EXPECT_TRUE(CBool(seven->get("FontBold")));
    EXPECT_EQ(CInt(seven->get("BackStyle")), 0);
    EXPECT_EQ(CInt(seven->get("Alignment")), 2);
    EXPECT_EQ(toText(seven->get("Tag")), QStringLiteral("t"));
    EXPECT_EQ(seven->widget()->parentWidget(), &form);

    // The element is its own control from now on.
    seven->put("Caption", QStringLiteral("sete"));
    EXPECT_EQ(toText(design->get("Caption")), QStringLiteral("modelo"));
    EXPECT_EQ(form.control(QStringLiteral("laVyn"), 7), seven);
    EXPECT_EQ(form.control(QStringLiteral("laVyn"), 3), nullptr);
    EXPECT_EQ(form.control(QStringLiteral("laVyn")), nullptr); // an array needs an index
}

// A loaded element takes the size its design has: the size that the same caption, font, width
// and word wrap fit to, as a label given them one by one has it, also once AutoSize goes off.
TEST(UiControlArray, AnAutoSizeElementHasTheSizeItsCaptionFits) {
    VbForm form;
    const QString caption = QStringLiteral("Um texto que ocupa mais de uma linha quando parte");
    int n = 0;
    for (const bool wrap : {false, true}) {
        auto design = form.addArray<VbLabel>(QStringLiteral("laVyn%1").arg(n));
        auto plain = form.addArray<VbLabel>(QStringLiteral("laRef%1").arg(n));
        for (const auto& l : {design, plain}) {
            l->put("AutoSize", false);
            l->put("Width", 1200);
            l->put("WordWrap", wrap);
            l->put("FontSize", 11);
            l->put("Caption", caption);
            l->put("AutoSize", true);
        }
        auto loaded = form.loadElement(QStringLiteral("laVyn%1").arg(n), 1);
        const double width = toDouble(plain->get("Width"));
        const double height = toDouble(plain->get("Height"));
        EXPECT_EQ(wrap, width == 1200) << "wrapping keeps the width, else the text sets it";
        EXPECT_GT(height, 0);
        EXPECT_EQ(toDouble(loaded->get("Width")), width) << wrap;
        EXPECT_EQ(toDouble(loaded->get("Height")), height) << wrap;
        loaded->put("AutoSize", false);
        EXPECT_EQ(toDouble(loaded->get("Width")), width) << wrap;
        EXPECT_EQ(toDouble(loaded->get("Height")), height) << wrap;
        // Its own caption is fitted as the design's is.
        loaded->put("AutoSize", true);
        loaded->put("Caption", QStringLiteral("Curto"));
        plain->put("Caption", QStringLiteral("Curto"));
        EXPECT_EQ(toDouble(loaded->get("Width")), toDouble(plain->get("Width"))) << wrap;
        EXPECT_EQ(toDouble(loaded->get("Height")), toDouble(plain->get("Height"))) << wrap;
        ++n;
    }
}

TEST(UiControlArray, LoadAndUnloadErrors) {
    VbForm form;
    form.addArray<VbLabel>(QStringLiteral("laVyn"));
    form.addControl<VbLabel>(QStringLiteral("single"));
    form.loadElement(QStringLiteral("laVyn"), 2);
    const struct {
        const char* what;
        std::function<void()> op;
        int error;
    } rows[] = {
        {"load again", [&] { form.loadElement(QStringLiteral("laVyn"), 2); }, 360},
        {"load negative", [&] { form.loadElement(QStringLiteral("laVyn"), -1); }, 340},
        {"load too far", [&] { form.loadElement(QStringLiteral("laVyn"), 32768); }, 340},
        {"load no array", [&] { form.loadElement(QStringLiteral("single"), 1); }, 343},
        {"load unknown", [&] { form.loadElement(QStringLiteral("nada"), 1); }, 343},
        {"unload design", [&] { form.unloadElement(QStringLiteral("laVyn"), 0); }, 362},
        {"unload not loaded", [&] { form.unloadElement(QStringLiteral("laVyn"), 5); }, 340},
        {"unload no array", [&] { form.unloadElement(QStringLiteral("single"), 0); }, 343},
        {"name in use", [&] { form.addControl<VbLabel>(QStringLiteral("LAVYN")); }, 5},
    };
    for (const auto& r : rows)
        EXPECT_EQ(errorOf(r.op), r.error) << r.what;
    EXPECT_EQ(form.elements(QStringLiteral("laVyn")).size(), 2u);
}

TEST(UiControlArray, TheArrayAndTheFormAsScriptObjects) {
    VbForm form;
    form.addArray<VbCheckBox3D>(QStringLiteral("ckVyn"));
    form.addControl<VbLabel>(QStringLiteral("laTit"));
    for (int i : {4, 9})
        form.loadElement(QStringLiteral("ckVyn"), i);

    auto array = form.controlArray(QStringLiteral("ckVyn"));
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(CLng(array->get("Count")), 3);
    EXPECT_EQ(CInt(array->get("LBound")), 0);
    EXPECT_EQ(CInt(array->get("UBound")), 9);
    EXPECT_EQ(walk(*array), (std::vector<int>{0, 4, 9}));
    EXPECT_EQ(errorOf([&] { array->get("Item", {Variant(5)}); }), 340);

    // form.ckVyn(4).Value = 1 and form.laTit.Caption, as a script writes them.
    DispatchPtr f = form.object();
    f->get("ckVyn", {Variant(4)}).rawObject()->put("Value", 1);
    EXPECT_EQ(CInt(form.control(QStringLiteral("ckVyn"), 4)->get("Value")), 1);
    EXPECT_EQ(f->get("CKVYN").rawObject(), DispatchPtr(array));
    f->get("laTit").rawObject()->put("Caption", QStringLiteral("Título"));
    EXPECT_EQ(toText(form.control(QStringLiteral("laTit"))->get("Caption")),
              QStringLiteral("Título"));
    EXPECT_EQ(errorOf([&] { f->get("nada"); }), err::NoSuchMember);

    // The Controls collection lists every control, in the order they were made.
    DispatchPtr controls = f->get("Controls").rawObject();
    EXPECT_EQ(CLng(controls->get("Count")), 4);
    EXPECT_EQ(toText(controls->get("Item", {Variant(1)}).rawObject()->get("Name")),
              QStringLiteral("laTit"));
    form.unloadElement(QStringLiteral("ckVyn"), 4);
    EXPECT_EQ(CLng(controls->get("Count")), 3);
    EXPECT_EQ(walk(*array), (std::vector<int>{0, 9}));
}

TEST(UiControlArray, AnUnloadedElementRaises364AndItsWidgetGoes) {
    VbForm form;
    form.addArray<VbLabel>(QStringLiteral("laVyn"));
    auto held = form.loadElement(QStringLiteral("laVyn"), 1); // as a script may hold it
    QPointer<QWidget> widget = held->widget();
    form.unloadElement(QStringLiteral("laVyn"), 1);
    EXPECT_FALSE(held->isAlive());
    EXPECT_EQ(errorOf([&] { held->get("Caption"); }), 364);
    EXPECT_EQ(errorOf([&] { held->put("Left", 0); }), 364);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(widget.isNull());

    // The element can be loaded again; a form that goes takes its controls with it.
    auto again = form.loadElement(QStringLiteral("laVyn"), 1);
    auto array = form.controlArray(QStringLiteral("laVyn"));
    auto* doomed = new VbForm;
    auto orphan = doomed->addControl<VbLabel>(QStringLiteral("la"));
    DispatchPtr formObject = doomed->object();
    delete doomed;
    EXPECT_EQ(errorOf([&] { orphan->get("Caption"); }), 364);
    EXPECT_EQ(errorOf([&] { formObject->get("Caption"); }), 364);
    EXPECT_TRUE(again->isAlive());
    EXPECT_EQ(CLng(array->get("Count")), 2);
}

TEST(UiControlArray, ElementsInAContainerStayInIt) {
    VbForm form;
    auto frame = form.addControl<VbFrame3D>(QStringLiteral("frOpc"));
    auto design = form.addArray<VbOptionButton>(QStringLiteral("obOpc"), frame);
    design->put("Visible", false);
    design->put("Value", true); // the hidden template holds the choice
    auto one =
        std::static_pointer_cast<VbOptionButton>(form.loadElement(QStringLiteral("obOpc"), 1));
    auto two =
        std::static_pointer_cast<VbOptionButton>(form.loadElement(QStringLiteral("obOpc"), 2));
    EXPECT_EQ(one->widget()->parentWidget(), frame->widget());
    EXPECT_EQ(one->get("Container").rawObject(), DispatchPtr(frame));
    EXPECT_FALSE(one->value()); // a new element does not take the choice
    EXPECT_TRUE(CBool(design->get("Value")));
    two->put("Value", true);
    EXPECT_FALSE(CBool(design->get("Value")));
    design->put("Value", true);
    EXPECT_FALSE(two->value());
}

// A loaded element is on top of its siblings, on a form not yet shown (where it already is the
// last one made) and on a shown form (where it must also be made to join the window), also after
// an element was sent to the back.
TEST(ControlArray, LoadedElementsComeOnTop) {
    VbForm form;
    auto design = form.addArray<VbLabel>(QStringLiteral("la"));
    auto other = form.addControl<VbCheckBox3D>(QStringLiteral("ck"));
    const auto topOf = [&] { return form.children().constLast(); };
    auto first = form.loadElement(QStringLiteral("la"), 1);
    EXPECT_EQ(topOf(), first->widget());
    first->zOrder(1);
    EXPECT_EQ(form.children().constFirst(), first->widget());
    form.show();
    auto second = form.loadElement(QStringLiteral("la"), 2);
    EXPECT_EQ(topOf(), second->widget());
    EXPECT_TRUE(second->widget()->testAttribute(Qt::WA_WState_Created));
    other->zOrder(0);
    auto third = form.loadElement(QStringLiteral("la"), 3);
    EXPECT_EQ(topOf(), third->widget());
}

// A loaded rich-text element shows its design's text; of an empty design it is empty, its
// document as a new panel's (nothing to undo, not modified), and it takes text as any panel.
TEST(UiControlArray, RichTextElementsCopyTheDesignText) {
    VbForm form;
    auto design = form.addArray<VbRichTextBox>(QStringLiteral("rtfVyn"));
    design->put("FontSize", 14);
    auto empty = std::dynamic_pointer_cast<VbRichTextBox>(form.loadElement("rtfVyn", 1));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->text(), QString());
    EXPECT_TRUE(empty->document()->isEmpty());
    EXPECT_FALSE(empty->document()->isUndoAvailable());
    EXPECT_FALSE(empty->document()->isModified());
    EXPECT_EQ(empty->textEdit()->textCursor().position(), 0);
    EXPECT_EQ(empty->document()->defaultFont().pointSize(), 14);
    empty->put("Text", QStringLiteral("um\r\ndois"));
    EXPECT_EQ(empty->text(), QStringLiteral("um\ndois"));

    design->put("Text", QStringLiteral("modelo\rfim"));
    auto copied = std::dynamic_pointer_cast<VbRichTextBox>(form.loadElement("rtfVyn", 2));
    EXPECT_EQ(copied->text(), QStringLiteral("modelo\nfim"));
    EXPECT_FALSE(copied->document()->isModified());
    EXPECT_EQ(design->text(), QStringLiteral("modelo\nfim"));
}
