// TdaOpc: life cycle, reading a file and the zone walk, the entry table and the zone arrays.
// The options and the command line are in TdaOpcOpc.cpp.

#include "TdaOpc.h"

#include "DbgFx.h"
#include "FicGlb.h"
#include "FileHandles.h"
#include "GlbVar.h"
#include "NumFxd.h"
#include "ParamLine.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv {

namespace {

const QString kClassName = QStringLiteral("TdaOpc");

double leadingNumber(const QString& text) {
    double n = 0;
    vbTrap([&] { n = NumDbl(Variant(text)); });
    return n;
}

// The value of an entry as each value type takes it; a Variant takes the text when it holds
// a string on the way in, the number otherwise.
void entryValue(const TdaReg& r, QString& value) {
    value = r.Val;
}
void entryValue(const TdaReg& r, double& value) {
    value = r.Num;
}
void entryValue(const TdaReg& r, Variant& value) {
    value = value.isString() ? Variant(r.Val) : Variant(r.Num);
}

// An entry by its index, for every value type: ok 0 when the index names no entry.
template <class T>
void entryAt(const EntryTable& table, int index, QString& key, T& value, QString& type, int& ok) {
    if (!table.has(index)) {
        ok = 0;
        return;
    }
    const TdaReg& r = table.at(index);
    key = r.Chv;
    type = r.Tip;
    entryValue(r, value);
    ok = 1;
}

// An entry by its key, for every value type.
template <class T>
void entryByKey(const TdaOpc& opc, const QString& key, T& value, int& ok, QString& type) {
    int index = -1;
    opc.MemIdxUsa(key, index);
    QString fullKey;
    opc.MemConIdx(index, fullKey, value, type, ok);
}

} // namespace

TdaOpc::TdaOpc() {
    reader_.setSource([this](QString& line) { return handles_.readLine(line); });
    DbgObIni(kClassName, instanceId_);
    FxIni();
}

TdaOpc::~TdaOpc() {
    DbgObFim(kClassName, instanceId_);
    FxFim();
}

void TdaOpc::FxIni() {
    DbgFxIni(kClassName, instanceId_, QStringLiteral("#I"));
    MemLpz();
    table_.clearLines();
    OpcFixIni();
    // Files still open from an earlier use are closed, not forgotten.
    handles_.closeAll();
    OpcEspIni();
    DbgFxIni(kClassName, instanceId_, QStringLiteral("#F"));
}

void TdaOpc::FxFim() {
    DbgFxFim(kClassName, instanceId_);
    handles_.closeAll();
    table_.clear();
    table_.clearLines();
    options_.clearRecords();
    options_.fixed().clear();
    options_.user().clear();
    header_.fill(QString());
}

QString TdaOpc::CabLin(int n) const {
    return n >= 1 && n <= int(header_.size()) ? header_[size_t(n - 1)] : QString();
}

// ---- Line grammar ----

void TdaOpc::ParTpp(const QString& line, QString& type, QString& key) const {
    parline::ParTpp(line, type, key);
}

void TdaOpc::ParPrep(const QString& line, QString& label, QString& key, QString& value,
                     int32_t& column) const {
    parline::ParPrep(line, label, key, value, column);
}

void TdaOpc::ParTipVar(const QString& key, QString& typePart, QString& namePart) const {
    parline::ParTipVar(key, typePart, namePart);
}

void TdaOpc::ZonIde(const QString& line, QString& name, QString& type, QString& description) const {
    parline::parseZoneHeader(line, false, name, type, description);
}

void TdaOpc::OpcEspIni() {
    reader_.resetEscapes();
}

void TdaOpc::OpcEspUsa(QString& description, int& found) {
    reader_.useZoneOptions(description, found);
}

void TdaOpc::OpcEspCon(const QString& name, Variant& value) const {
    reader_.zoneOption(name, value);
}

// ---- The handle stack ----

void TdaOpc::FicNumNov(int& handle) {
    handle = handles_.pushFree();
}

void TdaOpc::FicNumFim(int& handle) {
    handle = handles_.pop();
}

void TdaOpc::FicNum(int& handle) const {
    handle = handles_.top();
}

void TdaOpc::FicFim() {
    handles_.pop();
}

void TdaOpc::openOnNewHandle(const QString& file, const QString& mode, const QString& extra,
                             const QString& operation) {
    int handle = 0;
    FicNumNov(handle);
    // Report mode 2: the error box, then the caller goes on (reads find the end at once).
    int report = 2;
    FicAbrExe(handle, file, mode, extra, operation, report);
    handles_.setTopOpen(handle > 0 && isFileNumberOpen(handle));
}

// ---- Reading a file ----

void TdaOpc::CabLer(const QString& extra) {
    openOnNewHandle(fileName_, QStringLiteral("I"), extra, QStringLiteral("LER"));
    for (QString& h : header_) {
        QString line;
        handles_.readLine(line);
        h = Trim(line);
    }
    const QString& typeLine = header_[1];
    const int colon = InStr(typeLine, u":");
    fileType_ = UCase(Trim(colon ? Mid(typeLine, colon + 1) : typeLine));
}

void TdaOpc::tboFic(const QString& file) {
    fileName_ = file;
}

void TdaOpc::tboPrp(const QString& file, const QString& extra) {
    fileName_ = file;
    CabLer(extra);
    QString dir, name;
    FicDirNom(file, dir, name);
    OpcFixAct(QStringLiteral("ParDir"), dir);
    OpcFixAct(QStringLiteral("ParFic"), name);
}

void TdaOpc::tboFim() {
    FicFim();
}

void TdaOpc::ZonIni(const QString& file, const QString& extra) {
    table_.clearIndex();
    tboPrp(file, extra);
}

QString TdaOpc::ZonIniExi(const QString& file, const QString& extra) {
    int exists = 0;
    // Only a regular file is opened to test it: a pipe would wait for a writer, a device act.
    if (pathKind(file) == PathKind::Regular) FicExi(file, exists);
    if (exists != 1) {
        table_.clearIndex();
        return QString();
    }
    ZonIni(file, extra);
    QString name, type, description;
    int count = 0;
    ZonSeg(name, type, count, description);
    return name;
}

void TdaOpc::ZonIniLer(const QString& file, const QString& extra) {
    ZonIni(file, extra);
    QString name, type, description;
    int count = 0;
    ZonSeg(name, type, count, description);
}

void TdaOpc::ZonSeg(QString& name, QString& type, int& count, QString& description) {
    table_.clearIndex();
    const LineReader::ZoneHeader header = ZonCabLer();
    int n = 0;
    const TdaReg& rec = reader_.record();

    if (header.type == parline::kZoneTx) {
        table_.clearLines();
        table_.clearRecords();
        for (;;) {
            RegLerLin();
            if (rec.Ok != 1 || rec.Tip == u"##") break;
            if (rec.Txt.isEmpty()) continue;
            ++n;
            table_.addLine(rec.Txt);
            TdaReg line;
            line.Txt = rec.Txt;
            table_.put(n, line);
        }
    } else if (header.type == parline::kZoneZtx) {
        table_.clearLines();
        for (;;) {
            RegLerTx();
            if (rec.Ok != 1) break;
            ++n;
            table_.addLine(rec.Txt);
        }
    } else {
        for (;;) {
            RegLerLin();
            if (rec.Ok != 1 || rec.Tip == u"##") break;
            if (rec.Tip == u"=") MemReg(n, 0);
        }
        if (header.name == u"DEF") ZonDefPrp(n);
        if (header.name == u"OPC") ZonOpcPrp(n);
    }

    name = header.name;
    type = header.type;
    count = n;
    description = header.description;
}

void TdaOpc::ZonFim() {
    FicFim();
}

void TdaOpc::LerPar(QString& value, QString& key) {
    RegSegVar();
    key = reader_.record().Chv;
    value = reader_.record().Val;
}

void TdaOpc::LerPar(double& value, QString& key) {
    RegSegVar();
    key = reader_.record().Chv;
    value = reader_.record().Num;
}

// ---- The entry table ----

void TdaOpc::MemLpz() {
    table_.clear();
}

void TdaOpc::MemFim() {
    table_.clear();
}

void TdaOpc::MemReg(int& count, int keepEmpty) {
    table_.add(reader_.record(), count, keepEmpty);
}

void TdaOpc::MemIdxUsa(int number, int& index) const {
    index = number;
}

void TdaOpc::MemIdxUsa(const QString& key, int& index) const {
    // Trimmed in place and upper-cased into a text kept for the look-ups of this thread: a
    // look-up allocates nothing once the text is as long as the longest key.
    QStringView k = key;
    while (!k.isEmpty() && k.front() == u' ')
        k = k.sliced(1);
    while (!k.isEmpty() && k.back() == u' ')
        k.chop(1);
    static thread_local QString upper;
    upper.resize(k.size());
    QChar* out = upper.data();
    for (qsizetype i = 0; i < k.size(); ++i)
        out[i] = ucaseChar(k[i]);
    index = table_.find(upper);
}

void TdaOpc::MemConTxp(int number, QString& text, int& ok) const {
    if (!table_.has(number)) {
        ok = 0;
        return;
    }
    text = table_.at(number).Txt;
    ok = 1;
}

void TdaOpc::MemConTxp(const QString& key, QString& text, int& ok) const {
    int index = -1;
    MemIdxUsa(key, index);
    MemConTxp(index, text, ok);
}

void TdaOpc::MemConVop(int number, QString& value, QString& key) const {
    QString line, label;
    int ok = 0;
    int32_t column = 0;
    MemConTxp(number, line, ok);
    ParPrep(line, label, key, value, column);
}

void TdaOpc::MemConVop(const QString& key, QString& value, QString& keyAsWritten) const {
    int index = -1;
    MemIdxUsa(key, index);
    MemConVop(index, value, keyAsWritten);
}

void TdaOpc::MemConVop(const QString& key, double& value, QString& keyAsWritten) const {
    QString text;
    MemConVop(key, text, keyAsWritten);
    value = leadingNumber(text);
}

void TdaOpc::MemCmp(int number, QString& label, QString& key, QString& value, int& ok) const {
    QString line;
    int32_t column = 0;
    MemConTxp(number, line, ok);
    ParPrep(line, label, key, value, column);
}

void TdaOpc::MemCmp(const QString& key, QString& label, QString& keyAsWritten, QString& value,
                    int& ok) const {
    int index = -1;
    MemIdxUsa(key, index);
    MemCmp(index, label, keyAsWritten, value, ok);
}

void TdaOpc::MemCon(const QString& key, QString& value, int& ok, QString& type) const {
    entryByKey(*this, key, value, ok, type);
}

void TdaOpc::MemCon(const QString& key, double& value, int& ok, QString& type) const {
    entryByKey(*this, key, value, ok, type);
}

void TdaOpc::MemCon(const QString& key, Variant& value, int& ok, QString& type) const {
    entryByKey(*this, key, value, ok, type);
}

void TdaOpc::MemCon(const QString& key, QString& value, int& ok) const {
    QString type;
    MemCon(key, value, ok, type);
}

void TdaOpc::MemCon(const QString& key, double& value, int& ok) const {
    QString type;
    MemCon(key, value, ok, type);
}

void TdaOpc::MemConIdx(int index, QString& key, QString& value, QString& type, int& ok) const {
    entryAt(table_, index, key, value, type, ok);
}

void TdaOpc::MemConIdx(int index, QString& key, double& value, QString& type, int& ok) const {
    entryAt(table_, index, key, value, type, ok);
}

void TdaOpc::MemConIdx(int index, QString& key, Variant& value, QString& type, int& ok) const {
    entryAt(table_, index, key, value, type, ok);
}

void TdaOpc::MemSN(const QString& key, int& result) const {
    Variant v(int16_t(0));
    MemSN(key, v);
    result = v.isString() ? 0 : int(v.numericValue());
}

void TdaOpc::MemSN(const QString& key, Variant& result) const {
    QString text;
    int ok = 0;
    MemCon(key, text, ok);
    TxSN(Variant(text), result);
}

void TdaOpc::MemPath(const QString& key, QString& text, int& ok, QString& type) const {
    MemCon(key, text, ok, type);
    OpcSbr(text);
}

void TdaOpc::MemOpcPrp(const QString& line, int ok) {
    QString text = line;
    TxFxEsc(text);
    parline::fillRecord(reader_.record(), text, ok);
}

void TdaOpc::MemOpcReg(const QString& key, const QString& value) {
    TdaReg r;
    r.Chv = key;
    r.Val = value;
    r.Num = leadingNumber(value);
    reader_.record() = r;
    int count = table_.last();
    MemReg(count, 0);
}

// ---- Zone arrays ----

void TdaOpc::ZonArr(const QString& mode, int count, NameValueTable& table) const {
    if (mode == u"IDE")
        table.clear();
    else if (!(mode > QStringLiteral("IDE") && mode <= QStringLiteral("IDEx")))
        return;
    for (int i = 1; i <= count && table_.has(i); ++i)
        table.set(table_.at(i).Chv, table_.at(i).Val);
}

void TdaOpc::ZonArr(const QString& mode, int count, QList<QStringList>& rows) const {
    const int n = std::max(count, 0);
    rows = QList<QStringList>(3, QStringList(n + 1));
    if (mode != u"MUL") return;
    for (int i = 1; i <= n && table_.has(i); ++i) {
        const TdaReg& r = table_.at(i);
        rows[0][i] = r.Nom;
        rows[1][i] = r.Chv;
        rows[2][i] = r.Val;
    }
}

void TdaOpc::ZonArr(const QString& mode, int count, QStringList& values) const {
    const int n = std::max(count, 0);
    QStringList result(n + 1);
    const QStringList& lines = table_.lines();
    for (int i = 1; i <= n; ++i) {
        if (mode == u"FIC") {
            if (table_.has(i)) result[i] = options_.substitute(table_.at(i).Val, commandLine_);
        } else if (i < lines.size()) {
            result[i] = lines.at(i);
        }
    }
    values = result;
}

} // namespace zv
