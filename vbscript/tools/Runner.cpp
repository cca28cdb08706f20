#include "Runner.h"

#include "Convert.h"
#include "RunnerHosts.h"
#include "ScriptControl.h"

#include <QStringList>
#include <functional>

namespace zv::vbsrun {

namespace {

using vbs::ScriptControl;

// <number>|<description up to its first ": '">
QString errorText(int number, const QString& description) {
    QString d = description;
    qsizetype cut = d.indexOf(QStringLiteral(": '"));
    if (cut >= 0) d.truncate(cut);
    return QStringLiteral("%1|%2").arg(number).arg(d);
}

QString errorText(const VbError& e) {
    return errorText(e.number(), e.description());
}

QString typedValue(const Variant& v) {
    return QStringLiteral("%1 [%2]").arg(typeNameText(v), valueText(v));
}

// "<Name> <NumArgs> <HasReturnValue>" of a procedure object.
QString procedureText(const DispatchPtr& p) {
    return QStringLiteral("%1 %2 %3")
        .arg(toText(p->get(QStringLiteral("Name"))), toText(p->get(QStringLiteral("NumArgs"))),
             toText(p->get(QStringLiteral("HasReturnValue"))));
}

class Runner {
public:
    Runner() {
        out_ = makeOutputHost([this](const QString& s) { print(s); });
        tst_ = makeTestHost();
        addHosts();
    }

    void addHosts() {
        engine_.addObject(QStringLiteral("Out"), out_);
        engine_.addObject(QStringLiteral("Tst"), tst_);
    }

    void print(const QString& line) {
        output_ += line;
        output_ += u'\n';
    }

    QString run(const QString& text) {
        try {
            engine_.addCode(text);
        } catch (const VbError& e) {
            print(QStringLiteral("ADDCODE ERR ") + errorText(e));
        }
        for (const QString& line : physicalLines(text)) {
            if (!line.startsWith(QStringLiteral("'@"))) continue;
            QString rest = line.mid(2);
            qsizetype blank = rest.indexOf(u' ');
            QString command = blank < 0 ? rest : rest.left(blank);
            QString argument = blank < 0 ? QString() : rest.mid(blank + 1).trimmed();
            argument.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
            directive(command.trimmed().toUpper(), argument);
        }
        return output_;
    }

private:
    static QStringList physicalLines(const QString& text) {
        QStringList lines;
        qsizetype start = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u'\r' || text[i] == u'\n') {
                lines.append(text.mid(start, i - start));
                if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
                start = i + 1;
            }
        }
        lines.append(text.mid(start));
        return lines;
    }

    // name|e1|e2...: the name and the values of the expressions.
    bool callParts(const QString& argument, QString& name, std::vector<Variant>& values,
                   QString& failure) {
        QStringList parts = argument.split(u'|');
        name = parts.takeFirst().trimmed();
        for (const QString& p : parts) {
            try {
                values.push_back(engine_.eval(p));
            } catch (const VbError& e) {
                failure = errorText(e);
                return false;
            }
        }
        return true;
    }

    // Runs step, then prints "command OK", or "command ERR" and the error it raised.
    void okOrError(const QString& command, const std::function<void()>& step) {
        try {
            step();
            print(command + QStringLiteral(" OK"));
        } catch (const VbError& e) {
            print(command + QStringLiteral(" ERR ") + errorText(e));
        }
    }

    void directive(const QString& command, const QString& arg) {
        if (command == QLatin1String("EVAL")) {
            try {
                Variant v = engine_.eval(arg);
                print(QStringLiteral("EVAL ") + typedValue(v));
            } catch (const VbError& e) {
                print(QStringLiteral("EVAL ERR ") + errorText(e));
            }
        } else if (command == QLatin1String("EXEC")) {
            okOrError(command, [&] { engine_.executeStatement(arg); });
        } else if (command == QLatin1String("RUN")) {
            QString name, failure;
            std::vector<Variant> values;
            if (!callParts(arg, name, values, failure)) {
                print(QStringLiteral("RUN ERR ") + failure);
                return;
            }
            try {
                Variant v = engine_.run(name, values);
                print(QStringLiteral("RUN ") + typedValue(v));
                for (size_t i = 0; i < values.size(); ++i)
                    print(QStringLiteral("ARG%1 %2").arg(i + 1).arg(typedValue(values[i])));
            } catch (const VbError& e) {
                print(QStringLiteral("RUN ERR ") + errorText(e));
            }
        } else if (command == QLatin1String("PROCS")) {
            // Through the Procedures object, as a host walks it.
            DispatchPtr procs = engine_.proceduresObject();
            print(QStringLiteral("PROCS %1").arg(toText(procs->get(QStringLiteral("Count")))));
            std::unique_ptr<Enumerator> items = procs->enumerate();
            Variant item;
            while (items->next(item))
                print(QStringLiteral("PROC ") + procedureText(item.rawObject()));
        } else if (command == QLatin1String("ITEM")) {
            try {
                Variant item =
                    engine_.proceduresObject()->get(QStringLiteral("Item"), {Variant(arg)});
                print(QStringLiteral("ITEM ") + procedureText(item.rawObject()));
            } catch (const VbError&) {
                print(QStringLiteral("ITEM ERR"));
            }
        } else if (command == QLatin1String("ERROR")) {
            DispatchPtr e = engine_.errorObject();
            print(QStringLiteral("ERROR %1|%2|%3")
                      .arg(errorText(CLng(e->get(QStringLiteral("Number"))),
                                     toText(e->get(QStringLiteral("Description")))))
                      .arg(toText(e->get(QStringLiteral("Line"))))
                      .arg(toText(e->get(QStringLiteral("Text")))));
        } else if (command == QLatin1String("ERRCOL")) {
            print(QStringLiteral("ERRCOL ") +
                  toText(engine_.errorObject()->get(QStringLiteral("Column"))));
        } else if (command == QLatin1String("CODE")) {
            okOrError(command, [&] { engine_.addCode(arg); });
        } else if (command == QLatin1String("RESET")) {
            try {
                engine_.reset();
            } catch (const VbError&) {
            }
            addHosts();
            print(QStringLiteral("RESET OK"));
        } else if (command == QLatin1String("ADDOBJ")) {
            try {
                engine_.addObject(arg, tst_);
                print(QStringLiteral("ADDOBJ OK"));
            } catch (const VbError&) {
                print(QStringLiteral("ADDOBJ ERR"));
            }
        } else if (command == QLatin1String("GET")) {
            try {
                Variant v = engine_.codeObject()->get(arg);
                print(QStringLiteral("GET ") + typedValue(v));
            } catch (const VbError&) {
                print(QStringLiteral("GET ERR"));
            }
        } else if (command == QLatin1String("PUT")) {
            qsizetype bar = arg.indexOf(u'|');
            try {
                if (bar < 0) throw VbError(err::WrongArgCount);
                Variant v = engine_.eval(arg.mid(bar + 1));
                auto code = engine_.codeObject();
                if (v.isObject())
                    code->putRef(arg.left(bar).trimmed(), v);
                else
                    code->put(arg.left(bar).trimmed(), v);
                print(QStringLiteral("PUT OK"));
            } catch (const VbError&) {
                print(QStringLiteral("PUT ERR"));
            }
        } else if (command == QLatin1String("CALL")) {
            QString name, failure;
            std::vector<Variant> values;
            if (!callParts(arg, name, values, failure)) {
                print(QStringLiteral("CALL ERR"));
                return;
            }
            try {
                Variant v = engine_.codeObject()->call(name, values);
                print(QStringLiteral("CALL ") + typedValue(v));
            } catch (const VbError&) {
                print(QStringLiteral("CALL ERR"));
            }
        }
    }

    ScriptControl engine_;
    DispatchPtr out_;
    DispatchPtr tst_;
    QString output_;
};

} // namespace

QString runProgram(const QString& text) {
    return Runner().run(text);
}

} // namespace zv::vbsrun
