#include "ApiPrt.h"

#include "Convert.h"
#include "FileLayer.h"
#include "NumFxd.h"
#include "ProcessContext.h"
#include "Text.h"
#include "TxtGlb.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <cups/cups.h>
#include <sys/socket.h>

namespace zv {

namespace {

// How long a connection to the print server may take to open.
constexpr int kConnectMs = 5000;

ApiPrtState& state() {
    static ApiPrtState s;
    return s;
}

void setError(int code) {
    state().lastError = code;
    state().lastErrorText = ErrApiTx(code);
}

bool ippOk(ipp_status_t status) {
    return status <= IPP_STATUS_OK_CONFLICTING;
}

class Connection {
public:
    Connection()
        : http_(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             kConnectMs, nullptr)) {
        if (!http_) setError(errno ? errno : ECONNREFUSED);
    }
    ~Connection() {
        if (http_) httpClose(http_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    http_t* get() const { return http_; }
    explicit operator bool() const { return http_ != nullptr; }

private:
    http_t* http_;
};

QByteArray printerUri(const QString& name) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", name.toUtf8().constData());
    return QByteArray(uri);
}

// Sends a request (freed here) and answers its status; the response is dropped.
ipp_status_t send(http_t* http, ipp_t* request, const char* resource, const char* file = nullptr) {
    ipp_t* response = file ? cupsDoFileRequest(http, request, resource, file)
                           : cupsDoRequest(http, request, resource);
    ippDelete(response);
    return cupsLastError();
}

ipp_t* printerRequest(ipp_op_t op, const QString& name) {
    ipp_t* request = ippNewRequest(op);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 printerUri(name).constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    return request;
}

// 1 the queue exists, 0 it does not, -1 the server did not say.
int queueExists(http_t* http, const QString& name) {
    ipp_t* request = printerRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, name);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-name");
    const ipp_status_t status = send(http, request, "/");
    if (ippOk(status)) return 1;
    if (status == IPP_STATUS_ERROR_NOT_FOUND) return 0;
    setError(status);
    return -1;
}

struct Queue {
    QString name;
    QString model;
    QString deviceUri;
};

bool listQueues(std::vector<Queue>& queues) {
    queues.clear();
    Connection http;
    if (!http) return false;
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    static const char* const wanted[] = {"printer-name", "printer-make-and-model", "device-uri"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr,
                  wanted);
    ipp_t* response = cupsDoRequest(http.get(), request, "/");
    const ipp_status_t status = cupsLastError();
    if (!response || (!ippOk(status) && status != IPP_STATUS_ERROR_NOT_FOUND)) {
        ippDelete(response);
        setError(status);
        return false;
    }
    Queue q;
    bool inPrinter = false;
    auto flush = [&] {
        if (inPrinter && !q.name.isEmpty()) queues.push_back(q);
        q = Queue{};
        inPrinter = false;
    };
    for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
        const char* name = ippGetName(a);
        if (ippGetGroupTag(a) != IPP_TAG_PRINTER || !name) {
            flush(); // a separator between two printers, or another group
            continue;
        }
        inPrinter = true;
        const QString value = QString::fromUtf8(ippGetString(a, 0, nullptr));
        if (!std::strcmp(name, "printer-name"))
            q.name = value;
        else if (!std::strcmp(name, "printer-make-and-model"))
            q.model = value;
        else if (!std::strcmp(name, "device-uri"))
            q.deviceUri = value;
    }
    flush();
    ippDelete(response);
    return true;
}

// The ports recorded by PorIns, in the order they were added.
QStringList recordedPorts() {
    QStringList ports;
    QByteArray bytes;
    if (file::readFile(prtPortListFile(), bytes) != 0) return ports;
    for (const QByteArray& line : bytes.split('\n')) {
        const QString p = QString::fromUtf8(line).trimmed();
        if (!p.isEmpty()) ports << p;
    }
    return ports;
}

bool containsName(const QStringList& names, const QString& name) {
    const QString key = TxMai(name);
    for (const QString& n : names)
        if (TxMai(n) == key) return true;
    return false;
}

QStringList row(std::initializer_list<QString> fields) {
    QStringList r{QString()};
    for (const QString& f : fields)
        r << f;
    return r;
}

} // namespace

ApiPrtState& apiPrtState() {
    return state();
}

void apiPrtReset() {
    state() = ApiPrtState{};
}

QString prtPortListFile() {
    return ProcessContext::current().dataFolder() + QStringLiteral("/printer-ports.lst");
}

bool prtNameValid(const QString& name) {
    const QByteArray utf8 = name.toUtf8();
    if (utf8.isEmpty() || utf8.size() >= 128) return false;
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= ' ' || u == 127 || c == '/' || c == '\\' || c == '?' || c == '\'' || c == '"' ||
            c == '#')
            return false;
    }
    return true;
}

QString prtDeviceUri(const QString& port) {
    const QString p = Trim(port);
    if (p.isEmpty()) return {};
    if (equalsNoCase(p, u"NUL") || equalsNoCase(p, u"NUL:"))
        return QStringLiteral("file:///dev/null");
    if (p.startsWith(u'/'))
        return QStringLiteral("file://") + QString::fromLatin1(QUrl::toPercentEncoding(p, "/"));
    static const QRegularExpression uri(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:/"));
    if (uri.match(p).hasMatch()) return p;
    return {};
}

QString prtPortName(const QString& deviceUri) {
    if (deviceUri.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(deviceUri);
        if (url.isValid() && !url.path().isEmpty()) return url.path();
    }
    return deviceUri;
}

bool prtServerReachable() {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                2000, nullptr);
    if (!http) return false;
    httpClose(http);
    return true;
}

void PrtIns(const QString& name, const QString& driver, const QString& port,
            const Variant& attributes, int& ok) {
    PrtInsPrp(name, driver, port, QString(), QString(), attributes, ok);
}

void PrtInsPrp(const QString& name, const QString& driver, const QString& port,
               const QString& comment, const QString& location, const Variant& attributes,
               int& ok) {
    ok = 0;
    // Taken as a Long as the caller gives it (a number beyond one raises the overflow); CUPS
    // has no counterpart of local, direct, shared and the like.
    (void)CLng(Variant(NumDbl(attributes)));

    const QString deviceUri = prtDeviceUri(port);
    const QString model = Trim(driver);
    if (!prtNameValid(name) || deviceUri.isEmpty() || model.isEmpty()) {
        setError(EINVAL);
        return;
    }
    Connection http;
    if (!http) return;
    const int exists = queueExists(http.get(), name);
    if (exists != 0) {
        if (exists > 0) setError(IPP_STATUS_ERROR_NOT_POSSIBLE);
        return;
    }

    // Operation attributes first: a request's groups come in order.
    ipp_t* request = printerRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER, name);
    QByteArray ppdFile;
    const QFileInfo ppd(model);
    if (model.endsWith(QLatin1String(".ppd"), Qt::CaseInsensitive) && ppd.isFile())
        ppdFile = QFile::encodeName(ppd.absoluteFilePath());
    else
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "ppd-name", nullptr,
                     equalsNoCase(model, u"raw") ? "raw" : model.toUtf8().constData());
    ippAddString(request, IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr,
                 deviceUri.toUtf8().constData());
    if (!comment.isEmpty())
        ippAddString(request, IPP_TAG_PRINTER, IPP_TAG_TEXT, "printer-info", nullptr,
                     comment.toUtf8().constData());
    if (!location.isEmpty())
        ippAddString(request, IPP_TAG_PRINTER, IPP_TAG_TEXT, "printer-location", nullptr,
                     location.toUtf8().constData());
    ippAddBoolean(request, IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
    ippAddInteger(request, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);

    const ipp_status_t status =
        send(http.get(), request, "/admin/", ppdFile.isEmpty() ? nullptr : ppdFile.constData());
    if (ippOk(status)) {
        ok = 1;
        return;
    }
    setError(status);
    // The server may have made the queue before it failed to finish it (an unknown model): it
    // did not exist a moment ago, so it goes, and a later attempt does not find a broken printer.
    if (queueExists(http.get(), name) == 1)
        send(http.get(), printerRequest(IPP_OP_CUPS_DELETE_PRINTER, name), "/admin/");
    state().lastError = status;
    state().lastErrorText = ErrApiTx(status);
}

void PrtLst(PrtTable& list, int& n) {
    list = PrtTable{QStringList(4)};
    n = 0;
    std::vector<Queue> queues;
    listQueues(queues);
    for (const Queue& q : queues)
        list << row({q.name, q.model, prtPortName(q.deviceUri)});
    n = int(list.size()) - 1;
}

void PrtExi(const QString& name, int& found) {
    found = 0;
    PrtTable list;
    int n = 0;
    PrtLst(list, n);
    const QString key = TxMai(name);
    for (int i = 1; i <= n; ++i) {
        if (TxMai(list[i][1]) == key) {
            found = 1;
            return;
        }
    }
}

void PorIns(const QString& port, int& ok) {
    ok = 0;
    if (prtDeviceUri(port).isEmpty()) {
        setError(EINVAL);
        return;
    }
    const QString name = Trim(port);
    // Read, added to and written back under the list's lock, so that two processes adding ports
    // at once keep both; written whole or not at all (a full disk keeps the old list).
    const QString listFile = prtPortListFile();
    file::FileLock lock;
    if (const int e = lock.lock(listFile)) {
        setError(e);
        return;
    }
    QStringList ports = recordedPorts();
    if (containsName(ports, name)) {
        ok = 1;
        return;
    }
    ports << name;
    file::ReplaceOptions options;
    options.durable = true;
    if (const int e = file::replaceFile(listFile, ports.join(u'\n').toUtf8() + '\n', options)) {
        setError(e);
        return;
    }
    ok = 1;
}

void PorLst(PrtTable& list, int& n) {
    list = PrtTable{QStringList(5)};
    n = 0;
    QStringList names = recordedPorts();
    std::vector<Queue> queues;
    listQueues(queues);
    for (const Queue& q : queues) {
        const QString port = prtPortName(q.deviceUri);
        if (!port.isEmpty() && !containsName(names, port)) names << port;
    }
    for (const QString& name : names) {
        const QString uri = prtDeviceUri(name);
        const bool local = uri.startsWith(QLatin1String("file:"));
        const QString kind = local ? QStringLiteral("Local Port") : uri.section(u':', 0, 0);
        list << QStringList{QString(), name, kind, QStringLiteral("1"), kind};
    }
    n = int(list.size()) - 1;
}

void PorExi(const QString& port, int& found) {
    found = 0;
    PrtTable list;
    int n = 0;
    PorLst(list, n);
    const QString key = TxMai(port);
    for (int i = 1; i <= n; ++i) {
        if (TxMai(list[i][1]) == key) {
            found = 1;
            return;
        }
    }
}

QString ErrApiTx(int code) {
    const QString undefined =
        QStringLiteral("Error (") + QString::number(code) + QStringLiteral(") not defined.");
    if (code >= 0x400) {
        const char* text = ippErrorString(static_cast<ipp_status_t>(code));
        if (!text || !*text || !std::strncmp(text, "0x", 2)) return undefined;
        return QString::fromUtf8(text);
    }
    char buffer[256];
    const char* text = strerror_r(code, buffer, sizeof buffer);
    if (!text || !std::strncmp(text, "Unknown error", 13)) return undefined;
    return QString::fromLocal8Bit(text);
}

} // namespace zv
