#include "VbsSupHost.h"

#include "VbsSup.h"

namespace zv {

VbsSupHost::VbsSupHost() : host_(std::make_shared<VbsSup>()) {
    host_->FxIni();
}

VbsSupHost::VbsSupHost(std::shared_ptr<VbsSup> host) : host_(std::move(host)) {}

VbsSupHost::~VbsSupHost() = default;

void VbsSupHost::FxIni() {
    host_->FxIni();
}

void VbsSupHost::FxFim() {
    host_->FxFim();
}

void VbsSupHost::VbsRegFS(const VbsHostFormPtr& form) {
    host_->VbsRegFS(form);
}

void VbsSupHost::RegObPrp(const QString& kind, const QString& name, const Variant& object,
                          int& ok) {
    host_->RegObPrp(kind, name, object, ok);
}

void VbsSupHost::VbsIni() {
    host_->VbsIni();
}

void VbsSupHost::PgmRegArr(int cutComments, const QStringList& lines, int& ok) {
    host_->PgmRegArr(cutComments, lines, ok);
}

void VbsSupHost::ExeCmd(const QString& statement, int& ok) {
    host_->ExeCmd(statement, ok);
}

void VbsSupHost::ExeCalc(const QString& expression, Variant& result, int& ok) {
    host_->ExeCalc(expression, result, ok);
}

Variant VbsSupHost::SupVbsFx(const Variant& args, QString& kind) {
    return host_->SupVbsFx(args, kind);
}

int VbsSupHost::lastCallFlag() const {
    return host_->lastCallFlag();
}

vbs::ScriptErrorInfo VbsSupHost::lastError() const {
    const auto& engine = host_->control();
    return engine ? engine->error() : vbs::ScriptErrorInfo{};
}

} // namespace zv
