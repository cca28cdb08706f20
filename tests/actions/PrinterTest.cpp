// Printers and ports: port texts and names, the recorded ports, and (against a CUPS server, the
// private one of the CI) printers added, listed and refused.

#include "ActionsTest.h"
#include "ApiPrt.h"

#include "VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cups/cups.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace zv;
using namespace zvtest;
using namespace Qt::Literals::StringLiterals;

namespace {

// Removes a queue the test made (whatever the code under test did).
void deleteQueue(const QString& name) {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                5000, nullptr);
    if (!http) return;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", name.toUtf8().constData());
    ipp_t* rq = ippNewRequest(IPP_OP_CUPS_DELETE_PRINTER);
    ippAddString(rq, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippDelete(cupsDoRequest(http, rq, "/admin/"));
    httpClose(http);
}

QStringList column(const PrtTable& list, int field) {
    QStringList out;
    for (qsizetype i = 1; i < list.size(); ++i)
        out << list[i].value(field);
    return out;
}

class PrinterNames : public ActionsTest {};
class PrinterPorts : public ActionsTest {};
// The port list's writes: whole or not at all, and under a lock that other processes queue for.
class FileLayerPorts : public ActionsTest {};

class PrinterCups : public ActionsTest {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
            GTEST_SKIP() << "no private print server (CUPS_SERVER is not set; scripts/with-cupsd "
                            "starts one)";
        if (!prtServerReachable())
            GTEST_SKIP() << "the print server " << qgetenv("CUPS_SERVER").constData()
                         << " does not answer";
        apiPrtReset();
    }
    void TearDown() override {
        for (const QString& q : made_)
            deleteQueue(q);
    }
    // A queue name of this run, removed at the end of the test.
    QString queue(const QString& stem) {
        const QString name = u"zv_%1_%2"_s.arg(::getpid()).arg(stem);
        made_ << name;
        return name;
    }
    QStringList made_;
};

} // namespace

TEST_F(PrinterNames, PortsNamesAndMessages) {
    struct Port {
        QString port;
        QString uri;
    } const ports[] = {
        {u"/tmp/pdf/out.pdf"_s, u"file:///tmp/pdf/out.pdf"_s},
        {u"  /tmp/a b.pdf "_s, u"file:///tmp/a%20b.pdf"_s},
        {u"nul:"_s, u"file:///dev/null"_s},
        {u"NUL"_s, u"file:///dev/null"_s},
        {u"socket://10.0.0.9:9100"_s, u"socket://10.0.0.9:9100"_s},
        {u"LPT1:"_s, QString()},
        {u"C:\\out.prn"_s, QString()},
        {u"relative/out.pdf"_s, QString()},
        {QString(), QString()},
    };
    for (const Port& p : ports) {
        EXPECT_EQ(prtDeviceUri(p.port), p.uri) << p.port.toStdString();
        if (p.uri.startsWith(QLatin1String("file:///tmp"))) {
            EXPECT_EQ(prtPortName(p.uri), p.port.trimmed()) << p.port.toStdString();
        }
    }
    EXPECT_EQ(prtPortName(u"file:/dev/null"_s), u"/dev/null"_s);

    struct Name {
        QString name;
        bool valid;
    } const names[] = {
        {u"PDF_Writer"_s, true},    {u"Impressão"_s, true},      {u"PDF Printer"_s, false},
        {u"a/b"_s, false},          {u"a#b"_s, false},           {QStringLiteral("a\"b"), false},
        {u"a\\b"_s, false},         {u"tab\there"_s, false},     {QString(), false},
        {QString(127, u'x'), true}, {QString(128, u'x'), false},
    };
    for (const Name& n : names)
        EXPECT_EQ(prtNameValid(n.name), n.valid) << n.name.toStdString();

    EXPECT_EQ(ErrApiTx(9999), u"Error (9999) not defined."_s);
    EXPECT_EQ(ErrApiTx(0x7777), u"Error (30583) not defined."_s);
    EXPECT_FALSE(ErrApiTx(ENOENT).startsWith(QLatin1String("Error (")));
    EXPECT_EQ(ErrApiTx(IPP_STATUS_ERROR_NOT_FOUND), u"client-error-not-found"_s);
}

TEST_F(PrinterPorts, AddedPortsAreListedAndFoundLikeWindowsNames) {
    int ok = -1;
    PorIns(u"/tmp/zv/pdf/out.pdf"_s, ok);
    EXPECT_EQ(ok, 1);
    PorIns(u" /TMP/ZV/PDF/OUT.PDF "_s, ok); // the same name: no second entry
    EXPECT_EQ(ok, 1);
    PorIns(u"nul:"_s, ok);
    EXPECT_EQ(ok, 1);
    for (const char* refused : {"LPT1:", "COM1:", "relative.pdf", ""}) {
        PorIns(QString::fromLatin1(refused), ok);
        EXPECT_EQ(ok, 0) << refused;
        EXPECT_EQ(apiPrtState().lastError, EINVAL) << refused;
    }
    PrtTable list;
    int n = 0;
    PorLst(list, n);
    ASSERT_GE(n, 2);
    EXPECT_EQ(list.size(), n + 1);
    const QStringList ports = column(list, 1);
    EXPECT_EQ(ports.count(u"/tmp/zv/pdf/out.pdf"_s), 1);
    EXPECT_TRUE(ports.contains(u"nul:"_s));
    const qsizetype row = ports.indexOf(u"/tmp/zv/pdf/out.pdf"_s) + 1;
    EXPECT_EQ(list[row], (QStringList{QString(), u"/tmp/zv/pdf/out.pdf"_s, u"Local Port"_s, u"1"_s,
                                      u"Local Port"_s}));
    int found = -1;
    PorExi(u"  /tmp/ZV/pdf/OUT.pdf"_s, found);
    EXPECT_EQ(found, 1);
    PorExi(u"/tmp/zv/other.pdf"_s, found);
    EXPECT_EQ(found, 0);
    // The record lives in the data folder of the process context.
    EXPECT_TRUE(prtPortListFile().startsWith(ctx->dataFolder()));
}

TEST_F(PrinterCups, PrintersAddedListedAndRefused) {
    const QString out = path("spool/zv out.pdf");
    const QString raw = queue(u"raw"_s);
    int ok = -1;
    PrtIns(raw, u"raw"_s, out, Variant(66.0), ok);
    ASSERT_EQ(ok, 1) << apiPrtState().lastErrorText.toStdString();

    int found = -1;
    PrtExi(u"  "_s + raw.toUpper() + u" "_s, found);
    EXPECT_EQ(found, 1);
    PrtTable list;
    int n = 0;
    PrtLst(list, n);
    const qsizetype row = column(list, 1).indexOf(raw) + 1;
    ASSERT_GT(row, 0);
    EXPECT_EQ(list[row].value(3), out) << "the port of a file device is its path";
    // The queue's port counts as a port of the machine, without a PorIns.
    PorExi(out, found);
    EXPECT_EQ(found, 1);

    // A driver given as a .ppd file is sent to the server; comment and location are kept.
    const QString ppd = queue(u"ppd"_s);
    PrtInsPrp(ppd, dataPath(u"actions/zvtest.ppd"_s), u"nul"_s, u"Comentário"_s, u"Sala 2"_s,
              Variant(u"66"_s), ok);
    ASSERT_EQ(ok, 1) << apiPrtState().lastErrorText.toStdString();
    PrtLst(list, n);
    const qsizetype ppdRow = column(list, 1).indexOf(ppd) + 1;
    ASSERT_GT(ppdRow, 0);
    EXPECT_EQ(list[ppdRow].value(2), u"ZelVyn Test Printer"_s);
    EXPECT_EQ(list[ppdRow].value(3), u"/dev/null"_s);

    // Refusals: nothing is made, and nothing half-made stays behind.
    struct Refused {
        const char* what;
        QString name, driver, port;
    } const refused[] = {
        {"existing printer", raw, u"raw"_s, out},
        {"existing printer in other case", raw.toUpper(), u"raw"_s, out},
        {"blank in the name", queue(u"PDF Printer"_s), u"raw"_s, out},
        {"unknown driver", queue(u"nodriver"_s), u"Microsoft Print To PDF"_s, out},
        {"no driver", queue(u"empty"_s), QString(), out},
        {"port that names no device", queue(u"lpt"_s), u"raw"_s, u"LPT1:"_s},
    };
    for (const Refused& r : refused) {
        PrtIns(r.name, r.driver, r.port, Variant(int16_t(66)), ok);
        EXPECT_EQ(ok, 0) << r.what;
        EXPECT_NE(apiPrtState().lastError, 0) << r.what;
        EXPECT_FALSE(apiPrtState().lastErrorText.isEmpty()) << r.what;
        if (r.name != raw && r.name != raw.toUpper()) {
            PrtExi(r.name, found);
            EXPECT_EQ(found, 0) << r.what;
        }
    }
    // The attributes are taken as a Long: a number beyond one is an overflow, raised.
    EXPECT_THROW(PrtIns(queue(u"attr"_s), u"raw"_s, out, Variant(1e12), ok), VbError);
}

TEST_F(FileLayerPorts, PortListOnAFullDiskKeepsItsPorts) {
    const QString list = prtPortListFile();
    QDir().mkpath(QFileInfo(list).path());
    int ok = 0;
    PorIns(u"/tmp/zv/first.pdf"_s, ok);
    ASSERT_EQ(ok, 1);
    const QByteArray before = contentOf(list);
    // 1 the add claimed success; 2 the list changed; 3 the failure was not told.
    const int code = runInChild([&] {
        limitFileSize(before.size()); // the longer list cannot be written
        int added = 0;
        PorIns(u"/tmp/zv/a-much-longer-name-for-the-second-port.pdf"_s, added);
        if (added != 0) return 1;
        if (contentOf(list) != before) return 2;
        return apiPrtState().lastError == EFBIG ? 0 : 3;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(contentOf(list), before);
    EXPECT_EQ(namesIn(QFileInfo(list).path()),
              (QStringList{u"printer-ports.lst"_s, u"printer-ports.lst.lock"_s}));
}

TEST_F(FileLayerPorts, PortsAddedByEightProcessesAtOnceAreAllKept) {
    QDir().mkpath(QFileInfo(prtPortListFile()).path());
    constexpr int kWriters = 8, kPorts = 60;
    std::vector<pid_t> writers;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int failed = 0;
            for (int i = 0; i < kPorts; ++i) {
                int ok = 0;
                PorIns(u"/tmp/zv/w%1/p%2.pdf"_s.arg(w).arg(i), ok);
                failed += ok == 1 ? 0 : 1;
            }
            ::_exit(failed);
        }
        writers.push_back(pid);
    }
    for (pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "failed adds: " << status;
    }
    PrtTable ports;
    int n = 0;
    PorLst(ports, n);
    int missing = 0;
    for (int w = 0; w < kWriters; ++w)
        for (int i = 0; i < kPorts; ++i)
            missing += column(ports, 1).contains(u"/tmp/zv/w%1/p%2.pdf"_s.arg(w).arg(i)) ? 0 : 1;
    EXPECT_EQ(missing, 0);
}
