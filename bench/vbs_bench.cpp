// Times each program of bench/vbs as one AddCode on a fresh engine (compiling included).
#include "Convert.h"
#include "ScriptControl.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {

QString programText(const char* name) {
    QFile f(QStringLiteral(ZV_BENCH_VBS "/%1.vbs").arg(QLatin1String(name)));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

void runProgram(benchmark::State& state, const char* name) {
    QString text = programText(name);
    if (text.isEmpty()) {
        state.SkipWithError("program not found");
        return;
    }
    QString printed;
    auto out = std::make_shared<zv::SimpleDispatch>(QStringLiteral("OutputHost"));
    out->addMethod(QStringLiteral("Print"), [&](zv::Args a) {
        printed = zv::toText(*a[0]);
        return zv::Variant();
    });
    for (auto _ : state) {
        zv::vbs::ScriptControl engine;
        engine.addObject(QStringLiteral("Out"), out);
        engine.addCode(text);
    }
    state.SetLabel(printed.toStdString());
}

} // namespace

BENCHMARK_CAPTURE(runProgram, loop, "loop")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runProgram, fib, "fib")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runProgram, concat, "concat")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runProgram, array, "array")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runProgram, byref, "byref")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
