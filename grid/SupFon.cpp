#include "SupFon.h"

#include "Convert.h"
#include "DbgFx.h"
#include "NumFxd.h"
#include "TxtGlb.h"
#include "VbError.h"
#include "WindowHandles.h"

#include <QApplication>
#include <QFontDialog>
#include <QFontInfo>
#include <cmath>

namespace zv {

namespace {

// The keys of a key list, upper-cased and trimmed, in their order.
QStringList keyList(const QString& keys) {
    QStringList parts;
    int count = 0;
    TxArrSep(keys, QStringLiteral(","), parts, count);
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << TxMai(parts.at(i));
    return out;
}

double pointSize(const QFont& font) {
    return font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
}

bool acceptsName(const QString& name) {
    return !name.trimmed().isEmpty();
}

bool acceptsSize(double points) {
    return std::isfinite(points) && points > 0 && points <= 2048;
}

} // namespace

SupFon::SupFon() {
    DbgObIni(objectName_, instanceId_);
    held();
    FxIni();
}

SupFon::~SupFon() {
    DbgObFim(objectName_, instanceId_);
    FxFim();
}

void SupFon::FxIni() {
    DbgFxIni(objectName_, instanceId_);
}

void SupFon::FxFim() {
    DbgFxFim(objectName_, instanceId_);
    font_.reset();
}

QFont& SupFon::held() {
    if (!font_) font_ = QApplication::font();
    return *font_;
}

const QFont& SupFon::font() {
    return held();
}

QString SupFon::FonNom() {
    return held().family();
}

void SupFon::setFonNom(const QString& name) {
    if (acceptsName(name)) held().setFamily(name);
}

double SupFon::FonTam() {
    return double(CCur(Variant(pointSize(held())))) / 10000.0;
}

void SupFon::setFonTam(const Variant& size) {
    // A value without a number is refused like a bad size.
    vbTrap([&] {
        const double points = NumDbl(size);
        if (acceptsSize(points)) held().setPointSizeF(points);
    });
}

bool SupFon::FonBld() {
    return held().bold();
}

void SupFon::setFonBld(bool bold) {
    held().setBold(bold);
}

bool SupFon::FonIta() {
    return held().italic();
}

void SupFon::setFonIta(bool italic) {
    held().setItalic(italic);
}

// ---- The dialog ----

void SupFon::SelFon(int& ok) {
    ok = 0;
    lastError_ = 0;
    QFontDialog dialog(dialogParent(0));
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setCurrentFont(held());
    if (dialog.exec() != QDialog::Accepted) {
        lastError_ = kDialogCancelled;
        return;
    }
    const QFont chosen = dialog.selectedFont();
    QFont& f = held();
    f.setFamily(chosen.family());
    if (acceptsSize(pointSize(chosen))) f.setPointSizeF(pointSize(chosen));
    f.setWeight(chosen.weight());
    f.setItalic(chosen.italic());
    f.setUnderline(chosen.underline());
    f.setStrikeOut(chosen.strikeOut());
    ok = 1;
}

// ---- Key values ----

QString SupFon::itemText(const QString& opt, const QString& key, const QString& def) {
    if (opt.isEmpty()) return def;
    Variant value{QString()};
    int found = 0;
    PrmCon(opt, key, value, found);
    return TxCnv(value);
}

double SupFon::itemNumber(const QString& opt, const QString& key, const Variant& def) {
    if (opt.isEmpty()) return NumDbl(def);
    Variant value{QString()};
    int found = 0;
    PrmCon(opt, key, value, found);
    return NumDbl(value);
}

bool SupFon::itemYesNo(const QString& opt, const QString& key, const Variant& def) {
    if (opt.isEmpty()) return TxTipCnv(def, QStringLiteral("TF")).rawBoolean();
    QString text = opt;
    Variant value{QString()};
    PrmSN(QStringLiteral("C"), key, text, value);
    return TxTipCnv(value, QStringLiteral("TF")).rawBoolean();
}

QString SupFon::yesNoText(bool on) {
    return TxTipCnv(Variant(on), QStringLiteral("SN")).rawString();
}

QString SupFon::optionText(const QString& keys, const QFont& font) {
    QString text;
    for (const QString& key : keyList(keys)) {
        if (key == u"NOM")
            PrmReg(text, key, Variant(font.family()));
        else if (key == u"TAM")
            PrmReg(text, key, Variant(double(CCur(Variant(pointSize(font)))) / 10000.0));
        else if (key == u"BLD")
            PrmReg(text, key, Variant(yesNoText(font.bold())));
        else if (key == u"ITA")
            PrmReg(text, key, Variant(yesNoText(font.italic())));
    }
    return text;
}

// ---- Option texts and other objects ----

void SupFon::FonOpcCon(const QString& keys, QString& opt) {
    opt = optionText(keys, held());
}

void SupFon::FonOpcReg(const QString& keys, const QString& opt) {
    const Variant none{QString()};
    // A value that cannot be read leaves this key's part of the font; the next follows.
    for (const QString& key : keyList(keys)) {
        vbTrap([&] {
            if (key == u"NOM")
                setFonNom(itemText(opt, key, QString()));
            else if (key == u"TAM")
                setFonTam(Variant(itemNumber(opt, key, none)));
            else if (key == u"BLD")
                setFonBld(itemYesNo(opt, key, none));
            else if (key == u"ITA")
                setFonIta(itemYesNo(opt, key, none));
        });
    }
}

void SupFon::FonObCon(const QString& keys, const QObject* obj, QString& opt) {
    const QVariant f = obj ? obj->property("font") : QVariant();
    opt = f.canConvert<QFont>() ? optionText(keys, f.value<QFont>()) : QString();
}

void SupFon::FonObReg(const QString& keys, QObject* obj, const QString& opt) {
    const QVariant current = obj ? obj->property("font") : QVariant();
    if (!current.canConvert<QFont>()) return;
    QFont f = current.value<QFont>();
    const QFont& own = held();
    // As in FonOpcReg: a value that cannot be read leaves this key's part of the font.
    for (const QString& key : keyList(keys)) {
        vbTrap([&] {
            if (key == u"NOM") {
                const QString name = itemText(opt, key, own.family());
                if (acceptsName(name)) f.setFamily(name);
            } else if (key == u"TAM") {
                const double points = itemNumber(opt, key, Variant(pointSize(own)));
                if (acceptsSize(points)) f.setPointSizeF(points);
            } else if (key == u"BLD") {
                f.setBold(itemYesNo(opt, key, Variant(own.bold())));
            } else if (key == u"ITA") {
                f.setItalic(itemYesNo(opt, key, Variant(own.italic())));
            }
        });
    }
    obj->setProperty("font", f);
}

} // namespace zv
