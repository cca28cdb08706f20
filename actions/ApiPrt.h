#pragma once
// ApiPrt: printers and ports of the machine, through the CUPS print server (libcups; the server
// is the one CUPS_SERVER or the client configuration names).
//
// - A printer is a CUPS queue: its device name is the queue name, its driver the queue's make
//   and model, its port the device URI (for a file: URI, the file's path).
// - A port names where a queue's output goes: an absolute path is a file: device (the server
//   must allow file devices, "FileDevice Yes"), "NUL" the null device, a text "scheme:/..." a
//   device URI as it stands. Other names (LPT1:, COM1:, relative paths) name no device and
//   are refused. CUPS keeps no ports of its own: the ports added are recorded in the file
//   "printer-ports.lst" of the data folder (rewritten whole under its lock, so that a full disk
//   or a second process adding a port loses none), and the port list is those plus the ports of
//   the queues.
// - A driver is a CUPS model: "raw" (a queue that passes data through), the path of a .ppd
//   file (sent to the server), or a model name the server knows.
// - Names CUPS refuses (blanks, control characters, "/", "\", "?", "'", '"', "#", 128 bytes or
//   more) are not changed into others: adding fails.
//
// The procedures raise no errors of their own; a failure is a 0 flag, and its code and text are
// kept in the module state (errno codes, or IPP status codes from 0x400 up).

#include "Variant.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zv {

struct ApiPrtState {
    int lastError = 0;
    QString lastErrorText;
};
ApiPrtState& apiPrtState();
void apiPrtReset();

// A list of printers or ports: rows 1..n, fields 1..3 (printers: device name, driver, port)
// or 1..4 (ports: name, description, type, monitor); row 0 and field 0 stay empty.
using PrtTable = QList<QStringList>;

// Adds a printer with an empty comment and location: ok 1 / 0.
void PrtIns(const QString& name, const QString& driver, const QString& port,
            const Variant& attributes, int& ok);
// Adds a printer: ok 1 when the queue was created (a printer of that name must not exist yet).
// attributes is converted to a Long as the caller gives it; CUPS has no counterpart of the
// Windows printer attributes. A queue that the server created but could not finish is removed
// again, so a failed add leaves nothing behind.
void PrtInsPrp(const QString& name, const QString& driver, const QString& port,
               const QString& comment, const QString& location, const Variant& attributes, int& ok);
void PrtLst(PrtTable& list, int& n);
// 1 when a printer's device name equals name, both upper-cased and trimmed.
void PrtExi(const QString& name, int& found);
// Adds a local port: ok 1 when the port names a device (and is recorded), else 0.
void PorIns(const QString& port, int& ok);
// 1 when a port's name equals port, both upper-cased and trimmed.
void PorExi(const QString& port, int& found);
void PorLst(PrtTable& list, int& n);
// The system's message for an error code (an errno, or an IPP status from 0x400 up);
// "Error (" & code & ") not defined." when the system has none.
QString ErrApiTx(int code);

// The device URI of a port text; "" when it names no device.
QString prtDeviceUri(const QString& port);
// The port name of a device URI (the path of a file: URI, else the URI).
QString prtPortName(const QString& deviceUri);
// Whether CUPS accepts name as a printer name.
bool prtNameValid(const QString& name);
// The file that records the ports added.
QString prtPortListFile();
// Whether the print server answers (a short connection attempt).
bool prtServerReachable();

} // namespace zv
