#pragma once
// A window whose caption SupApp reads and sets. The GUI layer adapts its forms to it; code
// without a window (tools, tests) gives its own. An implementation may raise a run-time error
// (VbError) for a window that is gone: SupApp ignores it.

#include <QString>

namespace zv {

class CaptionTarget {
public:
    virtual ~CaptionTarget() = default;
    virtual QString caption() const = 0;
    virtual void setCaption(const QString& caption) = 0;
};

} // namespace zv
