#include "SupFsysShr.h"

#include <QFile>
#include <QStringList>

#include <libsmbclient.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace zv::unc {

QString shareTypeText(uint32_t type) {
    switch (type) {
    case 0:
        return QStringLiteral("HD");
    case 1:
        return QStringLiteral("PRT");
    case 2:
        return QStringLiteral("DEV");
    case 3:
    case 0x80000000u:
        return QStringLiteral("IPC");
    default:
        return QStringLiteral("?");
    }
}

// ---- This machine: the Samba configuration ----

namespace {

// A parameter name as Samba compares them: without blanks, in lower case.
QString parameterKey(const QString& name) {
    QString key;
    for (QChar c : name)
        if (!c.isSpace()) key += c.toLower();
    return key;
}

// Samba's yes/no values; nullopt for anything else.
std::optional<bool> yesNo(const QString& value) {
    const QString v = value.trimmed().toLower();
    if (v == u"yes" || v == u"true" || v == u"on" || v == u"1") return true;
    if (v == u"no" || v == u"false" || v == u"off" || v == u"0") return false;
    return std::nullopt;
}

struct Section {
    QString name;
    QString path;
    QString comment;
    bool printable = false;
};

// The configuration's lines with the continued ones ("\" at the end) joined.
QStringList logicalLines(const QString& text) {
    QStringList lines;
    QString pending;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.endsWith(u'\\')) {
            line.chop(1);
            pending += line;
            continue;
        }
        lines << pending + line;
        pending.clear();
    }
    if (!pending.isEmpty()) lines << pending;
    return lines;
}

} // namespace

bool configShares(const QString& configFile, std::vector<ShareRecord>& shares) {
    shares.clear();
    QFile file(configFile);
    if (!file.open(QIODevice::ReadOnly)) return false;
    std::vector<Section> sections;
    Section* current = nullptr;
    for (const QString& raw : logicalLines(QString::fromUtf8(file.readAll()))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';')) continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            current = nullptr;
            // Share names are case-blind: a section named again goes on with the same share.
            for (Section& s : sections)
                if (s.name.compare(name, Qt::CaseInsensitive) == 0) current = &s;
            if (!current) {
                sections.push_back(Section{name, {}, {}, false});
                current = &sections.back();
            }
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!current || eq < 0) continue;
        const QString key = parameterKey(line.left(eq));
        const QString value = line.mid(eq + 1).trimmed();
        if (key == u"path" || key == u"directory") {
            current->path = value;
        } else if (key == u"comment") {
            current->comment = value;
        } else if (key == u"printable" || key == u"printok") {
            if (const auto yes = yesNo(value)) current->printable = *yes;
        }
    }
    for (const Section& s : sections) {
        const QString name = s.name.toLower();
        // [global] holds the settings, [homes] and [printers] are patterns for shares made on
        // demand: none of them is a share itself.
        if (name == u"global" || name == u"homes" || name == u"printers" || s.path.isEmpty())
            continue;
        shares.push_back(ShareRecord{s.name, s.printable ? 1u : 0u, s.comment, s.path});
    }
    shares.push_back(ShareRecord{QStringLiteral("IPC$"), 3, {}, {}});
    return true;
}

// ---- Another server: SMB through libsmbclient ----

namespace {

// The URL libsmbclient lists a server's shares at; "" for a name that no host, address or
// address with a port can be (a "/", "@" or ";" would change what the URL means).
std::string serverUrl(const QString& server) {
    QString name = server.trimmed();
    if (name.startsWith(QLatin1String("//")) || name.startsWith(QLatin1String("\\\\")))
        name = name.mid(2);
    if (name.endsWith(u'/') || name.endsWith(u'\\')) name.chop(1);
    if (name.isEmpty()) return {};
    for (QChar c : name) {
        const char16_t u = c.unicode();
        const bool ok = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') ||
                        (u >= u'0' && u <= u'9') || u == u'.' || u == u'-' || u == u'_' ||
                        u == u':' || u == u'[' || u == u']';
        if (!ok) return {};
    }
    return "smb://" + name.toStdString() + "/";
}

// Anonymous: no user, no password, no domain.
void anonymous(SMBCCTX*, const char*, const char*, char* workgroup, int workgroupLen, char* user,
               int userLen, char* password, int passwordLen) {
    if (workgroupLen > 0) workgroup[0] = 0;
    if (userLen > 0) user[0] = 0;
    if (passwordLen > 0) password[0] = 0;
}

// The child's answer: per share its type, then the lengths and bytes of its name and remark
// (native byte order), then the end mark. Only an answer with its end mark counts.
constexpr uint32_t kEndMark = 0xFFFFFFFFu;

void putNumber(std::string& out, uint32_t n) {
    out.append(reinterpret_cast<const char*>(&n), sizeof n);
}

void putText(std::string& out, const char* text) {
    const size_t len = text ? std::strlen(text) : 0;
    putNumber(out, uint32_t(len));
    if (len) out.append(text, len);
}

// The child: lists the shares and writes the answer to fd. Uses only libsmbclient and the C
// library, never returns.
[[noreturn]] void listInChild(const std::string& url, int timeoutMs, int fd) {
    // Whatever the library prints goes nowhere.
    const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (null >= 0) {
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
    }
    SMBCCTX* ctx = smbc_new_context();
    if (!ctx) ::_exit(1);
    smbc_setDebug(ctx, 0);
    smbc_setTimeout(ctx, timeoutMs);
    smbc_setFunctionAuthDataWithContext(ctx, anonymous);
    smbc_setOptionUseKerberos(ctx, 0);
    smbc_setOptionFallbackAfterKerberos(ctx, 1);
    smbc_setOptionUseCCache(ctx, 0);
    if (!smbc_init_context(ctx)) ::_exit(1);
    SMBCFILE* dir = smbc_getFunctionOpendir(ctx)(ctx, url.c_str());
    if (!dir) ::_exit(1);
    std::string answer;
    while (const smbc_dirent* e = smbc_getFunctionReaddir(ctx)(ctx, dir)) {
        uint32_t type;
        switch (e->smbc_type) {
        case SMBC_FILE_SHARE:
            type = 0;
            break;
        case SMBC_PRINTER_SHARE:
            type = 1;
            break;
        case SMBC_COMMS_SHARE:
            type = 2;
            break;
        case SMBC_IPC_SHARE:
            type = 3;
            break;
        default:
            continue; // not a share
        }
        putNumber(answer, type);
        putText(answer, e->name);
        putText(answer, e->comment);
    }
    putNumber(answer, kEndMark);
    for (size_t done = 0; done < answer.size();) {
        const ssize_t w = ::write(fd, answer.data() + done, answer.size() - done);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) ::_exit(1);
        done += size_t(w);
    }
    ::_exit(0);
}

// Reads the child's answer; false unless it is whole.
bool parseAnswer(const std::string& in, std::vector<ShareRecord>& shares) {
    size_t at = 0;
    const auto number = [&](uint32_t& n) {
        if (in.size() - at < sizeof n) return false;
        std::memcpy(&n, in.data() + at, sizeof n);
        at += sizeof n;
        return true;
    };
    const auto text = [&](QString& t) {
        uint32_t len = 0;
        if (!number(len) || in.size() - at < len) return false;
        t = QString::fromUtf8(in.data() + at, qsizetype(len));
        at += len;
        return true;
    };
    for (;;) {
        ShareRecord r;
        if (!number(r.type)) return false;
        if (r.type == kEndMark) return at == in.size();
        if (!text(r.name) || !text(r.remark)) return false;
        shares.push_back(r);
    }
}

} // namespace

bool serverShares(const QString& server, int timeoutMs, std::vector<ShareRecord>& shares) {
    shares.clear();
    const std::string url = serverUrl(server);
    if (url.empty()) return false;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    // The library waits for each answer of the server on its own; a child process that is
    // ended at the deadline also bounds name look-ups and a server that answers slowly.
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (pid == 0) {
        ::close(fds[0]);
        listInChild(url, timeoutMs, fds[1]);
    }
    ::close(fds[1]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string answer;
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) break;
        pollfd p{fds[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, int(left));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        const ssize_t r = ::read(fds[0], buffer, sizeof buffer);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break; // the end of the answer, or the child is gone
        answer.append(buffer, size_t(r));
    }
    ::close(fds[0]);
    // Done or out of time: the child has nothing more to do.
    ::kill(pid, SIGKILL);
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    if (!parseAnswer(answer, shares)) {
        shares.clear();
        return false;
    }
    return true;
}

} // namespace zv::unc
