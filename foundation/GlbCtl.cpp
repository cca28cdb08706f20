#include "GlbCtl.h"

#include "VbError.h"

namespace zv {

void ObIni(const DispatchPtr& obj, int& res) {
    res = 1;
    try {
        if (obj) obj->call(QStringLiteral("FxIni"));
    } catch (const VbError&) {
    }
}

void ObFim(DispatchPtr& obj, int& res) {
    res = 1;
    try {
        if (obj) obj->call(QStringLiteral("FxFim"));
    } catch (const VbError&) {
    }
    obj.reset();
}

} // namespace zv
