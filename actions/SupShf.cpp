#include "SupShf.h"

#include "Convert.h"
#include "DbgFx.h"
#include "Dispatch.h"
#include "FicGlb.h"
#include "ProcessContext.h"
#include "TxtGlb.h"
#include "VbError.h"

namespace zv {

SupShf::SupShf() {
    DbgObIni(objectName_, instanceId_);
    FxIni();
}

SupShf::~SupShf() {
    DbgObFim(objectName_, instanceId_);
    FxFim();
}

void SupShf::FxIni() {
    DbgFxIni(objectName_, instanceId_, QStringLiteral("#I"));
    AllowUndo_ = false;
    ConfirmMakeDir_ = true;
    ConfirmOperation_ = true;
    CustomText_.clear();
    IncludeDirectories_ = true;
    ParentWnd_ = 0;
    RenameOnCollision_ = false;
    SilentMode_ = false;
    DbgFxIni(objectName_, instanceId_, QStringLiteral("#F"));
}

void SupShf::FxFim() {
    DbgFxFim(objectName_, instanceId_, QStringLiteral("#I"));
    DbgFxFim(objectName_, instanceId_, QStringLiteral("#F"));
}

void SupShf::RegHwnd(const DispatchPtr& form) {
    if (!form) vbRaise(err::ObjectNotSet);
    ParentWnd_ = WindowHandle(quint32(CLng(form->get(QStringLiteral("hWnd")))));
}

void SupShf::AspIde(const QString& text) {
    CustomText_ = text;
}

void SupShf::AspExe(int show, int confirm) {
    SilentMode_ = show != 1;
    ConfirmOperation_ = confirm == 1;
    ConfirmMakeDir_ = confirm == 1;
}

void SupShf::UsaRcBin(int v) {
    AllowUndo_ = v == 1;
}

int SupShf::flags(qsizetype destinationCount) const {
    int f = 0;
    if (AllowUndo_) f |= fof::AllowUndo;
    if (!ConfirmMakeDir_) f |= fof::NoConfirmMkDir;
    if (!ConfirmOperation_) f |= fof::NoConfirmation;
    if (!CustomText_.isEmpty()) f |= fof::SimpleProgress;
    if (!IncludeDirectories_) f |= fof::FilesOnly;
    if (RenameOnCollision_) f |= fof::RenameOnCollision;
    if (SilentMode_) f |= fof::Silent;
    if (destinationCount > 1) f |= fof::MultiDestFiles;
    return f;
}

bool SupShf::run(ShellOp op) {
    if (sources_.isEmpty()) throw err::NoSourceFiles();
    ShellFileRequest rq;
    rq.op = op;
    rq.from = sources_;
    rq.to = destinations_;
    rq.flags = flags(destinations_.size());
    rq.title = CustomText_;
    rq.parent = ParentWnd_;
    last_ = runShellFileOperation(rq, ProcessContext::current().shellUi());
    return last_.ok();
}

bool SupShf::runOne(ShellOp op, const QString& source, const std::optional<QString>& target) {
    OrgIni();
    DesIni();
    OrgJun(source);
    if (target) DesJun(*target);
    return run(op);
}

Variant SupShf::FxCop(const QString& src, const QString& dst) {
    return Variant(runOne(ShellOp::Copy, src, dst));
}

Variant SupShf::FxMov(const QString& src, const QString& dst) {
    return Variant(runOne(ShellOp::Move, src, dst));
}

Variant SupShf::FxEli(const QString& path) {
    return Variant(runOne(ShellOp::Delete, path));
}

Variant SupShf::FxLpzDir(const QString& dir) {
    return Variant(runOne(ShellOp::Delete, FicPathJun(dir, QStringLiteral("*.*"))));
}

Variant SupShf::FxRen(const QString&, const QString&) {
    OrgIni();
    DesIni();
    return Variant(int16_t(0));
}

Variant SupShf::FxCopArv(const QString& src, const QString& dst, int show) {
    if (show == 1) AspExe(1, 0);
    QString dir, name;
    FicDirNom(src, dir, name);
    const bool pattern = name.contains(u'*') || name.contains(u'?');
    const QString source = pattern ? src : FicPathJun(src, QStringLiteral("*.*"));
    return Variant(int16_t(FxCop(source, dst).rawBoolean() ? -1 : 0));
}

QString SupShf::pathKind(const QString& path, bool& pattern) const {
    pattern = false;
    QString kind;
    int attr = 0;
    FicTip(path, kind, attr);
    if (kind != QLatin1String("?")) return kind;
    // An absent name whose extension is "*" ("*.*", "name.*") is a pattern.
    QString dir, name;
    FicDirNom(path, dir, name);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0 && name.mid(dot + 1) == QLatin1String("*")) {
        pattern = true;
        return QStringLiteral("F");
    }
    return kind;
}

Variant SupShf::FxCopDfi(const QString& src, const QString& dst) {
    bool srcPattern = false;
    const QString kind = pathKind(src, srcPattern);
    int res = 0;
    bool copied = false;
    if (kind == QLatin1String("F")) {
        bool dstPattern = false;
        pathKind(dst, dstPattern);
        if (!dstPattern) {
            DirCriPath(dst, res);
            copied = FxCop(src, dst).rawBoolean();
        } else {
            QString dir, name;
            FicDirNom(dst, dir, name);
            DirCriNiv(dir, res);
            copied = FxCop(src, dir).rawBoolean();
        }
    } else if (kind == QLatin1String("D")) {
        // A target inside the source is refused before its folders are made, so the refusal
        // leaves nothing behind.
        AspExe(1, 0);
        last_ = refuseCopyIntoItself(src, dst, flags(1), ProcessContext::current().shellUi());
        if (last_.ok()) {
            DirCriNiv(dst, res);
            copied = FxCopArv(src, dst, 1).rawInteger() != 0;
        }
    }
    return Variant(int16_t(copied ? -1 : 0));
}

} // namespace zv
