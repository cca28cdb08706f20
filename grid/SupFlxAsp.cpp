// SupFlx: the aspect text and its presets, the column-width list, and the grid's font.

#include "SupFlx.h"

#include "Convert.h"
#include "GlbCor.h"
#include "SupFon.h"
#include "TxtGlb.h"
#include "VbError.h"

namespace zv {

namespace {

const QString kFontKeys = QStringLiteral("NOM,TAM,BLD,ITA");

bool trueFalse(const QString& value) {
    return CBool(TxTipCnv(Variant(value), QStringLiteral("TF")));
}

} // namespace

void SupFlx::AspOpcIni() {
    aspectText_.clear();
}

void SupFlx::AspOpcReg(const QString& key, const Variant& value) {
    const QString k = TxMai(key);
    if (k.isEmpty())
        aspectText_ = TxCnv(value);
    else
        PrmReg(aspectText_, k, value);
}

void SupFlx::AspOpcCon(const QString& key, Variant& value) {
    const QString k = TxMai(key);
    if (k.isEmpty()) {
        value = Variant(aspectText_);
        return;
    }
    int found = 0;
    PrmCon(aspectText_, k, value, found);
}

void SupFlx::AspPrpTip(const QString& kind) {
    const QString k = TxMai(kind);
    if (k != u"NOR" && k != u"TRE" && k != u"TRE.ZER") return;
    AspOpcIni();
    AspOpcReg(QStringLiteral("SCB"), Variant(QStringLiteral("V+H")));
    if (k == u"NOR") return;
    AspOpcReg(QStringLiteral("RCO"), Variant(QStringLiteral("S")));
    if (k == u"TRE.ZER") AspOpcReg(QStringLiteral("COR.BG"), Variant(int16_t(15)));
    AspOpcReg(QStringLiteral("GRL"), Variant(int16_t(k == u"TRE" ? 1 : 0)));
    AspOpcReg(QStringLiteral("FXC"), Variant(int16_t(k == u"TRE" ? 1 : 0)));
}

void SupFlx::AspPrpExe() {
    vbTrap([&] {
        GridWidget& g = gr();
        QList<QStringList> arr;
        int count = 0;
        PrmArrLer(aspectText_, arr, count);
        for (int i = 1; i <= count; ++i) {
            const QString key = arr[0][i];
            const QString value = arr[1][i];
            if (key == u"EDI")
                g.setEditable(trueFalse(value));
            else if (key == u"CNT")
                g.setColHidden(0, !trueFalse(value));
            else if (key == u"COR.BG")
                g.setBackColor(CorValCon(Variant(value)));
            else if (key == u"FXC" || key == u"GRL")
                TreAsp(aspectText_);
            else if (key == u"RCO")
                g.setAllowUserResizing(1);
            else if (key == u"SCB")
                g.setScrollBars(3);
        }
    });
}

void SupFlx::AspDcoCon(Variant& list) {
    GridWidget& g = gr();
    if (list.isArray()) {
        Variant widths = Variant::array({{0, g.cols() - 1}});
        VArray& a = widths.arrayMut();
        for (int c = 0; c < g.cols(); ++c)
            a.at1(c) = Variant(int32_t(g.colWidth(c)));
        list = widths;
        return;
    }
    QString text;
    for (int c = 0; c < g.cols(); ++c)
        TxJun(text, QStringLiteral(","), Variant(int32_t(g.colWidth(c))));
    list = Variant(text);
}

void SupFlx::AspDcoReg(const Variant& list) {
    vbTrap([&] {
        GridWidget& g = gr();
        if (list.isArray()) {
            const VArray& a = list.array();
            for (int i = a.lbound(); i <= a.ubound(); ++i) {
                const int c = i - a.lbound();
                if (c >= g.cols()) break;
                g.setColWidth(c, CLng(a.at1(i)));
            }
            return;
        }
        QString text = TxCnv(list);
        for (int c = 0; c < g.cols() && !text.isEmpty(); ++c) {
            double width = 0;
            TxSepVal(text, QStringLiteral(","), width);
            g.setColWidth(c, int(width));
        }
    });
}

void SupFlx::FonPrp(const QString& opt) {
    SupFon font;
    font.FonObReg(kFontKeys, &gr(), opt);
    FonAspExe(opt);
}

void SupFlx::FonCon(QString& opt) {
    SupFon font;
    font.FonObCon(kFontKeys, &gr(), opt);
}

} // namespace zv
