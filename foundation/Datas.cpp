// Datas: reading, checking and writing dates.

#include "Datas.h"

#include "Convert.h"
#include "DateTime.h"
#include "ModuleState.h"
#include "NumFxd.h"
#include "Text.h"
#include "TxtGlb.h"

#include <cmath>

namespace zv {

namespace {

const QString kDateSeps = QStringLiteral("/-.");

QString padded(double value, int width) {
    QString out;
    NumTxPad(Variant(value), width, QStringLiteral("0"), out);
    return out;
}

// The 15-character digit text of a date number ("" for 0).
QString digitText(double number) {
    const double a = std::floor(std::fabs(number));
    if (!(a >= 1)) return QString();
    const QString digits = QString::number(a, 'f', 0);
    return (digits + QString(15, u'0')).left(15);
}

void splitNumber(double number, int& y, int& m, int& d) {
    const QString t = digitText(number);
    y = int(Val(Mid(t, 1, 4)));
    m = int(Val(Mid(t, 5, 2)));
    d = int(Val(Mid(t, 7, 2)));
}

} // namespace

DatasState& datasState() {
    return moduleState<DatasState>();
}

void datasReset() {
    resetModuleState<DatasState>();
}

void DtaNum(int year, int month, int day, double& number) {
    number = year * 1e11 + month * 1e9 + day * 1e7;
}

void DtaAnoAjt(int& year) {
    if (year < 0)
        year = 0;
    else if (year >= 51 && year <= 99)
        year += 1900;
    else if (year <= 50 || (year >= 100 && year <= 999))
        year += 2000;
}

void DtaTxSep(const QString& text, QString& year, QString& month, QString& day) {
    year.clear();
    month.clear();
    day.clear();
    const QString t = Trim(text);
    bool blank = true;
    for (QChar c : t) {
        if (c != u'/' && c != u' ') blank = false;
    }
    if (blank || t == u"0") return;

    // The separator is whichever of "/", "-", "." comes first in the text.
    int first = 0;
    for (QChar s : kDateSeps) {
        const int p = InStr(t, QString(s));
        if (p && (!first || p < first)) first = p;
    }
    QString y, m, d;
    if (first) {
        const QString sep = t.mid(first - 1, 1);
        QString work = t;
        int found = 0;
        TxSep(work, sep, y, found);
        TxSep(work, sep, m, found);
        TxSep(work, sep, d, found);
    } else {
        const QString digits = t.size() < 7 ? QStringLiteral("19") + t : t;
        y = Mid(digits, 1, 4);
        m = Mid(digits, 5, 2);
        d = Mid(digits, 7, 2);
    }
    int yn = int(qBound(-1e9, Val(y), 1e9));
    DtaAnoAjt(yn);
    year = padded(yn, 4);
    month = padded(qBound(-1e9, Val(m), 1e9), 2);
    day = padded(qBound(-1e9, Val(d), 1e9), 2);
}

void DtaTxLer(double dateNumber) {
    DatasState& st = datasState();
    const QString t = digitText(dateNumber);
    if (t.isEmpty()) {
        st.tx15 = QString(15, u' ');
        st.tx8.clear();
        st.anoTx.clear();
        st.mesTx.clear();
        st.diaTx.clear();
        st.ano = st.mes = st.dia = 0;
        return;
    }
    st.tx15 = t;
    st.tx8 = t.left(8);
    st.anoTx = Mid(t, 1, 4);
    st.mesTx = Mid(t, 5, 2);
    st.diaTx = Mid(t, 7, 2);
    st.ano = int(Val(st.anoTx));
    st.mes = int(Val(st.mesTx));
    st.dia = int(Val(st.diaTx));
}

void DtaTxVal(const QString& text, double& number, int& ok) {
    QString y, m, d;
    DtaTxSep(text, y, m, d);
    DtaNum(int(Val(y)), int(Val(m)), int(Val(d)), number);
    DtaVal(number, ok);
}

void DtaLer(const Variant& value, double& number) {
    if (value.isString()) {
        int ok = 0;
        DtaTxVal(value.rawString(), number, ok);
    } else if (value.isDate()) {
        // A Date counts days; its calendar day gives the date number.
        if (vbTrap([&] {
                const DateParts p = dateParts(value.rawDate());
                DtaNum(p.year, p.month, p.day, number);
            }))
            number = 0;
    } else if (vbTrap([&] { number = NumDbl(value); })) {
        number = 0;
    }
    DtaTxLer(number);
}

void DtaMesDia(int year, int month, int& days) {
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        days = 0;
        return;
    }
    days = lengths[month - 1];
    int leap = 0;
    DtaBis(year, leap);
    if (month == 2 && leap) ++days;
}

void DtaBis(int year, int& leap) {
    leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 1 : 0;
}

void DtaVal(double number, int& ok) {
    int y = 0, m = 0, d = 0;
    splitNumber(number, y, m, d);
    int days = 0;
    DtaMesDia(y, m, days);
    ok = y >= 0 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= days ? 1 : 0;
}

void DtaDiaNum(int year, int month, int day, int& n) {
    const double y = year < 100 ? year + 1900 : year;
    const double m = month;
    double v;
    if (month < 3) {
        v = 365 * y + 31 * (m - 1) + day + std::floor((y - 1) / 4) -
            std::floor(0.75 * (std::floor((y - 1) / 100) + 1));
    } else {
        v = 365 * y + 31 * (m - 1) + day - std::floor(0.4 * m + 2.3) + std::floor(y / 4) -
            std::floor(0.75 * (std::floor(y / 100) + 1));
    }
    n = int(v);
}

void DtaCal(double dateNumber) {
    DtaTxLer(dateNumber);
    DatasState& st = datasState();
    st.diaNum = st.trimestre = st.semestre = st.diaSem = 0;
    st.amdBar.clear();
    st.amd2Bar.clear();
    st.mdaBar.clear();
    st.extenso.clear();
    st.mesNom.clear();
    st.diaSemNom.clear();
    if (st.tx8.isEmpty()) return;

    DtaDiaNum(st.ano, st.mes, st.dia, st.diaNum);
    const double n = st.diaNum;
    int w = int(std::floor((n / 7 - std::floor(n / 7)) * 7 + 0.5));
    if (w == 0) w = 7;
    st.diaSem = w;
    st.trimestre = int(std::floor((st.mes - 1) / 3.0 + 0.2)) + 1;
    st.semestre = st.mes < 7 ? 1 : 2;

    const QString yy = st.anoTx.right(2);
    st.amdBar = st.anoTx + u'/' + st.mesTx + u'/' + st.diaTx;
    st.amd2Bar = yy + u'/' + st.mesTx + u'/' + st.diaTx;
    st.mdaBar = st.mesTx + u'/' + st.diaTx + u'/' + yy;
    st.mesNom = st.mes >= 0 && st.mes < st.MesNom.size() ? st.MesNom.at(st.mes) : QString();
    st.diaSemNom = w < st.SemNom.size() ? st.SemNom.at(w) : QString();
    st.extenso = QString::number(st.dia) + QStringLiteral(" de ") + st.mesNom +
                 QStringLiteral(" de ") + st.anoTx;
}

void DtaSepBar(int mode, const Variant& date, QString& text) {
    double number = 0;
    DtaLer(date, number);
    const DatasState& st = datasState();
    if (st.tx8.isEmpty()) {
        text.clear();
        return;
    }
    const QString year = mode == 2 ? st.anoTx.right(2) : st.anoTx;
    text = year + u'/' + st.mesTx + u'/' + st.diaTx;
}

QString DtaFmt(const QString& code, const Variant& date) {
    double number = 0;
    DtaLer(date, number);
    int ok = 0;
    DtaVal(number, ok);
    if (!ok) return QString();
    DtaCal(number);
    const DatasState& st = datasState();
    const QString& c = code;
    if (c == u"A" || c == u"A4") return st.anoTx;
    if (c == u"A2") return st.anoTx.right(2);
    if (c == u"M") return st.mesTx;
    if (c == u"D") return st.diaTx;
    if (c == u"A/M") return st.anoTx + u'/' + st.mesTx;
    if (c == u"A/T") return st.anoTx + QStringLiteral("/T") + QString::number(st.trimestre);
    if (c == u"A/S") return st.anoTx + QStringLiteral("/S") + QString::number(st.semestre);
    if (c == u"M/D") return st.mesTx + u'/' + st.diaTx;
    if (c == u"AMD") return st.tx8;
    if (c == u"AM") return st.anoTx + st.mesTx;
    if (c == u"MD") return st.mesTx + st.diaTx;
    if (c == u"DIA") return st.diaSemNom;
    if (c == u"MES") return st.mesNom;
    if (c == u"MES3") return st.mesNom.left(3);
    if (c == u"EXT") return st.extenso;
    if (c == u"BAS") return st.amdBar;
    return st.mdaBar;
}

} // namespace zv
