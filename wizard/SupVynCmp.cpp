// SupVyn: building the page controls on the wizard window.

#include "SupVyn.h"

#include "Convert.h"
#include "GlbCor.h"
#include "NumFxd.h"
#include "Text.h"
#include "TxtGlb.h"
#include "ZelVynGlbCnv.h"

#include <QHash>

#include <tuple>

namespace zv {

namespace {

// The window's control arrays by control kind.
const QString kLabels = QStringLiteral("laVyn");
const QString kCheckBoxes = QStringLiteral("ckVyn");
const QString kRichText = QStringLiteral("rtfVyn");
const QString kOptionLists = QStringLiteral("ZelOpc");

// The member names are literals: no text is made for each write.
template <size_t N>
void put(const DispatchPtr& obj, const char16_t (&member)[N], const Variant& value) {
    obj->put(QString::fromRawData(reinterpret_cast<const QChar*>(member), qsizetype(N - 1)), value);
}

// A label's, check box's or rich-text panel's font: only with a name; bold and italic are
// switched on, never off.
void applyFont(const DispatchPtr& obj, const CmpDef& c) {
    if (c.FonNom.isEmpty()) return;
    put(obj, u"FontName", Variant(c.FonNom));
    if (c.FonTam > 0) put(obj, u"FontSize", Variant(c.FonTam));
    if (c.FonEst.contains(QStringLiteral("BOLD"))) put(obj, u"FontBold", Variant(true));
    if (c.FonEst.contains(QStringLiteral("ITALIC"))) put(obj, u"FontItalic", Variant(true));
}

// A background of -1 is transparent.
void applyBackground(const DispatchPtr& obj, const CmpDef& c) {
    if (c.CorBg == -1)
        put(obj, u"BackStyle", Variant(int16_t(0)));
    else
        put(obj, u"BackColor", Variant(c.CorBg));
}

// A foreground of -1 keeps the default text colour.
void applyForeground(const DispatchPtr& obj, const CmpDef& c) {
    if (c.CorFg != -1) put(obj, u"ForeColor", Variant(c.CorFg));
}

} // namespace

void SupVyn::PagCmpPrp() {
    // Most controls share their positions and sizes. Each distinct evaluated "x, y" or "w, h"
    // is converted to twips once for the whole build (the conversion reads nothing but its
    // text). An expression text whose two parts are pure and were evaluated (successfully) in
    // this round gives the same twips for as long as the variables hold: it is neither
    // evaluated nor converted again. A conversion that fails keeps nothing, so it fails again,
    // where it stands.
    using Twips = std::pair<int32_t, int32_t>;
    QHash<QString, Twips> positions, sizes, pureAt, pureSized;
    const auto place = [&](QHash<QString, Twips>& pure, QHash<QString, Twips>& known,
                           const QString& expression, auto convert, int32_t& a, int32_t& b) {
        if (zpoValuesHold()) {
            const auto it = pure.constFind(expression);
            if (it != pure.constEnd()) {
                std::tie(a, b) = *it;
                return;
            }
        }
        bool kept = false;
        const QString text = evaluatedPair(expression, &kept);
        const auto it = known.constFind(text);
        if (it != known.constEnd()) {
            std::tie(a, b) = *it;
        } else {
            convert(text, a, b);
            known.insert(text, {a, b});
        }
        if (kept && zpoValuesHold()) pure.insert(expression, {a, b});
    };
    for (int i = 1; i < int(cmp_.size()); ++i) {
        CmpDef& c = cmp_[i];
        // A run-time error names the control and the key whose value caused it.
        const auto at = [&](const QString& key, auto step) {
            try {
                step();
            } catch (const VbError& e) {
                throw VbError(e.number(), e.description() + u' ' + controlPlace(i, key));
            }
        };
        c.X = 0;
        c.Y = 0;
        at(QStringLiteral("Pos"), [&] { place(pureAt, positions, c.Pos, PosTwpCon, c.X, c.Y); });
        at(QStringLiteral("Dim"), [&] { place(pureSized, sizes, c.Dim, DimTwpCon, c.W, c.H); });
        at(QStringLiteral("Cor"), [&] { CorCon(c.Cor, c.CorFg); });
        at(QStringLiteral("Fun"), [&] { CorCon(c.Fun, c.CorBg); });
        at(QStringLiteral("Fon"), [&] { FonTxtCon(c.Fon, c.FonNom, c.FonTam, c.FonEst); });
        at(QStringLiteral("Aln"), [&] { AlnCon(c.Aln, c.AlnVal); });
        c.TxtVer = c.Txt;
        at(QString(), [&] { CmpVer(i); });
    }
}

QString SupVyn::controlPlace(int i, const QString& key) const {
    // The page whose range holds the control; page 0 for controls before the first page.
    int page = 0;
    for (int p = 1; p < int(pag_.size()); ++p)
        if (pag_[p].CmpNum > 0 && pag_[p].CmpIni <= i && i <= pag_[p].CmpFim) page = p;
    const CmpDef& c = cmp_.at(i);
    QString place = QStringLiteral("(página %1 \"%2\", controlo %3 \"%4\"")
                        .arg(page)
                        .arg(pag_[page].IDE)
                        .arg(i)
                        .arg(c.Ide.isEmpty() ? c.Tip : c.Ide);
    if (!key.isEmpty()) place += QStringLiteral(", chave \"%1\"").arg(key);
    return place + u')';
}

// "a, b" of two script expressions separated by the first comma, each evaluated.
QString SupVyn::evaluatedPair(const QString& text, bool* kept) {
    QString rest = text;
    QString first;
    int found = 0;
    TxSep(rest, QStringLiteral(","), first, found);
    bool keptFirst = false, keptRest = false;
    QString pair = VbsCalcTxt(first, &keptFirst) + QStringLiteral(", ");
    pair += VbsCalcTxt(rest, &keptRest);
    if (kept) *kept = keptFirst && keptRest;
    return pair;
}

void SupVyn::CmpVer(int i) {
    const CmpDef& c = cmp_.at(i);
    if (c.Kind == CmpKind::Lab) {
        const DispatchPtr lab = loadControl(kLabels, i);
        controls_[i] = lab;
        put(lab, u"AutoSize", Variant(false));
        if (c.W > 0) {
            put(lab, u"Width", Variant(c.W));
            put(lab, u"WordWrap", Variant(true));
        }
        applyFont(lab, c);
        put(lab, u"Alignment", Variant(c.AlnVal));
        put(lab, u"Caption", Variant(c.TxtVer));
        put(lab, u"Left", Variant(c.X));
        put(lab, u"Top", Variant(c.Y));
        // Fitted to its text once, with its font and caption in place: a fixed width grows
        // downwards, else the label takes the size of its text. A given height then holds (with
        // a given width too, there is nothing left to fit).
        if (c.W <= 0 || c.H <= 0) put(lab, u"AutoSize", Variant(true));
        if (c.H > 0) {
            put(lab, u"AutoSize", Variant(false));
            put(lab, u"Height", Variant(c.H));
        }
        applyBackground(lab, c);
        applyForeground(lab, c);
        put(lab, u"Visible", Variant(false));
    } else if (c.Kind == CmpKind::Ckb) {
        const DispatchPtr ckb = loadControl(kCheckBoxes, i);
        controls_[i] = ckb;
        if (c.W > 0) put(ckb, u"Width", Variant(c.W));
        applyFont(ckb, c);
        put(ckb, u"Caption", Variant(c.TxtVer));
        put(ckb, u"Left", Variant(c.X));
        put(ckb, u"Top", Variant(c.Y));
        if (c.H > 0) put(ckb, u"Height", Variant(c.H));
        applyBackground(ckb, c);
        applyForeground(ckb, c);
        put(ckb, u"Visible", Variant(false));
    } else if (c.Kind == CmpKind::Rtf) {
        const DispatchPtr rtf = loadControl(kRichText, i);
        controls_[i] = rtf;
        if (c.W > 0) put(rtf, u"Width", Variant(c.W));
        applyFont(rtf, c);
        const QString& t = c.TxtVer;
        if (t.startsWith(u'[') && t.endsWith(u']') && t.size() >= 2) {
            // "[file]": the file's content; a folder key inside is replaced by its folder.
            const QString inner = t.mid(1, t.size() - 2);
            QString path = inner;
            const qsizetype open = inner.indexOf(u'[');
            if (open >= 0 && inner.indexOf(u']', open + 1) >= 0) {
                QString before, key, after, folder;
                TxDlmSep(inner, QStringLiteral("[]"), before, key, after);
                OpcDirCon(key, folder);
                path = before + folder + after;
            }
            RtfFicCar(rtf, path);
        } else {
            put(rtf, u"Text", Variant(t));
        }
        put(rtf, u"Left", Variant(c.X));
        put(rtf, u"Top", Variant(c.Y));
        if (c.H > 0) put(rtf, u"Height", Variant(c.H));
        // The panel's own transparent background is its colour -1.
        put(rtf, u"BackColor", Variant(c.CorBg));
        put(rtf, u"Visible", Variant(false));
    } else if (c.Kind == CmpKind::Opc) {
        const DispatchPtr opc = loadControl(kOptionLists, i);
        controls_[i] = opc;
        CmpPosAlt(opc, Variant(c.X), Variant(c.Y));
        CmpDimAlt(opc, Variant(c.W), Variant(c.H));
        CmpCorAlt(opc, Variant(c.CorBg), Variant(c.CorFg));
        put(opc, u"BorderVisible", Variant(false));
        opc->call(QStringLiteral("CorTip"), {Variant("N")});
        opc->call(QStringLiteral("RegIni"));
        put(opc, u"Visible", Variant(false));
        opcAtu_ = opc;
    } else if (c.Kind == CmpKind::OpcTxt) {
        // A definition mistake, not a missing component: the failure of the attempt says so.
        if (!opcAtu_)
            throw VbError(err::ObjectNotSet,
                          QStringLiteral("opção \"OPCTXT\" sem lista \"OPC\" antes dela"));
        opcAtu_->call(QStringLiteral("RegOpc"), {Variant(c.Txt), Variant(c.Adi)});
        opcAtu_->call(QStringLiteral("RegAsp"), {Variant(int16_t(300)), Variant(int16_t(0)),
                                                 Variant(int16_t(0)), Variant("+30")});
        opcAtu_->call(QStringLiteral("AjtPosY"),
                      {Variant(int16_t(0)), Variant(int16_t(0)), Variant(int16_t(1))});
    }
}

void SupVyn::RtfFicCar(const DispatchPtr& box, const QString& path) {
    // A file that cannot be loaded leaves the panel empty.
    vbTrap([&] {
        put(box, u"Text", Variant(QString()));
        box->call(QStringLiteral("LoadFile"), {Variant(path)});
    });
}

void SupVyn::CmpPosAlt(const DispatchPtr& control, const Variant& x, const Variant& y) {
    Variant left, top;
    NumVal(x, left);
    NumVal(y, top);
    put(control, u"Left", left);
    put(control, u"Top", top);
}

void SupVyn::CmpDimAlt(const DispatchPtr& control, const Variant& w, const Variant& h) {
    if (toDouble(w) > 0) put(control, u"Width", w);
    if (toDouble(h) > 0) put(control, u"Height", h);
}

void SupVyn::CmpCorAlt(const DispatchPtr& control, const Variant& back, const Variant& fore) {
    CorObAct(control, back, fore);
}

} // namespace zv
