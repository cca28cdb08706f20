#pragma once
// Datas: dates given as date numbers or texts, checked, split into parts and written in short
// formats chosen by a code.
//
// A date number is a Double whose digits, without sign and filled on the right with "0" to 15
// characters, read as year (1-4), month (5-6) and day (7-8): yyyymmdd followed by seven zeros
// for a date alone. A date text holds year, month and day separated by the first of "/", "-"
// or "." in it, or is a digit text yyyymmdd (six digits read as 19yymmdd).

#include "Variant.h"

#include <QString>
#include <QStringList>

namespace zv {

// Module state: the parts of the date read last, and the month and weekday name tables.
struct DatasState {
    QString tx15;  // the 15-character digit text (15 blanks for no date)
    QString tx8;   // yyyymmdd
    QString anoTx; // year, month and day texts
    QString mesTx;
    QString diaTx;
    int ano = 0; // year, month and day numbers
    int mes = 0;
    int dia = 0;
    int diaNum = 0;    // the day number (DtaDiaNum)
    int trimestre = 0; // 1..4
    int semestre = 0;  // 1 or 2
    int diaSem = 0;    // 1 Sunday .. 7 Saturday
    QString amdBar;    // yyyy/mm/dd
    QString amd2Bar;   // yy/mm/dd
    QString mdaBar;    // mm/dd/yy
    QString extenso;   // "7 de Dezembro de 2026"
    QString mesNom;    // the month's name
    QString diaSemNom; // the weekday's name
    // Period names 0..13: 0 the balance carried over, 1..12 the months, 13 the adjustments.
    QStringList MesNom{
        QStringLiteral("Trf.Saldos"), QStringLiteral("Janeiro"),      QStringLiteral("Fevereiro"),
        QStringLiteral("Março"),      QStringLiteral("Abril"),        QStringLiteral("Maio"),
        QStringLiteral("Junho"),      QStringLiteral("Julho"),        QStringLiteral("Agosto"),
        QStringLiteral("Setembro"),   QStringLiteral("Outubro"),      QStringLiteral("Novembro"),
        QStringLiteral("Dezembro"),   QStringLiteral("Regularização")};
    // Weekday names 1..7 from Sunday (element 0 unused).
    QStringList SemNom{QString(),
                       QStringLiteral("Dom"),
                       QStringLiteral("Seg"),
                       QStringLiteral("Ter"),
                       QStringLiteral("Qua"),
                       QStringLiteral("Qui"),
                       QStringLiteral("Sex"),
                       QStringLiteral("Sab")};
};
DatasState& datasState();
void datasReset();

// Fills the current parts (texts and numbers) from a date number.
void DtaTxLer(double dateNumber);
// y * 10^11 + m * 10^9 + d * 10^7.
void DtaNum(int year, int month, int day, double& number);
// The year, month and day texts of a date text (4, 2 and 2 digits, years normalised); all ""
// for an empty text, "0", or a text of blanks and "/" only.
void DtaTxSep(const QString& text, QString& year, QString& month, QString& day);
// Year normalisation: below 0 is 0; 51..99 gain 1900; 0..50 and 100..999 gain 2000.
void DtaAnoAjt(int& year);
// Reads and checks a date text.
void DtaTxVal(const QString& text, double& number, int& ok);
// A text through DtaTxVal, a Date by its calendar day, any other value as a date number; then
// DtaTxLer.
void DtaLer(const Variant& value, double& number);
// ok 1 for a year 0..9999, a month 1..12 and a day within the month.
void DtaVal(double number, int& ok);
void DtaMesDia(int year, int month, int& days);
void DtaBis(int year, int& leap);
void DtaDiaNum(int year, int month, int day, int& n);
// DtaTxLer, then the day number, weekday, quarter, half-year and the derived texts.
void DtaCal(double dateNumber);
// yyyy/mm/dd of the date; mode 2 writes the year with two digits.
void DtaSepBar(int mode, const Variant& date, QString& text);
// The date text for a format code ("A", "A2", "M", "D", "A/M", "A/T", "A/S", "M/D", "AMD",
// "AM", "MD", "DIA", "MES", "MES3", "EXT", "BAS"; others mm/dd/yy); "" for no valid date.
QString DtaFmt(const QString& code, const Variant& date);

} // namespace zv
