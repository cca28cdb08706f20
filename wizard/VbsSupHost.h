#pragma once
// The script host VbsSup as the engine's VbsHost: the engine's default script host. The host
// does nothing with the script until a form's engine is bound to it (VbsSup::VbsRegFS); until
// then its operations fail through their flags.

#include "VbsHost.h"

#include <memory>

namespace zv {

class VbsSup;

class VbsSupHost : public VbsHost {
public:
    // A host of its own, with its FxIni run.
    VbsSupHost();
    // An existing host (it stays the caller's too).
    explicit VbsSupHost(std::shared_ptr<VbsSup> host);
    ~VbsSupHost() override;

    VbsSup& sup() const { return *host_; }
    const std::shared_ptr<VbsSup>& supPtr() const { return host_; }

    void FxIni() override;
    void FxFim() override;
    void VbsRegFS(const VbsHostFormPtr& form) override;
    void RegObPrp(const QString& kind, const QString& name, const Variant& object,
                  int& ok) override;
    void VbsIni() override;
    void PgmRegArr(int cutComments, const QStringList& lines, int& ok) override;
    void ExeCmd(const QString& statement, int& ok) override;
    void ExeCalc(const QString& expression, Variant& result, int& ok) override;
    Variant SupVbsFx(const Variant& args, QString& kind) override;
    int lastCallFlag() const override;
    vbs::ScriptErrorInfo lastError() const override;

private:
    std::shared_ptr<VbsSup> host_;
};

} // namespace zv
