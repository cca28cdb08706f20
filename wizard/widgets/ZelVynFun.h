#pragma once
// ZelVynFun: the background form, "Vynnard", maximised behind the wizard. It shows a frame of
// border pieces, the product picture in the middle, the maker's logo at the top left and a
// please-wait picture at the bottom right while the wizard is prepared.
//
// The program's start is the form's first activation (startup()): it runs the start routine
// (ZelVynMain) with this form as the background and ZelVynAsp as the wizard window, then
// unloads the form. The program calls it itself rather than waiting for the window manager to
// activate the window, which a screen without one never does.

#include "VbForm.h"

#include <memory>

namespace zv {

class VbImage;

class ZelVynFun : public VbForm {
public:
    explicit ZelVynFun(QWidget* parent = nullptr);
    ~ZelVynFun() override;

    // The first activation: the start routine, then the form unloads itself. Its exit status;
    // later calls do nothing and give 0.
    int startup();
    bool activated() const { return activated_; }

    // Kept for the forms' common interface: compares op with "INI" and "FIM", nothing else.
    void FrmPrep(const QString& op);

    // The image of a piece: "Top", "TopEsq", "Esq", "Dir", "DirBx", "Bx", "QOR", "Zel",
    // "aguarde"; nullptr for any other name.
    std::shared_ptr<VbImage> piece(const QString& name) const;

protected:
    void onLoad() override;
    void onResize() override;

private:
    bool activated_ = false;
};

} // namespace zv
