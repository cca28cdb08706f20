#include "LogLayout.h"

#include "FicGlb.h"
#include "NumFxd.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv::loglayout {

namespace {

const QString kFrame(kFrameWidth, u'=');

// Labels of the header, 13 characters with ": ".
const QString kDate = QStringLiteral("Data       : ");
const QString kType = QStringLiteral("Tipo       : ");
const QString kUser = QStringLiteral("Utilizador : ");
const QString kProgram = QStringLiteral("Programa   : ");

// Labels of the error block, 17 characters with ": ".
const QString kSource = QStringLiteral("Origem do erro : ");
const QString kOperation = QStringLiteral("Operação       : ");
const QString kMisc = QStringLiteral("Diversos       : ");

// left and right joined with sep when both are there (foundation TxJun).
QString joined(const QString& left, const QString& sep, const QString& right) {
    QString out = left;
    TxJun(out, sep, Variant(right));
    return out;
}

// Element i of a one-dimensional array, or nothing when the array lacks it.
bool elementText(const Variant& arr, int i, QString& text) {
    if (!arr.isArray()) return false;
    const VArray& a = arr.array();
    if (a.dimensions() != 1 || i < a.lbound(1) || i > a.ubound(1)) return false;
    text = TxCnv(a.at1(i));
    return true;
}

int upperOf(const Variant& arr) {
    if (!arr.isArray() || arr.array().dimensions() != 1) return -1;
    return arr.array().ubound(1);
}

} // namespace

QString dateText(const QDateTime& when) {
    return when.toString(QStringLiteral("yyyy/MM/dd"));
}

QString timeText(const QDateTime& when) {
    return when.toString(QStringLiteral("HH:mm:ss"));
}

QStringList CabReg(const LogStamp& stamp, const QString& type, const QString& text,
                   const QString& mode) {
    const bool full = mode == u"*";
    QStringList lines{kFrame,
                      kDate + dateText(stamp.when) + QStringLiteral("  ") + timeText(stamp.when)};
    if (full) {
        const QString shownType = type.isEmpty() ? QStringLiteral("INFO")
                                  : type == u"-" ? QString()
                                                 : type;
        lines << kType + joined(shownType, QStringLiteral(" - "), Trim(text));
    }
    lines << kUser + TxPadDir(stamp.user, 10) + QStringLiteral(" (") + stamp.machine + u')';
    if (full) {
        lines << kProgram + TxPadDir(stamp.program, 10) + QStringLiteral(" (") +
                     joined(Trim(stamp.version), QStringLiteral(" "), stamp.comments) + u')';
    }
    lines << kFrame;
    return lines;
}

QString timedLine(const QDateTime& when, const QString& text, const QString& extra) {
    QString line = timeText(when) + u' ' + text;
    if (!extra.isEmpty()) line += QStringLiteral(" (") + extra + u')';
    return line;
}

QStringList identifiedLines(const QDateTime& when, const QString& id, const QString& text,
                            const QString& text2) {
    QStringList lines{timeText(when) + u' ' + TxPad(id, 40) + u' ' + text};
    if (!text2.isEmpty()) lines << QStringLiteral("  ") + text2;
    return lines;
}

QString SitTx(const Variant& flag) {
    const Variant yes = TxTipCnv(flag, QStringLiteral("01"));
    return yes.numericValue() == 1 ? QStringLiteral("OK") : QStringLiteral("ERRO");
}

QString SitCnv(const QString& label, const QString& status) {
    const QString shown = status == u"0"   ? QStringLiteral("INVALIDO/ERRO")
                          : status == u"1" ? QStringLiteral("OK")
                                           : status;
    return TxPad(label, 49) + u' ' + shown;
}

QString SepLin(const Variant& code, int width) {
    const int w = qMax(0, width);
    if (code.isNumber() && !code.isString()) {
        const double c = code.numericValue();
        if (c < 0) {
            const QChar ch = c == -2 ? u'=' : c == -1 ? u'-' : u'*';
            return QString(w, ch);
        }
    }
    const QString text = TxCnv(code);
    return text.isEmpty() ? QString() : QString(w, text.at(0));
}

QStringList LinLpz(int n) {
    QStringList lines;
    for (int i = 0; i < qMin(n, kMaxBlankLines); ++i)
        lines << QString();
    return lines;
}

QStringList separatorOrBlanks(int n, int width) {
    if (n < 1) return {SepLin(Variant(int32_t(n)), width)};
    return LinLpz(n);
}

QStringList FicTitReg(qint64 logSize, const QString& title, const QStringList& headerLines, int n) {
    if (logSize >= kTitleBelowBytes) return {};
    QStringList lines{title};
    if (!headerLines.isEmpty()) lines << QString() << headerLines;
    return lines << LinLpz(n);
}

QStringList FicTitVer(qint64 logSize, int n) {
    return logSize >= 1 ? LinLpz(n) : QStringList();
}

QString overwrite(const QString& line, int column, const QString& text) {
    if (column < 1 || column > line.size()) return line;
    QString out = line;
    const int room = int(line.size()) - column + 1;
    out.replace(column - 1, qMin(room, int(text.size())), text.left(room));
    return out;
}

QString columnLineEdit(const QString& line, int column, const QString& text, int width) {
    const int w = qMax(0, width);
    if (column < 0) return QString(w, u' ');
    if (column > w) return line;
    if (column == 0) return TxPad(RTrim(line) + u' ' + text, w);
    return overwrite(line, column, text);
}

QString columnValues(const QList<int>& starts, const Variant& values, int width) {
    const int w = qMax(0, width);
    QString line(w, u' ');
    for (int i = 1; i < starts.size(); ++i) {
        const int s = starts[i];
        if (s < 1 || s > w) continue;
        const int size = i + 1 < starts.size() ? starts[i + 1] - s - 1 : w - s;
        QString text;
        if (!elementText(values, i, text)) continue;
        line = overwrite(line, s, TxPad(text, size));
    }
    return line;
}

QString errorText(int number, const QString& description) {
    if (!Trim(description).isEmpty())
        return QStringLiteral("Erro : ") + QString::number(number) + QStringLiteral(" - ") +
               description;
    QString text, source;
    ErrTx(number, text, source);
    return text;
}

QStringList ErrReg(qint64 logSize, const LogStamp& stamp, const QString& errorText,
                   const QString& source, const QString& operation) {
    QStringList lines = FicTitVer(logSize, 2);
    lines << CabReg(stamp, QStringLiteral("ERRO"), errorText, QStringLiteral("*"));
    if (!errorText.isEmpty()) lines << kSource + source << kOperation + operation;
    return lines;
}

QStringList MsgDiv(const Variant& misc) {
    const int n = upperOf(misc);
    QStringList lines;
    for (int i = 1; i <= n; ++i) {
        QString text;
        elementText(misc, i, text);
        lines << (i == 1 ? kMisc : QString(kMisc.size(), u' ')) + text;
    }
    if (!lines.isEmpty()) lines << QString();
    return lines;
}

QStringList MsgInfAdi(const Variant& additional) {
    const int n = upperOf(additional);
    if (n < 1) return {};
    QString heading = QStringLiteral("Informação adicional");
    QString suffix;
    elementText(additional, 0, suffix);
    TxJun(heading, QStringLiteral(" - "), Variant(Trim(suffix)));
    QStringList lines{heading, QString(kFrameWidth, u'-')};
    for (int i = 1; i <= n; ++i) {
        QString number, text;
        NumTxPad(Variant(int32_t(i)), 3, QStringLiteral("0"), number);
        elementText(additional, i, text);
        lines << number + QStringLiteral(" - ") + text;
    }
    return lines << QString();
}

QStringList programEnd(const QString& reason) {
    return {QString(), joined(QStringLiteral("Programa TERMINADO"), QStringLiteral(" - "), reason),
            QString()};
}

QString FicNomExp(const QString& name, const QString& machine, const QString& user,
                  const QString& day) {
    QString text = name;
    for (int round = 0; round < 21; ++round) {
        QString before, inside, after;
        int len = 0;
        TxDlmExt(text, before, inside, after, len, QStringLiteral("{}"));
        if (len == 0) break;
        const QString token = TxMai(inside);
        const QString value = token == u"MAQ"   ? machine
                              : token == u"UTZ" ? user
                              : token == u"DIA" ? day
                                                : QString();
        text = before + value + after;
    }
    return text;
}

QString lockPathOf(const QString& file) {
    if (file.isEmpty()) return {};
    const QString sep = ficSep();
    const qsizetype cut = file.lastIndexOf(sep);
    const QString folder = cut < 0 ? QString() : file.left(cut + sep.size());
    const QString name = file.mid(folder.size());
    int dot = 0;
    FicExtPos(name, dot);
    const QString lock = folder + (dot > 0 ? name.left(dot - 1) : name) + QStringLiteral(".lck");
    return lock == file ? file + QStringLiteral(".lck") : lock;
}

} // namespace zv::loglayout
