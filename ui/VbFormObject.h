#pragma once
// A form as scripts and the late-bound procedures see it: its properties (Name, Caption, Left,
// Top, Width, Height, ScaleWidth, ScaleHeight, Visible, Enabled, BackColor, ForeColor,
// WindowState, Picture, Icon, Tag, hWnd, the font), its methods (Show, Hide, Move, Refresh,
// ZOrder), its Controls collection, and each of its controls by name: a single control as
// itself, an array as the array object (form.laVyn(3) is element 3). Pictures are named by
// their file: reading Picture gives the file of the picture shown, "" for none; writing a file
// name loads it (481 when it gives no picture), writing "" removes the picture.

#include "Dispatch.h"

#include <QPointer>

namespace zv {

class VbForm;

class VbFormObject : public BoundDispatch {
public:
    explicit VbFormObject(VbForm* form);

    QString typeName() const override;
    DispId memberId(const QString& name) const override;
    Variant invoke(DispId id, Invoke kind, Args args) override;

    VbForm* form() const { return form_.data(); }

private:
    static const MemberTable& memberTable();
    VbForm* liveForm() const;

    QPointer<VbForm> form_;
    mutable QStringList controlNames_; // controls reached by name, by DispId order
};

} // namespace zv
