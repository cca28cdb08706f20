#pragma once
// A control array of a form as scripts see it: laVyn(3) is Item(3), the default member; Count,
// LBound and UBound; For Each walks the loaded elements by index.

#include "Dispatch.h"

#include <QPointer>

namespace zv {

class VbControl;
class VbForm;

class VbControlArray : public BoundDispatch {
public:
    VbControlArray(VbForm* form, QString name);

    // The element; 340 when it is not loaded, 364 when the form is gone.
    std::shared_ptr<VbControl> item(int index) const;
    int count() const;
    // The lowest and highest index loaded.
    int lbound() const;
    int ubound() const;

    std::unique_ptr<Enumerator> enumerate() override;

private:
    static const MemberTable& memberTable();
    VbForm* liveForm() const;

    QPointer<VbForm> form_;
    QString name_;
};

} // namespace zv
