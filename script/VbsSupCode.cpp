// VbsSup: loading script code from lines and files, and the list of the script's procedures.

#include "VbsSup.h"

#include "BasFx.h"
#include "FileHandles.h"
#include "Text.h"
#include "TxtGlb.h"

#include <QTextStream>

namespace zv {

namespace {

// The scanner's quote character for one cut, put back as it was afterwards.
class ScannerQuote {
public:
    explicit ScannerQuote(const QString& quote) : saved_(basFxState().quote) {
        basFxState().quote = quote;
    }
    ~ScannerQuote() { basFxState().quote = saved_; }
    ScannerQuote(const ScannerQuote&) = delete;
    ScannerQuote& operator=(const ScannerQuote&) = delete;

private:
    QString saved_;
};

// Closes a numbered file however the reading ends.
class FileNumberGuard {
public:
    explicit FileNumberGuard(int number) : number_(number) {}
    ~FileNumberGuard() {
        vbTrap([&] { Close(number_); });
    }
    FileNumberGuard(const FileNumberGuard&) = delete;
    FileNumberGuard& operator=(const FileNumberGuard&) = delete;

private:
    int number_;
};

} // namespace

void VbsSup::PgmRegArr(int cutComments, const QStringList& lines, int& ok) {
    QString code;
    for (qsizetype i = 1; i < lines.size(); ++i)
        PgmTxJun(cutComments, code, lines.at(i));
    PgmRegExe(code, ok);
}

void VbsSup::PgmTxJun(int cutComments, QString& text, const QString& line) {
    if (cutComments != 1) {
        TxLinAdi(text, line);
        return;
    }
    // The statement ends at the first apostrophe outside a string literal: an apostrophe
    // inside "..." (where "" stands for one quote) belongs to the literal.
    QString rest = line;
    QString part;
    QString sep;
    {
        ScannerQuote quote(QStringLiteral("\""));
        BasTxSepExe(rest, QStringLiteral("'"), part, sep);
    }
    part = Trim(part);
    if (part.isEmpty()) return;
    TxLinAdi(text, part);
}

void VbsSup::PgmLer(const QString& file, int cutComments, QString& text, int& ok) {
    text.clear();
    ok = 1;
    const bool read = !vbTrap([&] {
        const int number = FreeFile();
        Open(file, FileMode::Input, number);
        FileNumberGuard guard(number);
        while (!Eof(number))
            PgmTxJun(cutComments, text, LineInput(number));
    });
    if (!read) ok = 0;
}

void VbsSup::PgmRegExe(const QString& code, int& ok) {
    ok = 1;
    if (!vbTrap([&] { engine().addCode(code); })) return;
    ok = 0;
    // A script that does not load leaves every later call failing without a word: say why.
    int32_t number = 0;
    QString description;
    QString position;
    if (vbTrap([&] { VbsErr(number, description, position); }))
        description = QStringLiteral("no script engine");
    QString message = QStringLiteral("VbsSup: script code not loaded: ") + description;
    if (!position.isEmpty()) message += QStringLiteral("  ") + position;
    QTextStream(stderr) << message << Qt::endl;
}

void VbsSup::ConFxReg(QStringList& names, int& count) {
    count = 0;
    names = QStringList{QString()};
    vbTrap([&] {
        for (const vbs::ProcedureInfo& p : engine().procedures()) {
            ++count;
            names.append(p.name);
        }
    });
}

void VbsSup::ConFxRegTx(QString& text, int& count) {
    QStringList names;
    ConFxReg(names, count);
    text.clear();
    for (int i = 1; i <= count; ++i)
        TxJun(text, QStringLiteral(","), Variant(names.at(i)));
}

} // namespace zv
