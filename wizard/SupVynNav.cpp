// SupVyn: the wizard's run: the four buttons, entering and leaving pages, the buttons of each
// page and the history of the pages visited.
//
// What a button does on a page is its transition's kind (TRATIP):
//   "PAG"  every button goes to the page TRAPAG names;
//   "FX"   Next calls TRAFX(current page) and goes to the page whose identifier it returns;
//          Back calls it and goes to the page number it returns; Confirm and Cancel call
//          TRAFX() and stay. A call that fails stays on the page: it has no page to give.
//   "FIM"  Back and Next as empty; Confirm nothing; Cancel unloads the window;
//   empty  Back goes to the previous page of the history, Next to the following page, Confirm
//          does nothing, Cancel asks (before the last page) and unloads the window.
// A target outside the page table ends the program, without the script's "FxFim".

#include "SupVyn.h"

#include "Convert.h"
#include "GlbMsg.h"
#include "MessageBoxService.h"
#include "ProcessContext.h"
#include "Text.h"
#include "TxtGlb.h"
#include "WizardButtons.h"
#include "ZelVynGlb.h"

namespace zv {

namespace {

// The title of the engine's own plain message boxes: the program's.
const QString kProgramTitle = QStringLiteral("ZelVyn");

// A message box with only an OK button and no icon, titled with the program's title.
void plainBox(const QString& text) {
    MessageBoxRequest request;
    request.title = kProgramTitle;
    request.text = text;
    request.icon = MsgIcon::None;
    request.buttons = MsgButtons::OK;
    ProcessContext::current().messageBox().show(request);
}

QString quoted(const QString& name) {
    return u'"' + name + u'"';
}

int16_t page16(int page) {
    if (page < -32768 || page > 32767) throw VbError(err::Overflow);
    return int16_t(page);
}

} // namespace

const PagDef& SupVyn::pagReg(int number) const {
    if (number < 0 || number >= int(pag_.size())) throw VbError(err::SubscriptOutOfRange);
    return pag_[size_t(number)];
}

// ---- the buttons ----

TraDef SupVyn::transition(TraIdx button) const {
    TraDef t;
    vbTrap([&] { t = pagReg(PagAtu).Tra[button]; });
    return t;
}

void SupVyn::goToPageNamed(const QString& ide) {
    vbTrap([&] {
        int n = -1;
        PagLoc(ide, n);
        PagAtu = page16(n);
    });
}

void SupVyn::changePage(int16_t old, TraIdx button, const QString& target) {
    vbTrap([&] { PagEsc(old); });
    if (PagAtu < 1 || PagAtu > PagNum()) {
        // The run ends on entering it: say which page was missing and what led there.
        QString missing = QStringLiteral("a página %1 não existe").arg(target);
        if (target.isEmpty())
            missing = button == TraIdx::TraAnt ? QStringLiteral("não há página anterior")
                                               : QStringLiteral("não há página seguinte");
        QString from;
        vbTrap([&] { from = quoted(pagReg(old).IDE); });
        writeErrorLine(QStringLiteral("%1 (botão %2 da página %3 %4): o assistente termina")
                           .arg(missing, wizardButton(button).word.toString())
                           .arg(old)
                           .arg(from));
    }
    vbTrap([&] { PagVer(PagAtu); });
}

bool SupVyn::callPageFx(const QString& fx, Variant& value) {
    bool called = false;
    vbTrap([&] { called = VbsCall(Variant::list({Variant(fx), Variant(PagAtu)}), value); });
    return called;
}

void SupVyn::runFx(const QString& fx) {
    Variant value;
    vbTrap([&] { VbsExe(Variant::list({Variant(fx)}), value); });
}

void SupVyn::stepPage(TraIdx button, const std::function<QString(const Variant&)>& fxPage,
                      const std::function<void()>& plainStep) {
    const EventPump::BusyToken busy = ProcessContext::current().pump().busy();
    const int16_t old = PagAtu;
    const TraDef t = transition(button);
    QString target;
    if (t.Kind == TraKind::Pag) {
        goToPageNamed(t.TRAPAG);
        target = quoted(t.TRAPAG);
    } else if (t.Kind == TraKind::Fx) {
        Variant value;
        if (!callPageFx(t.TRAFX, value)) return; // no page to go to: the page stays as it is
        target = fxPage(value);
    } else {
        plainStep();
    }
    changePage(old, button, target);
}

void SupVyn::TraSeg() {
    stepPage(
        TraIdx::TraSeg,
        [this](const Variant& value) {
            const QString ide = TxCnv(value);
            goToPageNamed(ide);
            return quoted(ide);
        },
        [this] { vbTrap([&] { PagAtu = page16(PagAtu + 1); }); });
}

void SupVyn::TraAnt() {
    stepPage(
        TraIdx::TraAnt,
        [this](const Variant& value) {
            // A value that is no number leaves the page number as it is: the page is left and
            // entered again.
            vbTrap([&] { PagAtu = CInt(value); });
            return QString::number(PagAtu);
        },
        [this] { vbTrap([&] { PagLstAnt(PagAtu); }); });
}

void SupVyn::TraCnf() {
    const EventPump::BusyToken busy = ProcessContext::current().pump().busy();
    const int16_t old = PagAtu;
    const TraDef t = transition(TraIdx::TraCnf);
    if (t.Kind == TraKind::Pag) {
        goToPageNamed(t.TRAPAG);
        changePage(old, TraIdx::TraCnf, quoted(t.TRAPAG));
    } else if (t.Kind == TraKind::Fx) {
        runFx(t.TRAFX);
    }
}

void SupVyn::TraCan() {
    const EventPump::BusyToken busy = ProcessContext::current().pump().busy();
    const int16_t old = PagAtu;
    const TraDef t = transition(TraIdx::TraCan);
    const auto unload = [this] {
        if (window_) window_->unloadWindow();
    };
    if (t.Kind == TraKind::Pag) {
        goToPageNamed(t.TRAPAG);
        changePage(old, TraIdx::TraCan, quoted(t.TRAPAG));
    } else if (t.Kind == TraKind::Fx) {
        runFx(t.TRAFX);
    } else if (t.Kind == TraKind::Fim) {
        vbTrap(unload);
    } else if (PagAtu < PagNum()) {
        // Before the last page the person is asked first.
        int answer = 0;
        vbTrap([&] {
            MsgExe(QStringLiteral("? SN 2 _B"), QStringLiteral("Terminar"),
                   Variant(zelVynGlbState().MsgCan), answer);
        });
        if (answer == 1) vbTrap(unload);
    } else {
        vbTrap(unload);
    }
}

// ---- entering and leaving pages ----

void SupVyn::PagVer(int page) {
    const EventPump::BusyToken busy = ProcessContext::current().pump().busy();
    // A page outside the table ends the program, at once: nothing more of the script runs.
    if (page < 1 || page > PagNum()) throw ProgramEnd(0);
    const VbTrapped failed = vbTrap([&] {
        PagLstSeg(page);
        const PagDef p = pagReg(page);
        if (!p.FxPagEnt.isEmpty()) {
            Variant value;
            VbsExe(Variant::list({Variant(p.FxPagEnt)}), value);
        }
        PagPrp(page);
        // The page's own controls, by their place in the control table: controls without an
        // Ide, or sharing one, are each shown on their own page.
        for (int i = p.CmpIni; i <= p.CmpFim && i < int(cmp_.size()); ++i) {
            const QString& sit = cmp_[size_t(i)].Sit;
            CmpSitAlt(Variant(control(i)), sit.isEmpty() ? QStringLiteral("VER") : sit);
        }
    });
    if (failed)
        plainBox(QStringLiteral("Erro\n\n%1: %2").arg(failed.number()).arg(failed->description()));
}

void SupVyn::PagEsc(int page) {
    const EventPump::BusyToken busy = ProcessContext::current().pump().busy();
    if (page > PagNum()) {
        plainBox(QStringLiteral("Página pretendida não existe"));
        throw ProgramEnd(0);
    }
    const PagDef p = pagReg(page);
    if (!p.FxPagSai.isEmpty()) {
        Variant value;
        VbsExe(Variant::list({Variant(p.FxPagSai)}), value);
    }
    for (int i = p.CmpIni; i <= p.CmpFim && i < int(cmp_.size()); ++i)
        CmpSitAlt(Variant(control(i)), QStringLiteral("INV"));
}

void SupVyn::PagPrp(int page) {
    const PagDef& p = pagReg(page);
    if (!p.Img.isEmpty() && window_) ImgFun(*window_, p.Img);
    for (const WizardButton& b : kWizardButtons) {
        DispatchPtr button;
        int found = 0;
        CmpObjNom(b.name.toString(), button, found);
        const TraDef& t = p.Tra[b.index];
        if (t.IDE.isEmpty()) {
            CmpSitAlt(Variant(button), QStringLiteral("INV"));
            continue;
        }
        if (!button) continue; // a window without its buttons
        button->put(QStringLiteral("Caption"), Variant(t.DES));
        CmpSitAlt(Variant(button), t.SIT.isEmpty() ? QStringLiteral("VER") : t.SIT);
        CmpPosAlt(button, Variant(t.X), Variant(t.Y));
    }
}

void SupVyn::PagLstSeg(int page) {
    if (PagLst.back() == page) return;
    if (PagLst.size() > 32767) throw VbError(err::Overflow);
    PagLst.push_back(page16(page));
}

void SupVyn::PagLstAnt(int16_t& page) {
    page = -1;
    const size_t n = PagLst.size() - 1;
    if (n > 1) {
        page = PagLst[n - 1];
        PagLst.resize(n - 1); // the entry of the page is pushed again when it is entered
    }
}

void SupVyn::CmpSitAlt(const Variant& control, const QString& list) {
    if (list.isEmpty()) return;
    DispatchPtr obj;
    CmpObj(control, obj);
    if (!obj) return;
    for (const QString& part : list.split(u',')) {
        const QString word = UCase(Trim(part));
        if (word == u"INV")
            obj->put(QStringLiteral("Visible"), Variant(false));
        else if (word == u"VER")
            obj->put(QStringLiteral("Visible"), Variant(true));
        else if (word == u"ACT")
            obj->put(QStringLiteral("Enabled"), Variant(true));
        else if (word == u"DES")
            obj->put(QStringLiteral("Enabled"), Variant(false));
    }
}

} // namespace zv
