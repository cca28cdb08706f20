#include "BusyGuard.h"

#include "ProcessContext.h"

namespace zv {

bool clickAllowed() {
    return clickAllowed(ProcessContext::current());
}

bool clickAllowed(const ProcessContext& context) {
    return !context.pump().isBusy();
}

} // namespace zv
