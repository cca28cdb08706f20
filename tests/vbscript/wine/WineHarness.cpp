// vbs-wine: runs test scripts written for Wine's VBScript test host (lang.vbs, api.vbs and
// regexp.vbs of the Wine project, kept outside this repository) through the engine and counts
// their assertions.
//
//     vbs-wine [--min-rate PERCENT] [--unreached] FILE.vbs...
//
// The scripts call functions of their host: ok(cond, msg) and todo_wine_ok (an assertion each;
// a todo_wine line still states the platform's answer), getVT (the variant type, "*" after it
// for an argument passed as a variable), isNullDisp, testArray, isArrayFixed, testDisp,
// reportSuccess, and read isEnglishLang, MaxCharSize, firstDayOfWeek, doubleAsString, testObj
// and collectionObj. "test" names the script's own global object. Each assertion is rewritten
// to pass its line number, so that an assertion the run never reached (after an error that
// ends the script, or skipped by an error under On Error Resume Next) counts as not run; an
// "ok false" guard of a branch that must not run is left out of that count. Lines that need a
// host object this host cannot offer (an object that is no dispatch object: unkObj) are cut
// before the run; their assertions count as not run too.
//
// Prints each failed assertion and one summary line per file; --unreached lists the assertions
// not reached. Exit status 0 when every script ran to its end and at least PERCENT (default 99)
// of the assertions that ran passed.

#include "Convert.h"
#include "ScriptControl.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <cstdio>
#include <pthread.h>
#include <set>
#include <vector>

using namespace zv;

namespace {

struct Counts {
    int pass = 0;
    int fail = 0;
    std::set<int> reached; // lines whose assertions ran at least once
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
    // ok_at(line, cond, msg): each assertion as the script was rewritten to call it.
    auto assertion = [&counts, &failures](Args a) {
        checkArgCount(a, 3, 3);
        int line = CLng(*a[0]);
        counts.reached.insert(line);
        const Variant& cond = *a[1];
        if (cond.isBoolean() && cond.rawBoolean()) {
            ++counts.pass;
        } else {
            ++counts.fail;
            failures << QStringLiteral("line %1: %2").arg(line).arg(toText(*a[2]));
        }
        return Variant();
    };
    host->addMethod(QStringLiteral("ok_at"), assertion);
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

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// One assertion in the script's text: where it is and whether it is a guard that states a
// branch should never run ("ok false, ...").
struct Site {
    int line = 0;
    bool guard = false;
};

// Rewrites every call of ok or todo_wine_ok on the line (outside strings and comments) into a
// call of ok_at with the line number first, so that the host knows which assertions ran:
// "Call ok(c, m)" becomes "Call ok_at(N, c, m)" and "ok c, m" becomes "ok_at N, c, m".
QString markAssertions(const QString& line, int number, std::vector<Site>& sites) {
    QString out;
    bool inString = false;
    for (qsizetype i = 0; i < line.size();) {
        QChar c = line[i];
        if (inString) {
            out += c;
            if (c == u'"') inString = false; // "" inside a string closes and reopens it
            ++i;
            continue;
        }
        if (c == u'"' || c == u'\'') {
            if (c == u'\'') {
                out += line.mid(i);
                break;
            }
            inString = true;
            out += c;
            ++i;
            continue;
        }
        if (!isNameChar(c) || (i > 0 && (isNameChar(line[i - 1]) || line[i - 1] == u'.'))) {
            out += c;
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < line.size() && isNameChar(line[j]))
            ++j;
        QString word = line.mid(i, j - i);
        if (word.compare(QLatin1String("ok"), Qt::CaseInsensitive) != 0 &&
            word.compare(QLatin1String("todo_wine_ok"), Qt::CaseInsensitive) != 0) {
            out += word;
            i = j;
            continue;
        }
        // A statement ("ok c, m", "Call ok(c, m)") or a function call in an expression
        // ("Case ok(c, m)").
        static const QRegularExpression statementStart(QStringLiteral("(^|:|\\bthen|\\belse)\\s*$"),
                                                       QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression afterCall(QStringLiteral("\\bcall\\s*$"),
                                                  QRegularExpression::CaseInsensitiveOption);
        bool statement = statementStart.match(out).hasMatch();
        qsizetype k = j;
        while (k < line.size() && line[k] == u' ')
            ++k;
        QString rest = line.mid(k);
        if (rest.startsWith(u'(') && (afterCall.match(out).hasMatch() || !statement)) {
            out += QStringLiteral("ok_at(%1, ").arg(number);
            rest = rest.mid(1);
            i = k + 1;
        } else {
            out += QStringLiteral("ok_at %1, ").arg(number);
            i = k;
        }
        static const QRegularExpression guard(QStringLiteral("^\\(?\\s*false\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
        sites.push_back({number, guard.match(rest).hasMatch()});
    }
    return out;
}

// Runs one script; false when it could not run to its end.
bool runFile(const QString& path, bool listUnreached, Counts& total, int& totalNotRun) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "vbs-wine: cannot read %s\n", qPrintable(path));
        return false;
    }
    QString name = QFileInfo(path).fileName();
    QStringList lines = QString::fromLatin1(file.readAll()).split(u'\n');
    QRegularExpression cut = cutPattern(name);
    int cutSites = 0;
    std::vector<Site> sites;
    for (int i = 0; i < lines.size(); ++i) {
        std::vector<Site> found;
        QString marked = markAssertions(lines[i], i + 1, found);
        if (lines[i].contains(cut)) {
            cutSites += int(found.size());
            lines[i].clear();
            continue;
        }
        lines[i] = marked;
        sites.insert(sites.end(), found.begin(), found.end());
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
    }
    for (const QString& f : failures)
        std::printf("%s: FAIL %s\n", qPrintable(name), qPrintable(f));
    // An assertion never reached is not run, unless it is a guard of a branch that must not run.
    int unreached = 0, guards = 0;
    for (const Site& s : sites) {
        if (counts.reached.count(s.line)) continue;
        if (s.guard) {
            ++guards;
            continue;
        }
        ++unreached;
        if (listUnreached)
            std::printf("%s: not reached: line %d: %s\n", qPrintable(name), s.line,
                        qPrintable(lines[s.line - 1].trimmed()));
    }
    int notRun = cutSites + unreached;
    int ran = counts.pass + counts.fail;
    std::printf("%s: %d passed, %d failed, %d not run (%d cut, %d never reached; %d guards of "
                "branches that must not run left out) (%.1f%% of those run pass)\n",
                qPrintable(name), counts.pass, counts.fail, notRun, cutSites, unreached, guards,
                ran ? 100.0 * counts.pass / ran : 0.0);
    total.pass += counts.pass;
    total.fail += counts.fail;
    totalNotRun += notRun;
    return completed;
}

} // namespace

int main(int argc, char** argv) {
    double minRate = 99.0;
    bool listUnreached = false;
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--unreached"))
            listUnreached = true;
        else if (arg == QLatin1String("--min-rate") && i + 1 < argc)
            minRate = QString::fromLocal8Bit(argv[++i]).toDouble();
        else
            files << arg;
    }
    if (files.isEmpty()) {
        std::fprintf(stderr, "usage: vbs-wine [--min-rate PERCENT] [--unreached] FILE.vbs...\n");
        return 2;
    }
    Counts total;
    int notRun = 0;
    bool completed = true;
    for (const QString& f : files)
        completed = runFile(f, listUnreached, total, notRun) && completed;
    int ran = total.pass + total.fail;
    double rate = ran ? 100.0 * total.pass / ran : 0.0;
    return completed && rate >= minRate ? 0 : 1;
}
