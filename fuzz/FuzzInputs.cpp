#include "FuzzInputs.h"

#include "Compiler.h"
#include "Encoding.h"
#include "HeadlessMessageBox.h"
#include "RtfReader.h"
#include "ScriptControl.h"
#include "SyntaxError.h"
#include "TdaOpc.h"
#include "Text.h"
#include "ValueLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace zv::fuzz {

namespace {

// The file the parameter-file reader opens: one per process, rewritten for every input.
QString parameterFilePath() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/zv-fuzz-XXXXXX"));
    return dir.filePath(QStringLiteral("input.par"));
}

void readEntries(TdaOpc& par, int count) {
    for (int i = 1; i <= count && i < 64; ++i) {
        const TdaReg& r = par.entries().at(i);
        QString text;
        double number = 0;
        int ok = 0;
        par.MemCon(r.Chv, text, ok);
        par.MemCon(r.Chv, number, ok);
        par.OpcCon(r.Chv, text);
        par.OpcCon(r.Chv, number);
        Variant v(0.0);
        par.OpcCon(r.Chv, v);
        par.OpcPath(r.Chv, text);
    }
}

} // namespace

void readParameterFile(const QByteArray& bytes) {
    const QString path = parameterFilePath();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
        file.write(bytes);
    }
    TdaOpc par;
    par.ZonIni(path);
    for (int zones = 0; zones < 64; ++zones) {
        QString name, type, description;
        int count = 0;
        par.ZonSeg(name, type, count, description);
        if (name.isEmpty()) break;
        if (type == u"IDE") {
            readEntries(par, count);
            NameValueTable table;
            par.ZonArr(QStringLiteral("IDE"), count, table);
        } else {
            QStringList lines;
            par.ZonArr(QStringLiteral("TX"), count, lines);
        }
    }
    par.ZonFim();
    for (const char* key : {"APP:PATH", "WIN:TMP", "LC:FP", "PARDIR", "PARFIC"}) {
        QString text;
        double number = 0;
        par.OpcCon(QString::fromLatin1(key), text);
        par.OpcCon(QString::fromLatin1(key), number);
    }
}

void parseScript(const QByteArray& bytes) {
    const QString text = decodeScriptText(bytes);
    vbs::GlobalTable globals;
    try {
        vbs::compileProgram(text, globals);
    } catch (const vbs::SyntaxErrorException&) {
    } catch (const VbError&) {
    }
    try {
        vbs::compileExpression(text, globals);
    } catch (const vbs::SyntaxErrorException&) {
    } catch (const VbError&) {
    }
}

void runScript(const QByteArray& bytes) {
    struct Limit {
        int64_t before = valueSizeLimit();
        Limit() { setValueSizeLimit(kValueBytes); }
        ~Limit() { setValueSizeLimit(before); }
    } limit;
    vbs::ScriptControl engine;
    engine.setStepLimit(kScriptSteps);
    engine.setMessageBoxService(std::make_shared<HeadlessMessageBox>());
    try {
        engine.addCode(decodeScriptText(bytes));
    } catch (const VbError&) {
    }
}

void readRtf(const QByteArray& bytes) {
    (void)rtf::isRtf(bytes);
    const rtf::Document doc = rtf::parse(bytes);
    (void)doc.text();
}

} // namespace zv::fuzz
