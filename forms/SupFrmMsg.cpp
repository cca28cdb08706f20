// SupFrm: the message outputs (the main form's status bar, a message zone, a message list).
#include "SupFrm.h"

#include "GlbVar.h"
#include "NumFxd.h"
#include "ProcessContext.h"
#include "SupFrmState.h"
#include "TxtGlb.h"
#include "VbForm.h"
#include "VbListBox.h"
#include "VbStatusBar.h"

namespace zv {

namespace {

// The main form's status bar: 91 without a main form, 364 for a form that is gone, 438 for a
// form without "sBar" or whose "sBar" is no status bar.
VbStatusBar& statusBar(const VbObjectRef& main) {
    if (main.isNothing()) throw VbError(err::ObjectNotSet);
    VbForm* form = main.form();
    if (!form) throw err::ObjectUnloaded();
    auto bar = std::dynamic_pointer_cast<VbStatusBar>(form->control(QStringLiteral("sBar")));
    if (!bar) throw VbError(err::NoSuchMember);
    return *bar;
}

// Shows text on the bar without running the pump.
void showOnBar(const VbObjectRef& main, int panel, const QString& text) {
    vbTrap([&] {
        VbStatusBar& bar = statusBar(main);
        if (panel >= 1) {
            // A panel that is not there changes nothing, the style included.
            bar.setPanelText(panel, text);
            bar.setStyle(VbStatusBar::kPanels);
        } else {
            bar.setSimpleText(text);
            bar.setStyle(VbStatusBar::kSimple);
        }
    });
}

// The last thing an operation that shows a message does: whatever the pump runs may end the
// form and with it this object.
void pumpEvents() {
    ProcessContext::current().pump().pump();
}

VbListBox& registeredList(const std::shared_ptr<VbListBox>& list) {
    if (!list) throw VbError(err::ObjectNotSet);
    return *list;
}

// The list index of a line number: none, the last line; n, index n - 1.
int listIndex(const VbListBox& list, std::optional<int> line) {
    return line ? *line - 1 : list.listCount() - 1;
}

} // namespace

// ---- status bar ----

void SupFrm::MsgSbaVer(int panel, const Variant& text) {
    showOnBar(s_->main, panel, TxCnv(text));
    pumpEvents();
}

void SupFrm::MsgSbaLpz() {
    int panels = 0;
    vbTrap([&] {
        VbStatusBar& bar = statusBar(s_->main);
        bar.setSimpleText(QString());
        panels = bar.panelCount();
    });
    for (int i = 0; i <= panels; ++i)
        showOnBar(s_->main, i, QString());
    pumpEvents();
}

void SupFrm::MsgSbaCon(int panel, Variant& value) const {
    QString text;
    vbTrap([&] {
        const VbStatusBar& bar = statusBar(s_->main);
        text = panel >= 1 ? bar.panelText(panel) : bar.simpleText();
    });
    VarAtr(Variant(text), value);
}

// ---- message zone ----

void SupFrm::MsgZonReg(const DispatchPtr& control) {
    s_->zone = control;
    MsgZonLpz();
}

void SupFrm::MsgZonLpz() {
    MsgZonVer(Variant(QString()));
}

void SupFrm::MsgZonVer(const Variant& text) {
    const Variant shown(TxCnv(text));
    if (const DispatchPtr zone = s_->zone) {
        vbTrap([&] { zone->put(QStringLiteral("Text"), shown); });
        vbTrap([&] { zone->put(QStringLiteral("Caption"), shown); });
    }
    pumpEvents();
}

void SupFrm::MsgZonCon(Variant& value) const {
    QString text;
    if (const DispatchPtr zone = s_->zone) {
        vbTrap([&] { text = CStr(zone->get(QStringLiteral("Text"))); });
        vbTrap([&] { text = CStr(zone->get(QStringLiteral("Caption"))); });
    }
    VarAtr(Variant(text), value);
}

// ---- message list ----

void SupFrm::MsgLisReg(const std::shared_ptr<VbListBox>& list, int visibleLines, int numberWidth) {
    s_->list = list;
    s_->listVisible = visibleLines;
    s_->listNumberWidth = numberWidth;
    MsgLisLpz();
}

void SupFrm::MsgLisPrp(const std::shared_ptr<VbListBox>& list, int numberWidth) {
    MsgLisReg(list, 0, numberWidth);
}

void SupFrm::MsgLisLib() {
    s_->list.reset();
}

void SupFrm::MsgLisLpz() {
    registeredList(s_->list).clear();
}

void SupFrm::MsgLisJun(const Variant& text) {
    VbListBox& list = registeredList(s_->list);
    QString line = TxCnv(text);
    if (s_->listNumberWidth >= 1) {
        QString number;
        NumTxPad(Variant(int32_t(list.listCount() + 1)), s_->listNumberWidth, QStringLiteral("0"),
                 number);
        line = number + QStringLiteral(" - ") + line;
    }
    list.addItem(line);
    // The newest line in view: at the top when the list's height is not known, else at the
    // bottom of the lines it shows.
    const int count = list.listCount();
    if (s_->listVisible < 1)
        list.setTopIndex(count - 1);
    else if (count > s_->listVisible)
        list.setTopIndex(count - s_->listVisible);
    pumpEvents();
}

void SupFrm::MsgLisCon(Variant& value, std::optional<int> line) const {
    QString text;
    vbTrap([&] {
        const VbListBox& list = registeredList(s_->list);
        text = list.list(listIndex(list, line));
    });
    VarAtr(Variant(text), value);
}

void SupFrm::MsgLisSbt(const Variant& text, std::optional<int> line) {
    vbTrap([&] {
        VbListBox& list = registeredList(s_->list);
        list.setList(listIndex(list, line), TxCnv(text));
    });
}

} // namespace zv
