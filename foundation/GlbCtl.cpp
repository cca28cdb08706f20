#include "GlbCtl.h"

#include "VbError.h"

namespace zv {

void ObIni(const DispatchPtr& obj, int& res) {
    res = 1;
    if (obj) vbTrap([&] { obj->call(QStringLiteral("FxIni")); });
}

void ObFim(DispatchPtr& obj, int& res) {
    res = 1;
    if (obj) vbTrap([&] { obj->call(QStringLiteral("FxFim")); });
    obj.reset();
}

} // namespace zv
