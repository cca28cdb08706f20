// TdaOpc: entry groups, option rows of "TBO" zones, and the search of a folder's parameter
// files with their descriptions.

#include "TdaOpc.h"

#include "FicGlb.h"
#include "ParamLine.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbError.h"

namespace zv {

namespace {

constexpr int kGroupRows = 3;
constexpr int kRowColumns = 10;

} // namespace

// ---- Entry groups ----

void TdaOpc::GrpDirIni(QList<QStringList>& group) const {
    group = QList<QStringList>(kGroupRows, QStringList{QString()});
}

void TdaOpc::GrpDirLib(QList<QStringList>& group) const {
    group.clear();
}

void TdaOpc::GrpDirNum(const QList<QStringList>& group, int& n) const {
    if (group.size() == kGroupRows) n = int(group.front().size()) - 1;
}

void TdaOpc::GrpDirCon(QList<QStringList>& group, int n) {
    if (n < 0) return;
    if (group.size() != kGroupRows) GrpDirIni(group);
    for (QStringList& row : group)
        row.resize(n + 1);
    for (int i = 1; i <= n; ++i) {
        QString line, label, key, value;
        int ok = 0;
        int32_t column = 0;
        MemConTxp(i, line, ok);
        if (ok != 1) continue;
        ParPrep(line, label, key, value, column);
        const QString resolved = options_.substitute(value, commandLine_);
        group[0][i] = key;
        group[1][i] = resolved;
        group[2][i] = label;
        OpcAct(key, resolved);
    }
}

void TdaOpc::GrpDirReg(const QList<QStringList>& group) {
    if (group.size() != kGroupRows) return;
    for (qsizetype i = 1; i < group[0].size() && i < group[1].size(); ++i)
        OpcAct(group[0][i], group[1][i]);
}

// ---- Option rows ----

void TdaOpc::tbOpcPrp(const QString& file, const QString& selector, const QString& extra,
                      int& count) {
    rows_ = {OpcRow{}};
    QString check;
    ZonIni(file, extra);
    for (;;) {
        QString name, type, description;
        int n = 0;
        ZonSeg(name, type, n, description);
        if (name.isEmpty()) break;
        if (name == u"DEF") OpcCon(QStringLiteral("VOP"), check);
        if (name != u"TBO" || type != parline::kZoneIde) continue;
        for (int i = 1; i <= n && table_.has(i); ++i) {
            OpcRow row;
            QString key;
            int32_t column = 0;
            ParPrep(table_.at(i).Txt, row.label, key, row.value, column);
            const QString first = key.section(u',', 0, 0);
            const qsizetype colon = first.indexOf(u':');
            row.a = colon < 0 ? first : first.left(colon);
            row.b = colon < 0 ? QString() : first.mid(colon + 1);
            int listed = 1;
            if (selector == u"*")
                listed = row.a == u"1";
            else if (!selector.isEmpty() && row.a == u"1")
                CndLisExe(selector, row.b, listed);
            else if (!selector.isEmpty())
                listed = 0;
            if (listed) rows_.push_back(row);
        }
    }
    ZonFim();
    // The rows carry no check value of their own: with the check on, a "VOP" option that is
    // not empty differs from it and no row is kept.
    if (rowCheck_ == 1 && !check.isEmpty()) rows_ = {OpcRow{}};
    count = int(rows_.size()) - 1;
}

void TdaOpc::tbOpcPro(QList<QStringList>& rows, int& n) const {
    n = std::clamp(n, 0, int(rows_.size()) - 1);
    QList<QStringList> table(n + 1, QStringList(kRowColumns));
    for (int i = 1; i <= n; ++i) {
        const OpcRow& r = rows_[size_t(i)];
        QString dir, name;
        FicDirNom(options_.substitute(r.value, commandLine_), dir, name);
        table[i][0] = r.label;
        table[i][1] = r.b;
        table[i][2] = dir;
        table[i][3] = name;
    }
    rows = table;
}

// ---- File search ----

void TdaOpc::FpaPsq(const QString& folder, const QString& pattern, QList<QStringList>& table,
                    int& count) {
    QStringList names;
    int found = 0, res = 0;
    DirLst(QStringLiteral("F"), folder, pattern, names, found, res);
    QList<QStringList> result(found + 1, QStringList(3));
    for (int i = 1; i <= found; ++i) {
        QString path, description;
        vbTrap([&] { path = FicPathJun(folder, names.at(i)); });
        // Only a regular file is opened: a pipe would wait for a writer, a device act.
        if (pathKind(path) == PathKind::Regular) {
            vbTrap([&] { tboPrp(path); });
            vbTrap([&] { CabCon(QStringLiteral("V"), 5, description); });
            vbTrap([&] { tboFim(); });
        }
        result[i] = QStringList{description, names.at(i), path};
    }
    table = result;
    count = found;
}

} // namespace zv
