// Every input kept in tests/data/fuzz/ (one folder per fuzz target: params, vbs, rtf) goes
// through what its fuzz target does with it and must come back: under the sanitizers, with
// no report either.

#include "FuzzInputs.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

struct Input {
    QString kind; // the folder
    QString name;
};

std::vector<Input> inputs() {
    std::vector<Input> all;
    for (const char* kind : {"params", "vbs", "rtf"}) {
        QDir dir(zvtest::dataPath(QStringLiteral("fuzz/") + QLatin1String(kind)));
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
            all.push_back({QLatin1String(kind), name});
    }
    return all;
}

void PrintTo(const Input& in, std::ostream* os) {
    *os << (in.kind + u'/' + in.name).toStdString();
}

class Regression : public testing::TestWithParam<Input> {};

TEST_P(Regression, InputIsHandled) {
    const Input& in = GetParam();
    QFile file(zvtest::dataPath(QStringLiteral("fuzz/%1/%2").arg(in.kind, in.name)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    if (in.kind == u"params") {
        zv::fuzz::readParameterFile(bytes);
    } else if (in.kind == u"vbs") {
        zv::fuzz::parseScript(bytes);
        zv::fuzz::runScript(bytes);
    } else {
        zv::fuzz::readRtf(bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, Regression, testing::ValuesIn(inputs()),
                         [](const testing::TestParamInfo<Input>& info) {
                             QString name = info.param.kind + u'_' + info.param.name;
                             for (QChar& c : name)
                                 if (!c.isLetterOrNumber()) c = u'_';
                             return name.toStdString();
                         });

} // namespace
