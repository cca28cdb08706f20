#include "ParamFormat.h"

#include "LineReader.h"
#include "ProcessContext.h"
#include "Text.h"
#include "TxtGlb.h"

#include <array>

namespace zv::parfmt {

namespace {

constexpr int kFrameWidth = 80;

// The escape of a run of characters: "chr$(13,10)".
QString escapeRun(QStringView run) {
    QString out = QStringLiteral("chr$(");
    for (qsizetype i = 0; i < run.size(); ++i) {
        if (i) out += u',';
        out += QString::number(run[i].unicode());
    }
    return out + u')';
}

// text padded with blanks or cut to width characters.
QString fitted(const QString& text, int width) {
    return text.size() >= width ? text.left(width) : text + QString(width - text.size(), u' ');
}

// Whether a line begins with "+" after its blanks (the reader then trims it).
bool trimmedByReader(QStringView line) {
    qsizetype a = 0;
    while (a < line.size() && line[a] == u' ')
        ++a;
    return a < line.size() && line[a] == u'+';
}

} // namespace

QString frameLine(QChar c) {
    return u'\'' + QString(kFrameWidth - 1, c);
}

QString headerLine(int n, const QString& text) {
    static const std::array<QString, 5> prefixes{
        QStringLiteral("'Nome       : "), QStringLiteral("'Tipo       : "),
        QStringLiteral("'Data       : "), QStringLiteral("'Versao     : "),
        QStringLiteral("'Descricao  : ")};
    return n >= 1 && n <= 5 ? prefixes[size_t(n - 1)] + text : text;
}

QString zoneHeaderLine(const QString& nameType, const QString& description) {
    return u'#' + escapeBreaks(nameType) + QStringLiteral(" - ") + escapeValue(description, false);
}

QString versionLine(const QString& version, const QString& date) {
    QString line = frameLine(u'-');
    line.replace(2, 10, QStringLiteral(" Versao : "));
    line.replace(12, 6, fitted(version, 6));
    line.replace(18, 11, fitted(date, 11));
    return line;
}

QString optionLine(const QString& key, const QString& label, const QString& value, int column) {
    const QString k = u'[' + key + u']';
    const QString l = escapeBreaks(label);
    const QString left =
        k.size() + l.size() > column ? l + u' ' + k : fitted(l, column - int(k.size())) + k;
    return left + u'=' + escapeValue(value, trimmedByReader(left));
}

QString escapeBreaks(const QString& text) {
    if (!text.contains(u'\r') && !text.contains(u'\n')) return text;
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype j = i;
        while (j < text.size() && (text[j] == u'\r' || text[j] == u'\n'))
            ++j;
        if (j > i) {
            out += escapeRun(QStringView(text).sliced(i, j - i));
            i = j;
        } else {
            out += text[i++];
        }
    }
    return out;
}

QString escapeValue(const QString& text, bool trimmedLine) {
    QString out = escapeBreaks(text);
    if (trimmedLine) {
        qsizetype blanks = 0;
        while (blanks < out.size() && out[out.size() - 1 - blanks] == u' ')
            ++blanks;
        if (blanks) {
            const QString run(blanks, u' ');
            out.chop(blanks);
            return out + escapeRun(run);
        }
    }
    if (out.endsWith(u'+')) {
        out.chop(1);
        out += escapeRun(u"+");
    }
    return out;
}

bool keyWritable(const QString& key) {
    if (Trim(key).isEmpty()) return false;
    for (QChar c : key)
        if (c == u'[' || c == u']' || c == u'\r' || c == u'\n') return false;
    return true;
}

bool readAlone(const QString& line, int escapeFlag, TdaReg& record) {
    bool given = false;
    LineReader reader([&](QString& out) {
        if (given) return false;
        out = line;
        given = true;
        return true;
    });
    reader.setEscapeFlag(escapeFlag);
    reader.readLogical();
    record = reader.record();
    return record.Ok == 1;
}

QString valueReadBack(const QString& value, int escapeFlag) {
    QString v = value;
    if (escapeFlag == 1) TxFxEsc(v);
    return v;
}

bool entryReadsBack(const QString& line, int escapeFlag, const QString& chv, const QString& value) {
    TdaReg r;
    return readAlone(line, escapeFlag, r) && r.Tip == u"=" && r.Chv == chv &&
           r.Val == valueReadBack(value, escapeFlag);
}

QString today() {
    return ProcessContext::current().now().date().toString(QStringLiteral("yyyy/MM/dd"));
}

} // namespace zv::parfmt
