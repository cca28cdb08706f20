#include "ScopedProcessContext.h"

#include <QDir>

namespace zv {

ScopedProcessContext::ScopedProcessContext()
    : data_(QDir::tempPath() + QStringLiteral("/zelvyn-context-XXXXXX")),
      previous_(ProcessContext::current_) {
    context_.setServices(headless_.services());
    // Without a temporary folder the data folder stays the default one, which still works.
    if (data_.isValid()) context_.setDataFolder(data_.path());
    ProcessContext::current_ = &context_;
}

ScopedProcessContext::~ScopedProcessContext() {
    ProcessContext::current_ = previous_;
}

} // namespace zv
