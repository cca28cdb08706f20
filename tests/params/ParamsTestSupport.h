#pragma once
// Shared set-up of the parameter-file tests: a process context with a fixed program folder,
// temp folder and command line, and helpers that write parameter files.

#include "FileHandles.h"
#include "ScopedProcessContext.h"
#include "TestSupport.h"

#include <QStringList>
#include <ostream>
#include <string>

// Failure messages show texts as text.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace zvtest {

inline std::string u8(const char16_t* s) {
    return QString::fromUtf16(s).toStdString();
}

inline const QString kApp = QStringLiteral("/opt/zelvyn");
inline const QString kTmp = QStringLiteral("/var/tmp/zv");

class ParamsContext {
public:
    explicit ParamsContext(const QStringList& args = {}) {
        ctx_->setProgramFolder(kApp);
        ctx_->setTempFolder(kTmp);
        ctx_->setArguments(QStringList{QStringLiteral("zelvyn")} + args);
    }
    ~ParamsContext() { zv::resetFileHandles(); }
    zv::ScopedProcessContext& scope() { return ctx_; }
    // The boxes shown so far.
    int boxes() { return int(ctx_.headless().messageBox->shown().size()); }

private:
    zv::ScopedProcessContext ctx_;
};

// A parameter file: five header lines, then the given lines, joined by CR LF (UTF-8).
inline QByteArray parFile(const QStringList& body) {
    QStringList lines{QStringLiteral("'Nome       : t.par"), QStringLiteral("'Tipo       : par"),
                      QStringLiteral("'Data       : 2026/01/01"),
                      QStringLiteral("'Versao     : 1.0"), QStringLiteral("'Descricao  : teste")};
    return (lines + body).join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

} // namespace zvtest
