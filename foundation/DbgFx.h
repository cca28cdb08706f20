#pragma once
// DbgFx: the hooks every support class calls when it is created and ended and when its FxIni
// and FxFim run. Only the creation hook does something: it gives the instance an identifier
// made of a time stamp, "hh:mm:ss.cc" (hundredths of a second); instances created within the
// same hundredth get the stamp followed by a blank and a collision counter that is never reset.

#include <QString>

namespace zv {

// Module state: the collision counter and the last stamp given out.
struct DbgFxState {
    int count = 0;
    QString last;
};
DbgFxState& dbgFxState();
void dbgFxReset();

// The time stamp of now (the process context's clock).
void DbgHor(QString& stamp);
// A new instance identifier.
void DbgObIde(QString& id);
// Creation hook: a new identifier into id. className and note are not used.
void DbgObIni(const QString& className, QString& id, const QString& note = QString());
// Ending, FxIni and FxFim hooks: they do nothing.
void DbgObFim(const QString& className, const QString& id, const QString& note = QString());
void DbgFxIni(const QString& className, const QString& id, const QString& note = QString());
void DbgFxFim(const QString& className, const QString& id, const QString& note = QString());

} // namespace zv
