// SupFrm: panel appearances, bevel looks and pictures, and a form's standard parts.
#include "SupFrm.h"

#include "FicGlb.h"
#include "FileLayer.h"
#include "GlbCor.h"
#include "GlbVar.h"
#include "NumFxd.h"
#include "SupFrmState.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbControl.h"
#include "VbForm.h"

namespace zv {

namespace {

// A part of the 3D text as a 16-bit number (its leading number; 6 beyond 16 bits).
int16_t partNumber(const QStringList& parts, int i) {
    return CInt(Variant(NumTxValVar(parts.value(i))));
}

void putProperty(const DispatchPtr& object, const QString& name, const Variant& value) {
    if (!object) throw VbError(err::ObjectNotSet);
    object->put(name, value);
}

} // namespace

void SupFrm::AspRegSp(QString& name, const DispatchPtr& panel, QString& part3D) {
    name = TxMai(name);
    const QString entry = CorPalEnt(name);
    if (Trim(entry).isEmpty()) return;
    const EntryParts p = splitEntry(entry);
    vbTrap([&] { CorObBg(panel, Variant(p.background)); });
    vbTrap([&] { CorObFg(panel, Variant(p.foreground)); });
    part3D = p.part3D;
    vbTrap([&] {
        const QStringList parts = part3D.split(u',');
        Sp3DExe(panel, partNumber(parts, 0), partNumber(parts, 1), partNumber(parts, 2));
    });
    if (p.picture.isEmpty()) {
        vbTrap(
            [&] { putProperty(panel, QStringLiteral("PictureBackground"), Variant(QString())); });
        return;
    }
    vbTrap([&] {
        QString path;
        ImgFunFic(p.picture, path);
        // A name written where case does not matter may stand on the disk in another case.
        const QString onDisk = file::pathIgnoringCase(path);
        vbTrap([&] { putProperty(panel, QStringLiteral("PictureBackgroundStyle"), int16_t(2)); });
        putProperty(panel, QStringLiteral("PictureBackground"),
                    Variant(onDisk.isEmpty() ? path : onDisk));
    });
}

void SupFrm::AspFunSp(QString& name, const DispatchPtr& panel, QString& part3D) {
    vbTrap([&] { putProperty(panel, QStringLiteral("Caption"), Variant(QString())); });
    AspRegSp(name, panel, part3D);
}

void SupFrm::AspUsaSp(QString& name, int32_t& background, int32_t& foreground, QString& part3D,
                      QString& picture) const {
    name = TxMai(name);
    const QString entry = CorPalEnt(name);
    if (Trim(entry).isEmpty()) return;
    const EntryParts p = splitEntry(entry);
    int ok = 0;
    CorVal(Variant(Trim(p.background)), background, ok);
    CorVal(Variant(Trim(p.foreground)), foreground, ok);
    part3D = p.part3D;
    picture = p.picture;
}

void SupFrm::AspMemSp(const QString& name, const Variant& rest, const DispatchPtr& panel) {
    if (!panel) throw VbError(err::ObjectNotSet);
    Variant back{QString()}, fore{QString()};
    CorTxRgb(CLng(panel->get(QStringLiteral("BackColor"))), back);
    CorTxRgb(CLng(panel->get(QStringLiteral("ForeColor"))), fore);
    AspMemVco(name, back.rawString() + u'+' + fore.rawString() + u'+' + TxCnv(rest));
}

void SupFrm::AspMemVco(const QString& name, const QString& entry) {
    s_->palette.set(TxMai(name), entry);
}

void SupFrm::Sp3DExe(const DispatchPtr& panel, int style, int flag, int text3D) {
    putProperty(panel, QStringLiteral("BevelWidth"), int16_t(1));
    putProperty(panel, QStringLiteral("BorderWidth"), int16_t(0));
    // Inner and outer bevel by style: 0 none, 1 inset, 2 raised.
    static constexpr int16_t kBevels[4][2] = {{2, 1}, {1, 2}, {1, 0}, {2, 0}};
    if (style >= 1 && style <= 4) {
        putProperty(panel, QStringLiteral("BevelInner"), kBevels[style - 1][0]);
        putProperty(panel, QStringLiteral("BevelOuter"), kBevels[style - 1][1]);
        if (flag == 1) putProperty(panel, QStringLiteral("BevelWidth"), int16_t(2));
    }
    putProperty(panel, QStringLiteral("Font3D"), int16_t(text3D));
}

void SupFrm::ImgFunFic(const QString& file, QString& path) const {
    QString folder = s_->imageFolder;
    if (folder == QLatin1String("[BUS]")) {
        if (!s_->defaultImageFolder) throw VbError(err::ObjectRequired);
        folder = s_->defaultImageFolder();
    }
    path = FicPathJun(FicPathJun(folder, QStringLiteral("Fun")), file);
}

void SupFrm::ImgDir(const QString& mode, QString& folder) {
    if (TxMai(mode) == QLatin1String("A"))
        s_->imageFolder = folder;
    else
        folder = s_->imageFolder;
}

void SupFrm::setDefaultImageFolder(std::function<QString()> provider) {
    s_->defaultImageFolder = std::move(provider);
}

void SupFrm::FrmPrpAsp(VbForm* form) {
    if (!form) return;
    auto member = [&](const char* name) -> DispatchPtr {
        return form->control(QLatin1String(name));
    };
    vbTrap([&] { CorRegOb(QLatin1String(kFormEntry), form->object()); });
    struct {
        const char* control;
        const char* entry;
    } const panels[] = {{"spTit", kTitleEntry}, {"spInt", kInteriorEntry}, {"spSis", kSystemEntry}};
    for (const auto& p : panels) {
        QString name = QLatin1String(p.entry), part3D;
        if (const DispatchPtr panel = member(p.control))
            vbTrap([&] { AspRegSp(name, panel, part3D); });
    }
    for (const char* panel : {"spInt", "spSis"})
        vbTrap([&] { putProperty(member(panel), QStringLiteral("Caption"), Variant(QString())); });
    for (const char* label : {"inplbinf", "inplbmsg"})
        vbTrap([&] { CorRegOb(QLatin1String(kInfoEntry), member(label)); });
    vbTrap([&] { CorRegOb(QLatin1String(kFormEntry), member("tbOpc")); });
}

} // namespace zv
