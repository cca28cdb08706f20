// TdaOpc: writing new files (header, version history, zones, option lines) and editing a file
// loaded whole. Zone copies and templates are in TdaOpcZon.cpp.

#include "TdaOpc.h"

#include "Convert.h"
#include "Datas.h"
#include "FicGlb.h"
#include "NumFxd.h"
#include "ParamFormat.h"
#include "ParamLine.h"
#include "Text.h"
#include "VbError.h"

namespace zv {

namespace {

bool holdsLineEnd(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

} // namespace

// ---- Header ----

void TdaOpc::CabPrp(const QString& type, const QString& date, const QString& version,
                    const QString& description) {
    QString name, t, d;
    CabOpcNfi(fileName_, name);
    CabOpcTip(Trim(type), t);
    CabOpcDt(Variant(Trim(date)), d);
    const QString v = Trim(version).isEmpty() ? QStringLiteral("1.0") : Trim(version);
    header_ = {parfmt::headerLine(1, name), parfmt::headerLine(2, t), parfmt::headerLine(3, d),
               parfmt::headerLine(4, v), parfmt::headerLine(5, Trim(description))};
}

int TdaOpc::CabCri(int close) {
    openWriter(fileName_);
    ParamWriter* writer = handles_.topWriter();
    for (const QString& line : header_) {
        // A header line is read whole, never joined or escaped: a line end cannot be written.
        if (holdsLineEnd(line)) writer->fail(err::InvalidCall);
        write(line);
    }
    write(QString());
    return close == 1 ? RegFim() : writer->error();
}

void TdaOpc::CabCon(const QString& mode, int n, QString& text) const {
    QString line = CabLin(n);
    if (mode == u"V") {
        const int colon = InStr(line, u":");
        line = colon ? Mid(line, colon + 1) : QString();
    }
    text = Trim(line);
}

void TdaOpc::CabOpcNfi(const QString& value, QString& name) const {
    QString dir, file;
    if (!value.isEmpty()) FicDirNom(fileName_, dir, file);
    name = file;
}

void TdaOpc::CabOpcTip(const QString& value, QString& type) const {
    type = value.isEmpty() ? QStringLiteral("PAR") : value;
}

void TdaOpc::CabOpcDt(const Variant& value, QString& date) const {
    QString d;
    if (value.isString()) {
        d = Trim(value.rawString());
    } else if ((value.isNumber() || value.isDate()) && value.numericValue() != 0) {
        DtaSepBar(0, value, d);
    }
    date = d.isEmpty() ? parfmt::today() : d;
}

// ---- Writing to the top file ----

int TdaOpc::openWriter(const QString& target) {
    auto writer = std::make_unique<ParamWriter>(target);
    if (Trim(target).isEmpty()) {
        writer->fail(err::BadFileNameOrNumber);
    } else {
        const TextFormat* format = newFormat_       ? &*newFormat_
                                   : edit_.loaded() ? &edit_.format()
                                                    : nullptr;
        writer->open(format);
    }
    const int result = writer->error();
    handles_.pushWriter(std::move(writer));
    return result;
}

void TdaOpc::write(const QString& line) {
    if (ParamWriter* writer = handles_.topWriter()) writer->line(line);
}

int TdaOpc::RegFicPrp(const QString& file) {
    return openWriter(Trim(file).isEmpty() ? edit_.name() : file);
}

int TdaOpc::RegFim() {
    int closed = 0;
    handles_.pop(&closed);
    return closed;
}

void TdaOpc::RegTx(const QString& text) {
    write(text);
}

void TdaOpc::RegNls(int n) {
    for (int i = 0; i < n; ++i)
        write(QString());
}

void TdaOpc::RegSep(const QString& style) {
    if (style == u"-" || style == u"=" || style == u"#")
        write(parfmt::frameLine(style.front()));
    else
        write(QString());
}

void TdaOpc::RegGrpCabVer() {
    write(parfmt::frameLine(u'='));
    write(QStringLiteral("'#VER - Historia de modificacoes"));
    write(parfmt::frameLine(u'='));
}

void TdaOpc::RegGrpVer(const QString& version, const QString& date, const QString& text,
                       int linesBefore) {
    QString v = Trim(version), d = Trim(date), t = text;
    if (v.isEmpty()) CabCon(QStringLiteral("V"), 4, v);
    if (d.isEmpty()) CabCon(QStringLiteral("V"), 3, d);
    if (t.isEmpty()) t = QStringLiteral("Versao base");
    RegNls(linesBefore);
    write(parfmt::versionLine(v, d));
    write(t);
    RegNls(2);
}

void TdaOpc::RegGrpCab(const QString& name, const QString& type, const QString& description) {
    zoneHeader(name + u':' + type, description);
}

void TdaOpc::RegGrpCabDef() {
    RegGrpCab(QStringLiteral("DEF"), QStringLiteral("IDE"), QStringLiteral("Definicoes base"));
}

void TdaOpc::RegGrpFim() {
    write(QStringLiteral("##"));
    RegNls(2);
}

int TdaOpc::optionLine(const QString& key, const QString& label, const QString& value, int column,
                       int escapeFlag, QString& line) const {
    line.clear();
    if (!parfmt::keyWritable(key)) return err::InvalidCall;
    const QString l = parfmt::optionLine(key, label, value, column);
    TdaReg r;
    if (!parfmt::entryReadsBack(l, escapeFlag, UCase(Trim(key)), value) ||
        !parfmt::readAlone(l, escapeFlag, r) ||
        r.Nom != Trim(parfmt::valueReadBack(label, escapeFlag)))
        return err::InvalidCall;
    line = l;
    return 0;
}

int TdaOpc::RegOpcPrp(const QString& key, const QString& label, const QString& value, int column,
                      QString& line) const {
    return optionLine(key, label, value, column, 1, line);
}

int TdaOpc::RegGrpOpc(const QString& key, const QString& label, const QString& value, int column) {
    return writeOptionLine(key, label, value, column, QString());
}

int TdaOpc::RegGrpOpa(const QString& key, const QString& label, const QString& value, int column) {
    return writeOptionLine(key, label, value, column, QStringLiteral("'"));
}

int TdaOpc::writeOptionLine(const QString& key, const QString& label, const QString& value,
                            int column, const QString& prefix) {
    ParamWriter* writer = handles_.topWriter();
    if (!writer) return err::BadFileNameOrNumber;
    QString line;
    if (const int e = optionLine(key, label, value, column, writer->escapeFlag(), line))
        writer->fail(e);
    else
        write(prefix + line);
    return writer->error();
}

void TdaOpc::zoneHeader(const QString& nameType, const QString& description) {
    const QString header = parfmt::zoneHeaderLine(nameType, description);
    // The header must read back as the zone it names (a name with a blank or a line end
    // would open another zone, or none).
    QString type, key, name, zoneType, desc;
    parline::ParTpp(header, type, key);
    parline::parseZoneHeader(header, true, name, zoneType, desc);
    const QString wanted = UCase(Trim(nameType.section(u':', 0, 0)));
    ParamWriter* writer = handles_.topWriter();
    if (writer && (type != u"#" || wanted.isEmpty() || name != wanted))
        writer->fail(err::InvalidCall);
    write(parfmt::frameLine(u'='));
    write(header);
    write(parfmt::frameLine(u'='));
}

void TdaOpc::RegZon(const QString& nameType, const QStringList& lines, const QString& description) {
    zoneHeader(nameType, description);
    for (qsizetype i = 1; i < lines.size(); ++i)
        write(lines.at(i));
    RegGrpFim();
}

void TdaOpc::RegZonIdt(const QString& name, const QString& type, const QStringList& lines,
                       const QString& description) {
    RegZon(name + u':' + type, lines, description);
}

// ---- Editing ----

int TdaOpc::RegPrp(const QString& file, int& count) {
    const int e = edit_.load(file);
    count = e ? -1 : edit_.count();
    zoneCursor_ = 0;
    return e;
}

void TdaOpc::RegCon(const QString& key, QString& value, int& ok) const {
    const ParamScan::Line* line = edit_.loaded() ? edit_.find(key) : nullptr;
    value = line ? line->record.Val : QString();
    ok = 1;
}

void TdaOpc::RegCon(const QString& key, double& value, int& ok) const {
    QString text;
    RegCon(key, text, ok);
    value = Val(text);
}

void TdaOpc::RegCon(const QString& key, Variant& value, int& ok) const {
    QString text;
    RegCon(key, text, ok);
    value = value.isString() ? Variant(text) : Variant(Val(text));
}

void TdaOpc::RegConIdx(int n, QString& line) const {
    line = edit_.line(n);
}

int TdaOpc::RegCabAct(const QString& code, const Variant& value) {
    const QString c = UCase(Trim(code));
    const QString text = value.isString() ? value.rawString() : toText(value);
    int n = 0;
    QString changed;
    if (c == u"NOM") {
        // The loaded file's own name, whatever file the object read or named last.
        n = 1;
        QString dir;
        if (!text.isEmpty()) FicDirNom(edit_.name(), dir, changed);
    } else if (c == u"TIP") {
        n = 2;
        CabOpcTip(text, changed);
    } else if (c == u"DAT") {
        n = 3;
        CabOpcDt(value, changed);
    } else if (c == u"VER") {
        n = 4;
        const QString line = edit_.line(4);
        const int colon = InStr(line, u":");
        const QString current = colon ? Trim(Mid(line, colon + 1)) : QString();
        Variant stepped{QString()};
        NumFxdFmt(text.contains(u'+') ? text : QString(), Variant(current), stepped);
        changed = stepped.rawString();
    } else if (c == u"INF") {
        n = 5;
        changed = text;
    }
    if (n == 0 || changed.isEmpty()) return 0;
    return edit_.setHeader(n, changed);
}

int TdaOpc::RegCabAlt(int n, const QString& text) {
    return edit_.setHeader(n, text);
}

int TdaOpc::RegVarAlt(const QString& key, const QString& value, int mode) {
    return edit_.setValue(key, value, mode);
}

int TdaOpc::RegVarAltTod(const QString& key, const QString& value, int mode) {
    return edit_.setEvery(key, value, mode);
}

int TdaOpc::RegVarEli(const QString& key) {
    return edit_.remove(key);
}

int TdaOpc::RegExe(const QString& file, int mode) {
    return edit_.write(file, mode);
}

} // namespace zv
