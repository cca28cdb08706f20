#pragma once
// A form or one of its controls, for code that acts on "an object" without caring which: the
// members both kinds have (Name, Left, Top, Width, Height, Visible, Enabled and the container)
// reached in one way, in twips, with the errors a late-bound access of them gives:
// - 91 for no object (a reference made empty or from a null pointer);
// - 364 for a form or control that is gone (the form was deleted, the control unloaded), so a
//   reference kept across the event pump never dangles;
// - 438 for a member the kind does not have (a line has no Left, Top, Width or Height);
// - 380 for a size below 0, which keeps the old value (as the language refuses it), and for a
//   value that is no number.
//
// A form's Width and Height are its outer size (VbForm's frame allowance included); a
// control's are its own, in its container.

#include <QPointer>
#include <QString>
#include <memory>

namespace zv {

class VbControl;
class VbForm;

class VbObjectRef {
public:
    VbObjectRef() = default;
    VbObjectRef(VbForm* form);
    VbObjectRef(std::shared_ptr<VbControl> control);
    // Any kind of control (a frame, a label ...).
    template <class C>
    VbObjectRef(std::shared_ptr<C> control)
        : VbObjectRef(std::shared_ptr<VbControl>(std::move(control))) {}

    // Nothing: no object was given.
    bool isNothing() const { return !isForm_ && !control_; }
    bool isForm() const { return isForm_; }
    // The object is given and still there.
    bool isAlive() const;
    // The form when this refers to a live form, else nullptr.
    VbForm* form() const;
    // The control when this refers to a control (alive or not), else nullptr.
    const std::shared_ptr<VbControl>& control() const { return control_; }
    // Both refer to the same object (two Nothings are the same).
    bool sameAs(const VbObjectRef& other) const;

    QString name() const;
    double left() const;
    double top() const;
    double width() const;
    double height() const;
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    // The object's own flags (a control on a hidden form is still Visible).
    bool visible() const;
    void setVisible(bool on);
    bool enabled() const;
    void setEnabled(bool on);
    // What holds the object: a control's frame or picture box, else its form. A form has no
    // container (91).
    VbObjectRef container() const;

private:
    VbForm* liveForm() const;
    VbControl* liveControl() const;
    // The control, or 438 when its kind has no position and size.
    VbControl* placedControl() const;

    QPointer<VbForm> form_;
    bool isForm_ = false;
    std::shared_ptr<VbControl> control_;
};

} // namespace zv
