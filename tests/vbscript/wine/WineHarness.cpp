// vbs-wine: runs test scripts written for Wine's VBScript test host (lang.vbs, api.vbs and
// regexp.vbs of the Wine project, kept outside this repository) through the engine and counts
// their assertions.
//
//     vbs-wine [--min-rate PERCENT] FILE.vbs...
//
// The scripts call functions of their host: ok(cond, msg) and todo_wine_ok (an assertion each;
// a todo_wine line still states the platform's answer), getVT (the variant type, "*" after it
// for an argument passed as a variable), isNullDisp, testArray, isArrayFixed, testDisp,
// reportSuccess, and read isEnglishLang, MaxCharSize, firstDayOfWeek, doubleAsString, testObj
// and collectionObj. "test" names the script's own global object. Lines that need a host object
// this host cannot offer (an object that is no dispatch object: unkObj) are cut before the run;
// their assertions count as not run, as do those after an error that ends a script.
//
// Prints each failed assertion and one summary line per file. Exit status 0 when every script
// ran to its end and at least PERCENT (default 99) of the assertions that ran passed.

#include "Convert.h"
#include "ScriptControl.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <cstdio>
#include <pthread.h>

using namespace zv;

namespace {

struct Counts {
    int pass = 0;
    int fail = 0;
};

// An argument the engine passes as a variable points into the engine's storage; any other is a
// temporary of the call, on the calling thread's stack. That is the one thing that tells a
// by-reference argument from outside.
bool onThisStack(const void* p) {
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0) return false;
    void* base = nullptr;
    size_t size = 0;
    pthread_attr_getstack(&attr, &base, &size);
    pthread_attr_destroy(&attr);
    auto a = reinterpret_cast<uintptr_t>(p), lo = reinterpret_cast<uintptr_t>(base);
    return a >= lo && a < lo + size;
}

QString typeText(const Variant& v) {
    if (v.isArray()) {
        // A variable declared as an array holds it by reference in the platform's engine.
        const VArray& a = v.array();
        bool declared = a.fixedSize || a.dimensions() == 0;
        return declared ? QStringLiteral("VT_ARRAY|VT_BYREF|VT_VARIANT")
                        : QStringLiteral("VT_ARRAY|VT_VARIANT");
    }
    switch (v.varType()) {
    case vbEmpty:
        return QStringLiteral("VT_EMPTY");
    case vbNull:
        return QStringLiteral("VT_NULL");
    case vbInteger:
        return QStringLiteral("VT_I2");
    case vbLong:
        return QStringLiteral("VT_I4");
    case vbSingle:
        return QStringLiteral("VT_R4");
    case vbDouble:
        return QStringLiteral("VT_R8");
    case vbCurrency:
        return QStringLiteral("VT_CY");
    case vbDate:
        return QStringLiteral("VT_DATE");
    case vbString:
        return QStringLiteral("VT_BSTR");
    case vbObject:
        return QStringLiteral("VT_DISPATCH");
    case vbError:
        return QStringLiteral("VT_ERROR");
    case vbBoolean:
        return QStringLiteral("VT_BOOL");
    case vbByte:
        return QStringLiteral("VT_UI1");
    default:
        return QStringLiteral("VT_%1").arg(v.varType());
    }
}

// testObj: every member (keywords included) reads as 10.
class AnyMemberObject : public Dispatch {
public:
    DispId memberId(const QString&) const override { return 1; }
    Variant invoke(DispId, Invoke, Args) override { return Variant(int16_t(10)); }
};

DispatchPtr makeCollection() {
    class Collection : public SimpleDispatch {
    public:
        Collection() {
            addMethod(QStringLiteral("reset"), [](Args) { return Variant(); });
        }
        std::unique_ptr<Enumerator> enumerate() override {
            struct Numbers : Enumerator {
                int16_t next_ = 1;
                bool next(Variant& out) override {
                    if (next_ > 3) return false;
                    out = Variant(next_++);
                    return true;
                }
            };
            return std::make_unique<Numbers>();
        }
    };
    return std::make_shared<Collection>();
}

DispatchPtr makeHost(Counts& counts, QStringList& failures) {
    auto host = std::make_shared<SimpleDispatch>(QStringLiteral("WineTestHost"));
    auto assertion = [&counts, &failures](Args a) {
        checkArgCount(a, 2, 2);
        const Variant& cond = *a[0];
        if (cond.isBoolean() && cond.rawBoolean()) {
            ++counts.pass;
        } else {
            ++counts.fail;
            failures << toText(*a[1]);
        }
        return Variant();
    };
    host->addMethod(QStringLiteral("ok"), assertion);
    host->addMethod(QStringLiteral("todo_wine_ok"), assertion);
    host->addMethod(QStringLiteral("getVT"), [](Args a) {
        checkArgCount(a, 1, 1);
        return Variant(typeText(*a[0]) + (onThisStack(a[0]) ? QString() : QStringLiteral("*")));
    });
    host->addMethod(QStringLiteral("isNullDisp"), [](Args a) {
        checkArgCount(a, 1, 1);
        return Variant(a[0]->isNothing());
    });
    // testArray(dims, arr): -1 for an array without dimensions (Dim a()).
    host->addMethod(QStringLiteral("testArray"), [&counts, &failures](Args a) {
        checkArgCount(a, 2, 2);
        int want = CLng(*a[0]);
        bool ok = a[1]->isArray() &&
                  a[1]->array().dimensions() == (want < 0 ? 0 : (want == 0 ? 1 : want));
        ok ? ++counts.pass : ++counts.fail;
        if (!ok) failures << QStringLiteral("testArray(%1)").arg(want);
        return Variant();
    });
    host->addMethod(QStringLiteral("isArrayFixed"), [](Args a) {
        checkArgCount(a, 1, 1);
        return Variant(a[0]->isArray() && a[0]->array().fixedSize);
    });
    host->addMethod(QStringLiteral("testDisp"), [](Args a) {
        checkArgCount(a, 1, 1);
        if (!a[0]->isObject() || !a[0]->rawObject()) throw VbError(err::ObjectRequired);
        return Variant();
    });
    host->addMethod(QStringLiteral("reportSuccess"), [](Args) { return Variant(); });
    host->addMethod(QStringLiteral("doubleAsString"), [](Args a) {
        checkArgCount(a, 1, 1);
        return Variant(CStr(*a[0]));
    });
    host->addProperty(QStringLiteral("isEnglishLang"), [](Args) { return Variant(true); });
    host->addProperty(QStringLiteral("MaxCharSize"), [](Args) { return Variant(int16_t(1)); });
    host->addProperty(QStringLiteral("firstDayOfWeek"), [](Args) { return Variant(int16_t(1)); });
    auto testObj = std::make_shared<AnyMemberObject>();
    host->addProperty(QStringLiteral("testObj"), [testObj](Args) { return Variant(testObj); });
    auto collection = makeCollection();
    host->addProperty(QStringLiteral("collectionObj"),
                      [collection](Args) { return Variant(collection); });
    return host;
}

// Lines that need a host object this host cannot offer, per script.
QRegularExpression cutPattern(const QString& fileName) {
    if (fileName == QLatin1String("lang.vbs"))
        return QRegularExpression(QStringLiteral("unkObj|VT_UNKNOWN"));
    return QRegularExpression(QStringLiteral("(?!)")); // nothing
}

const QRegularExpression& assertionPattern() {
    static const QRegularExpression re(QStringLiteral("\\b(ok|todo_wine_ok)\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

// Runs one script; false when it could not run to its end.
bool runFile(const QString& path, Counts& total, int& totalNotRun) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "vbs-wine: cannot read %s\n", qPrintable(path));
        return false;
    }
    QString name = QFileInfo(path).fileName();
    QStringList lines = QString::fromLatin1(file.readAll()).split(u'\n');
    QRegularExpression cut = cutPattern(name);
    int notRun = 0;
    for (QString& line : lines) {
        if (!line.contains(cut)) continue;
        if (line.contains(assertionPattern())) ++notRun;
        line.clear();
    }

    Counts counts;
    QStringList failures;
    vbs::ScriptControl engine;
    engine.addObject(QStringLiteral("wineTestHost"), makeHost(counts, failures), true);
    engine.addObject(QStringLiteral("test"), engine.codeObject());
    bool completed = true;
    try {
        engine.addCode(lines.join(u'\n'));
    } catch (const VbError&) {
        completed = false;
        const vbs::ScriptErrorInfo& e = engine.error();
        std::printf("%s: stopped at line %d: %d %s\n    %s\n", qPrintable(name), e.line, e.number,
                    qPrintable(e.description), qPrintable(e.text.trimmed()));
        for (int i = e.line; i < lines.size(); ++i)
            if (lines[i].contains(assertionPattern())) ++notRun;
    }
    for (const QString& f : failures)
        std::printf("%s: FAIL %s\n", qPrintable(name), qPrintable(f));
    int ran = counts.pass + counts.fail;
    std::printf("%s: %d passed, %d failed, %d not run (%.1f%% of those run pass)\n",
                qPrintable(name), counts.pass, counts.fail, notRun,
                ran ? 100.0 * counts.pass / ran : 0.0);
    total.pass += counts.pass;
    total.fail += counts.fail;
    totalNotRun += notRun;
    return completed;
}

} // namespace

int main(int argc, char** argv) {
    double minRate = 99.0;
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--min-rate") && i + 1 < argc)
            minRate = QString::fromLocal8Bit(argv[++i]).toDouble();
        else
            files << arg;
    }
    if (files.isEmpty()) {
        std::fprintf(stderr, "usage: vbs-wine [--min-rate PERCENT] FILE.vbs...\n");
        return 2;
    }
    Counts total;
    int notRun = 0;
    bool completed = true;
    for (const QString& f : files)
        completed = runFile(f, total, notRun) && completed;
    int ran = total.pass + total.fail;
    double rate = ran ? 100.0 * total.pass / ran : 0.0;
    return completed && rate >= minRate ? 0 : 1;
}
