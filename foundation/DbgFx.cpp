#include "DbgFx.h"

#include "ModuleState.h"
#include "ProcessContext.h"

#include <QDateTime>

namespace zv {

DbgFxState& dbgFxState() {
    return moduleState<DbgFxState>();
}

void dbgFxReset() {
    resetModuleState<DbgFxState>();
}

void DbgHor(QString& stamp) {
    // One reading of the clock for both parts, so the hundredths belong to the seconds shown.
    // The hundredths are cut, not rounded: a rounded .995 would read as .00 of the same second.
    const QTime t = ProcessContext::current().now().time();
    stamp = t.toString(QStringLiteral("HH:mm:ss")) + u'.' +
            QStringLiteral("%1").arg(t.msec() / 10, 2, 10, QLatin1Char('0'));
}

void DbgObIde(QString& id) {
    DbgFxState& s = dbgFxState();
    QString stamp;
    DbgHor(stamp);
    if (stamp != s.last) {
        s.last = stamp;
        id = stamp;
    } else {
        ++s.count;
        id = stamp + u' ' + QString::number(s.count);
    }
}

void DbgObIni(const QString& className, QString& id, const QString& note) {
    Q_UNUSED(className);
    Q_UNUSED(note);
    DbgObIde(id);
}

void DbgObFim(const QString&, const QString&, const QString&) {}
void DbgFxIni(const QString&, const QString&, const QString&) {}
void DbgFxFim(const QString&, const QString&, const QString&) {}

} // namespace zv
