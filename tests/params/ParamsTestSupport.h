#pragma once
// Shared set-up of the parameter-file tests: a process context with a fixed program folder,
// temp folder and command line, and helpers that write parameter files.

#include "FileHandles.h"
#include "ParamLine.h"
#include "ScopedProcessContext.h"
#include "TdaOpc.h"
#include "TestSupport.h"

#include <QDateTime>
#include <QFile>
#include <QStringList>
#include <ostream>
#include <string>
#include <vector>

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
    // Today is 2026/12/07 for the header dates.
    void fixDate() {
        ctx_->setClock([] { return QDateTime(QDate(2026, 12, 7), QTime(10, 30)); });
    }
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

// A zone as the zone walk reads it, with its entries (or text lines).
struct ReadZone {
    QString name, type, description;
    int count = 0;
    std::vector<zv::TdaReg> entries; // 1..count at 0..count-1
    QStringList lines;               // a text zone's lines 1..count at 0..count-1
};

inline std::vector<ReadZone> readZones(const QString& file) {
    zv::TdaOpc par;
    std::vector<ReadZone> zones;
    par.ZonIni(file);
    for (;;) {
        ReadZone z;
        par.ZonSeg(z.name, z.type, z.count, z.description);
        if (z.name.isEmpty()) break;
        for (int i = 1; i <= z.count; ++i) {
            if (z.type == u"IDE")
                z.entries.push_back(par.entries().at(i));
            else
                z.lines.append(par.ZonTx().at(i));
        }
        zones.push_back(z);
    }
    par.ZonFim();
    return zones;
}

// The value of an entry zone's key as MemCon finds it; "<none>" when absent.
inline QString readValue(const QString& file, const QString& zone, const QString& key) {
    for (const ReadZone& z : readZones(file)) {
        if (z.name != zone) continue;
        for (const zv::TdaReg& r : z.entries)
            if (zv::parline::indexKey(r.Chv) == key) return r.Val;
    }
    return QStringLiteral("<none>");
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace zvtest
