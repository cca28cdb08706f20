// SupVyn: reading the wizard definition.

#include "SupVyn.h"

#include "Convert.h"
#include "GlbImg.h"
#include "GlbVar.h"
#include "NumFxd.h"
#include "TdaOpc.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbsPure.h"
#include "WizardButtons.h"
#include "ZelVynGlb.h"
#include "ZelVynGlbCnv.h"

#include <QFileInfo>

namespace zv {

namespace {

// Closes the zone walk and releases the option reader however the reading ends.
class ReaderScope {
public:
    ReaderScope() = default;
    ~ReaderScope() {
        if (!optionReaderExists()) return;
        optionReader().ZonFim();
        optionReaderRelease();
    }
    ReaderScope(const ReaderScope&) = delete;
    ReaderScope& operator=(const ReaderScope&) = delete;

private:
    static bool optionReaderExists() { return zelVynGlbState().optionReader != nullptr; }
};

QString entry(const QString& key) {
    QString value;
    int ok = 0;
    optionReader().MemCon(key, value, ok);
    return value;
}

QString option(const QString& key) {
    QString value;
    optionReader().OpcCon(key, value);
    return value;
}

} // namespace

void SupVyn::ParLer(const QString& file) {
    ReaderScope scope;
    zpoRound_ = ZpoRound();
    TdaOpc& opc = optionReader();
    opc.ZonIni(file);
    QString name, type, description;
    int count = 0;
    zoneCount_ = 0;
    opc.ZonSeg(name, type, count, description);
    while (!name.isEmpty()) {
        ++zoneCount_;
        if (name == u"DEF") {
            DefLer();
        } else if (name == u"VAR" || name == u"PON" || name == u"ZON") {
            const QString kind = name.left(1);
            for (int n = 1; n <= count; ++n)
                ZpoOpcPrp(kind, n);
        } else if (name == u"PAG") {
            PagOpcPrp();
        } else if (name == u"TRA") {
            TraOpcPrp();
        } else if (name == u"CMP") {
            CmpOpcPrp();
        } else if (name == u"VBS") {
            QStringList lines;
            opc.ZonArr(QStringLiteral("TX"), count, lines);
            // Without its script the wizard's buttons would silently do nothing: the run ends.
            if (!VbsPgmReg(lines)) FpaErr(scriptFault(), file);
            const ZelVynGlbState& g = zelVynGlbState();
            VbsVarReg(QStringLiteral("VynFpa"), g.VynFpa);
            VbsVarReg(QStringLiteral("LtrCd"), g.LtrCd);
            VbsVarReg(QStringLiteral("DrvCd"), g.DrvCd);
            VbsVarReg(QStringLiteral("DirPgm"), g.DirPgm);
            VbsVarReg(QStringLiteral("DirBas"), g.DirBas);
        }
        opc.ZonSeg(name, type, count, description);
        // Defined again after every zone, so later zones can use them; a round that could
        // change nothing is not run again.
        if (!zpoRoundHolds()) ZpoCalc();
    }
    options_ = opc.options();
    commandLine_ = opc.commandLine();
}

QString SupVyn::scriptFault() {
    const vbs::ScriptErrorInfo e = vbs().lastError();
    QString text = QStringLiteral("O código do assistente (zona \"VBS\") tem um erro e não pode "
                                  "ser carregado.");
    if (e.number == 0) return text;
    text += QStringLiteral("||Erro %1: %2").arg(e.number).arg(e.description);
    // The line of the code as the engine got it (comments and empty lines left out), shown
    // with its text; columns are counted from 1.
    if (e.line > 0)
        text += QStringLiteral("|Linha %1, coluna %2 do código: %3")
                    .arg(e.line)
                    .arg(e.column + 1)
                    .arg(e.text.trimmed());
    return text;
}

QString SupVyn::noPagesFault(const QString& file) const {
    if (QFileInfo(file).size() == 0) return QStringLiteral("O ficheiro de opções está vazio.");
    if (zoneCount_ == 0)
        return QStringLiteral("O ficheiro de opções não tem zonas: não é a definição de um "
                              "assistente.");
    return QStringLiteral("O ficheiro de opções não define nenhuma página (zona \"PAG\").");
}

void SupVyn::DefLer() {
    ZelVynGlbState& g = zelVynGlbState();
    g.debugMode = option(QStringLiteral("DbgModo"));
    if (!g.debugMode.isEmpty())
        debugFoldersApply(option(QStringLiteral("DbgLtrCd")), option(QStringLiteral("DbgDirPgm")));
    g.TitVyn = option(QStringLiteral("TitVyn"));
    OpcDefDir(QStringLiteral("ImgFun"), g.imgFunPath);
    OpcDefDir(QStringLiteral("ImgIco"), g.imgIcoPath);
    // Read as the definition format has them; they change nothing.
    Variant unused{QString()};
    OpcDefCon(QStringLiteral("TamFix"), unused);
    OpcDefMed(QStringLiteral("X"), QStringLiteral("DimX"), g.dimX);
    OpcDefMed(QStringLiteral("Y"), QStringLiteral("DimY"), g.dimY);
    for (const char* key :
         {"ZonX", "BasPy", "BasSy", "BotDx", "BotDy", "BotPx", "BotSy", "BotFon", "BotFg"})
        OpcDefCon(QString::fromLatin1(key), unused);
    for (const WizardButton& b : kWizardButtons) {
        Variant text{QString()};
        OpcDefCon(b.positionKey.toString(), text);
        g.buttonPositions[b.index] = text.rawString();
    }
    g.MsgCan = option(QStringLiteral("MsgCan"));
}

void SupVyn::ZpoOpcPrp(const QString& kind, int n) {
    TdaOpc& opc = optionReader();
    QString line;
    int ok = 0;
    opc.MemConTxp(n, line, ok);
    ZpoDef z;
    int32_t column = 0;
    opc.ParPrep(line, z.Des, z.Ide, z.Val, column);
    z.Tip = UCase(Trim(kind));
    ZpoAdd(z);
}

SupVyn::ZpoStatements SupVyn::zpoStatements() const {
    ZpoStatements list;
    const auto add = [&](const QString& name, const Variant& value) {
        QString text;
        TxCnvPrp(value, text);
        list.append({name, text});
    };
    add(QStringLiteral("xMax"), Variant(windowPixels(QStringLiteral("X"))));
    add(QStringLiteral("yMax"), Variant(windowPixels(QStringLiteral("Y"))));
    const QString comma = QStringLiteral(",");
    for (int i = 1; i < int(zpo_.size()); ++i) {
        const ZpoDef& z = zpo_[i];
        QString rest = z.Val;
        QString parts[4];
        int found = 0;
        TxSep(rest, comma, parts[0], found);
        TxSep(rest, comma, parts[1], found);
        TxSep(rest, comma, parts[2], found);
        parts[3] = rest;
        if (z.Tip == u"Z") {
            const char* suffixes[] = {"_X1", "_Y1", "_X2", "_Y2"};
            for (int k = 0; k < 4; ++k)
                add(z.Ide + QLatin1String(suffixes[k]), Variant(parts[k]));
        } else if (z.Tip == u"P") {
            add(z.Ide + QStringLiteral("_X"), Variant(parts[0]));
            add(z.Ide + QStringLiteral("_Y"), Variant(parts[1]));
        } else if (z.Tip == u"V") {
            add(z.Ide, Variant(z.Val));
        }
    }
    return list;
}

void SupVyn::ZpoCalc() {
    ZpoRound round;
    round.made = true;
    round.zpoCount = int(zpo_.size());
    round.xPixels = windowPixels(QStringLiteral("X"));
    round.yPixels = windowPixels(QStringLiteral("Y"));
    round.repeatable = true;
    for (const auto& [name, text] : zpoStatements()) {
        // Pure: its value can only come from the variables defined before it in this round.
        const bool pure = vbsPlainName(name) && vbsPureExpression(text, round.names);
        const bool ok = VbsVarDef(name, Variant(text), 0);
        if (pure && ok)
            round.names.insert(UCase(name));
        else
            round.repeatable = false;
    }
    round.uses = scriptUses_;
    zpoRound_ = std::move(round);
    pureTexts_.clear();
    pureValues_.clear();
    pureButtonPlaces_.clear();
    pureFailures_.clear();
}

bool SupVyn::zpoValuesHold() const {
    return pureValuesKept_ && zpoRound_.made && zpoRound_.uses == scriptUses_;
}

bool SupVyn::zpoRoundHolds() const {
    return zpoRound_.repeatable && zpoValuesHold() && zpoRound_.zpoCount == int(zpo_.size()) &&
           zpoRound_.xPixels == windowPixels(QStringLiteral("X")) &&
           zpoRound_.yPixels == windowPixels(QStringLiteral("Y"));
}

void SupVyn::VbsCalc(const QString& expression, Variant& result, int& ok, bool* kept) {
    if (kept) *kept = false;
    // A value taken as it comes (into an Empty result) that a pure expression gave while the
    // round holds is given again: evaluated again, it would give exactly that. (What the table
    // holds was pure in this round: ZpoCalc empties it.)
    const bool asItComes = result.isEmpty();
    if (asItComes && zpoValuesHold()) {
        const auto known = pureValues_.constFind(expression);
        if (known != pureValues_.constEnd()) {
            result = *known;
            ok = 1;
            if (kept) *kept = true;
            return;
        }
    }
    const bool pure = zpoValuesHold() && vbsPureExpression(expression, zpoRound_.names);
    vbs().ExeCalc(expression, result, ok);
    // Reading variables changes none of them, whether it succeeds or fails.
    if (pure) zpoRound_.uses = scriptUses_;
    if (ok != 1) {
        lastPureFailure_.reset();
    } else if (pure && asItComes) {
        pureValues_.insert(expression, result);
        if (kept) *kept = true;
    }
}

QString SupVyn::VbsCalcTxt(const QString& expression, bool* kept) {
    if (kept) *kept = false;
    // What the table holds was pure in this round (ZpoCalc empties it).
    if (zpoValuesHold()) {
        const auto known = pureTexts_.constFind(expression);
        // A failure is taken again only while it is still the host's last one: evaluated
        // again, it would leave exactly that.
        if (known != pureTexts_.constEnd()) {
            const bool failed = pureFailures_.contains(expression);
            if (!failed || lastPureFailure_ == expression) {
                if (kept) *kept = !failed;
                return *known;
            }
        }
    }
    const bool pure = zpoValuesHold() && vbsPureExpression(expression, zpoRound_.names);
    Variant value{QString()};
    int ok = 0;
    vbs().ExeCalc(expression, value, ok);
    QString text = value.isString() ? value.rawString() : TxCnv(value);
    if (pure) {
        zpoRound_.uses = scriptUses_;
        pureTexts_.insert(expression, text);
        if (ok == 1) {
            pureFailures_.remove(expression);
            if (kept) *kept = true;
        } else {
            pureFailures_.insert(expression);
            lastPureFailure_ = expression;
        }
    }
    return text;
}

void SupVyn::PagOpcPrp() {
    PagDef p;
    p.IDE = entry(QStringLiteral("IDE"));
    p.DES = entry(QStringLiteral("DES"));
    p.Img = entry(QStringLiteral("Img"));
    p.FxPagEnt = entry(QStringLiteral("FxPagEnt"));
    p.FxPagSai = entry(QStringLiteral("FxPagSai"));
    p.CmpIni = int16_t(CmpNum() + 1);
    p.CmpFim = 0;
    p.CmpNum = 0;
    PagAdd(p);
}

void SupVyn::TraOpcPrp() {
    TraDef t;
    vbTrap([&] {
        t.IDE = entry(QStringLiteral("IDE"));
        t.DES = entry(QStringLiteral("DES"));
        t.POS = entry(QStringLiteral("POS"));
        t.SIT = entry(QStringLiteral("SIT"));
        t.TRATIP = entry(QStringLiteral("TRATIP"));
        t.TRAPAG = entry(QStringLiteral("TRAPAG"));
        t.TRAFX = entry(QStringLiteral("TRAFX"));
    });
    if (t.POS.isEmpty()) {
        // The default position: the point of this button (named by its IDE exactly), its two
        // parts evaluated now. While the variables hold, a button whose point gave pure values
        // takes the place it took then: evaluated again, it would be exactly that.
        const WizardButton* b = wizardButtonOfIde(t.IDE);
        const auto known = b && zpoValuesHold() ? pureButtonPlaces_.constFind(b->index)
                                                : pureButtonPlaces_.constEnd();
        if (known != pureButtonPlaces_.constEnd()) {
            t.POS = known->POS;
            t.X = known->X;
            t.Y = known->Y;
        } else {
            bool kept = false;
            const VbTrapped failed = vbTrap([&] {
                if (!b) return;
                int index = -1;
                ZpoLoc(b->autoPoint.toString(), index);
                if (index < 0) return;
                QString rest = zpo_[index].Val;
                QString xPart;
                int found = 0;
                TxSep(rest, QStringLiteral(","), xPart, found);
                Variant x, y;
                int ok = 0;
                bool keptX = false, keptY = false;
                VbsCalc(xPart, x, ok, &keptX);
                VbsCalc(rest, y, ok, &keptY);
                t.POS = TxCnv(x) + QStringLiteral(", ") + TxCnv(y);
                kept = keptX && keptY;
            });
            const VbTrapped unplaced = vbTrap([&] { PosTwpCon(t.POS, t.X, t.Y); });
            if (kept && !failed && !unplaced && zpoValuesHold())
                pureButtonPlaces_.insert(b->index, {t.POS, t.X, t.Y});
        }
    } else {
        vbTrap([&] { PosTwpCon(t.POS, t.X, t.Y); });
    }
    t.Kind = traKindOf(t.TRATIP);
    if (const WizardButton* b = wizardButtonOfIde(UCase(Trim(t.IDE))))
        pag_.back().Tra[b->index] = t;
}

void SupVyn::CmpOpcPrp() {
    CmpDef c;
    c.Tip = entry(QStringLiteral("Tip"));
    c.Kind = cmpKindOf(c.Tip);
    c.Ide = entry(QStringLiteral("Ide"));
    c.Pos = entry(QStringLiteral("Pos"));
    c.Dim = entry(QStringLiteral("Dim"));
    c.Fun = entry(QStringLiteral("Fun"));
    c.Cor = entry(QStringLiteral("Cor"));
    c.Fon = entry(QStringLiteral("Fon"));
    c.Aln = entry(QStringLiteral("Aln"));
    OpcDirRes(entry(QStringLiteral("Txt")), c.Txt);
    c.Adi = entry(QStringLiteral("Adi"));
    c.Sit = entry(QStringLiteral("Sit"));
    CmpAdd(c);
}

// ---- "DEF" values, folders and option values ----

void SupVyn::OpcDefCon(const QString& key, Variant& value) const {
    VarAtr(Variant(TxMai(entry(key))), value);
}

void SupVyn::OpcDefMed(const QString& axis, const QString& key, Variant& value) const {
    Variant text{QString()};
    OpcDefCon(key, text);
    if (text.rawString() == u"AUTO") {
        value = text;
        return;
    }
    int tx = 0, ty = 0;
    ScrTpp(tx, ty);
    Variant number;
    NumVal(text, number);
    value = Variant(number.numericValue() * (axis == u"X" ? tx : ty));
}

void SupVyn::OpcDefDir(const QString& key, QString& path) const {
    const QString value = entry(key);
    const qsizetype open = value.indexOf(u'[');
    const qsizetype close = open < 0 ? -1 : value.indexOf(u']', open + 1);
    if (close < 0) {
        path = value;
        return;
    }
    QString before, inside, after, folder;
    TxDlmSep(value, QStringLiteral("[]"), before, inside, after);
    OpcDirCon(inside, folder);
    path = before + folder + after;
}

void SupVyn::OpcDirCon(const QString& key, QString& folder) const {
    const ZelVynGlbState& g = zelVynGlbState();
    const QString k = UCase(Trim(key));
    if (k == u"DIRBAS" || k == u"DIRPAR")
        folder = g.DirBas;
    else if (k == u"DIRVYN")
        folder = g.wizardFolder;
    else if (k == u"DIRPGM")
        folder = g.DirPgm;
    else if (k == u"LTRCD")
        folder = g.LtrCd;
    else if (k == u"DRVCD")
        folder = g.DrvCd;
    else if (k == u"IMGFUN")
        folder = g.imgFunPath;
    else
        folder.clear();
}

QString SupVyn::OpcCon(const QString& key) {
    return options_.lookup(key, commandLine_);
}

void SupVyn::OpcDirRes(const QString& value, QString& result) const {
    QString before, inside, after;
    int len = 0;
    TxDlmExt(value, before, inside, after, len, QStringLiteral("[]"));
    if (len > 0 && before.isEmpty() && !inside.isEmpty()) {
        const QString replacement = option(inside);
        if (!replacement.isEmpty()) {
            result = replacement;
            return;
        }
    }
    result = value;
}

} // namespace zv
