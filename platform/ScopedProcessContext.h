#pragma once
// A fresh process context, current for the lifetime of this object: headless services and a
// data folder of its own in a temporary folder that goes away with it (so the stand-in folders
// and the registry file of a test never touch the person's home). Scopes nest; each restores
// the context that was current before it.

#include "HeadlessServices.h"
#include "ProcessContext.h"

#include <QTemporaryDir>

namespace zv {

class ScopedProcessContext {
public:
    ScopedProcessContext();
    ~ScopedProcessContext();
    ScopedProcessContext(const ScopedProcessContext&) = delete;
    ScopedProcessContext& operator=(const ScopedProcessContext&) = delete;

    ProcessContext& context() { return context_; }
    ProcessContext* operator->() { return &context_; }
    HeadlessServices& headless() { return headless_; }

private:
    QTemporaryDir data_;
    HeadlessServices headless_;
    ProcessContext context_;
    ProcessContext* previous_;
};

} // namespace zv
