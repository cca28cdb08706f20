#pragma once
// The share lists behind SupFsys's network paths: this machine's shares, read from its Samba
// configuration, and the shares another server lists over SMB (libsmbclient, anonymous).

#include <QString>
#include <cstdint>
#include <vector>

namespace zv::unc {

// One share. The type is the platform's share type: 0 disk, 1 print queue, 2 device, 3 IPC,
// with 0x80000000 added for the special administrative shares.
struct ShareRecord {
    QString name;
    uint32_t type = 0;
    QString remark;
    QString path; // the folder it shares; "" when the server does not say
};

// The type text of a share type: 0 "HD", 1 "PRT", 2 "DEV", 3 and exactly 0x80000000 "IPC",
// any other value "?".
QString shareTypeText(uint32_t type);

// The shares a Samba configuration file defines, in the order of their sections: every
// section but [global], [homes] and [printers] that has a path (type 1 when printable, else
// 0), then "IPC$" (type 3). A section given twice is one share, its later settings winning.
// Parameter names are compared as Samba does (case and blanks do not matter); "\" at the end
// of a line continues it. False, and no shares, when the file cannot be read.
bool configShares(const QString& configFile, std::vector<ShareRecord>& shares);

// The shares that server lists ("name", "name:port", "//name" or "\\name"), asked anonymously
// through libsmbclient in a child process that is ended after timeoutMs at the latest. False,
// and no shares, when the server cannot be asked (a name with characters no host name has
// included), does not answer in time or refuses.
bool serverShares(const QString& server, int timeoutMs, std::vector<ShareRecord>& shares);

} // namespace zv::unc
