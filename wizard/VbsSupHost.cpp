#include "VbsSupHost.h"

#include "VbsSup.h"

namespace zv {

VbsSupHost::VbsSupHost() : host_(std::make_shared<VbsSup>()) {
    host_->FxIni();
}

VbsSupHost::VbsSupHost(std::shared_ptr<VbsSup> host) : host_(std::move(host)) {}

VbsSupHost::~VbsSupHost() = default;

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

} // namespace zv
