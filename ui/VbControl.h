#pragma once
// The base of the controls on the system's forms. A control is a Dispatch (scripts and the
// late-bound procedures reach its properties by name) that owns a widget on its form. Sizes and
// positions are in twips relative to the container, colours are the language's colour numbers,
// Visible and Enabled are the control's own flags (a control on a hidden form is still Visible).
//
// Each kind's member table (built once per kind) holds only the members the language's control
// of that kind has, so asking a label for Value or a line for Left raises 438, which callers
// turn into "step skipped".
//
// Lifetime: the form keeps its controls; unloading an array element or destroying the form
// removes the widget, after which every member raises 364 while a script may still hold the
// object.

#include "Binder.h"
#include "WindowHandle.h"

#include <QFont>
#include <QList>
#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

namespace zv {

class VbForm;

class VbControl : public BoundDispatch {
public:
    ~VbControl() override;
    VbControl(const VbControl&) = delete;
    VbControl& operator=(const VbControl&) = delete;

    // The widget; nullptr once the control was unloaded or its form destroyed. A fit of its size
    // still owed (see oweLayout) is made first, so the widget's size is always the one it has.
    QWidget* widget() const {
        if (layoutOwed_) settleLayout();
        return widget_.data();
    }
    bool isAlive() const { return !widget_.isNull(); }
    VbForm* form() const;
    // The control that holds this one (a frame, a picture box); nullptr when it is the form.
    std::shared_ptr<VbControl> container() const { return container_.lock(); }

    const QString& name() const { return name_; }
    // The element index in its control array; -1 for a control that is no array element.
    int index() const { return index_; }
    const QString& tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

    // Position and size in twips, in the container's coordinates. Sizes below 0 raise 380.
    double left() const;
    double top() const;
    double width() const;
    double height() const;
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    // The language's Move: left, then optionally top, width and height.
    void move(double left, std::optional<double> top = {}, std::optional<double> width = {},
              std::optional<double> height = {});

    bool visible() const;
    void setVisible(bool visible);
    bool enabled() const;
    void setEnabled(bool enabled);

    // Colours (0x00BBGGRR). Reading gives the colour in use as RGB; setting -1 keeps it; a
    // value that is no colour raises 380.
    virtual qint32 backColor() const;
    virtual void setBackColor(qint32 color);
    qint32 foreColor() const;
    void setForeColor(qint32 color);

    QString fontName() const;
    double fontSize() const; // points
    bool fontBold() const;
    bool fontItalic() const;
    bool fontUnderline() const;
    void setFontName(const QString& name); // "" raises 380
    void setFontSize(double points);       // not above 0 raises 380
    void setFontBold(bool on);
    void setFontItalic(bool on);
    void setFontUnderline(bool on);
    void setFont(const QFont& font);

    // 0 brings the control to the front of its siblings, 1 sends it to the back.
    void zOrder(int position = 0);
    void refresh();
    WindowHandle hwnd() const;

    // Runs on a click: the person's (through the form's input guard, see VbForm::setInputGuard)
    // or the code's (a button's Value set to True). Exceptions are kept by runGuarded.
    void setClickHandler(std::function<void()> handler) { click_ = std::move(handler); }

protected:
    // members: the table of the kind's class (built once, see the kinds' memberTable());
    // widget: made by the subclass, with its parent already set; the control owns it.
    VbControl(const MemberTable& members, QWidget* widget);

    // The widget, or the error 364 when it is gone.
    QWidget* liveWidget() const;
    template <class W> W* live() const { return static_cast<W*>(liveWidget()); }

    // The member groups a kind may have.
    enum MemberGroup : unsigned {
        kPosition = 1,   // Left, Top, Width, Height, Move
        kEnabled = 2,    // Enabled
        kFont = 4,       // FontName, FontSize, FontBold, FontItalic, FontUnderline
        kBackColor = 8,  // BackColor
        kForeColor = 16, // ForeColor
        kHwnd = 32,      // hWnd
        kEveryGroup = 63,
    };
    // A kind's member table: the members every control has (Name, Index, Tag, Visible,
    // Container, Parent, Refresh, ZOrder), the groups named, then what own adds.
    static MemberTable controlTable(const QString& typeName, unsigned groups,
                                    const std::function<void(MemberTable&)>& own);
    // A picture named by its file: reading gives the file; writing "" clears the picture, and a
    // file that gives no picture (load answers false) raises 481 and keeps the old one.
    template <class T>
    static void addPictureFileProperty(MemberTable& t, const QString& name,
                                       QString (T::*path)() const, bool (T::*load)(const QString&),
                                       void (T::*clear)()) {
        Members<T>(t).template property<QString>(name, path,
                                                 [load, clear](T& control, const QString& file) {
                                                     if (file.isEmpty())
                                                         (control.*clear)();
                                                     else if (!(control.*load)(file))
                                                         throw err::InvalidPicture();
                                                 });
    }

    // The palette roles that BackColor and ForeColor change (Window / WindowText unless set).
    void setColorRoles(QPalette::ColorRole back, QList<QPalette::ColorRole> fore);
    // Applies a background colour; by default the palette role and an opaque background.
    virtual void applyBackColor(const QColor& color);

    // After the size, the font or the content changed: controls that size themselves refit.
    virtual void contentChanged() {}
    // A control that fits its size to its content may put the fit off while nobody sees it: it
    // owes the fit, and runOwedLayout makes it as soon as the size can be seen (the widget
    // shown, or its size read through widget(), Width, Height or the copy of an array element).
    // Thousands of hidden controls built at start-up then cost no text layout.
    void oweLayout() { layoutOwed_ = true; }
    // Makes a fit that is owed (nothing otherwise).
    void settleLayout() const;
    virtual void runOwedLayout() {}
    // Load of an array element: the new element takes the design element's properties (all but
    // Visible, Name and Index). Subclasses copy their own state after calling the base.
    virtual void copyFrom(const VbControl& design);

    // Runs the click handler; a click of the person (fromCode false) only while the form's
    // input guard lets it through.
    void fireClick(bool fromCode = false);

private:
    friend class VbForm;
    void attach(VbForm* form, const QString& name, int index, std::weak_ptr<VbControl> container);
    // The element was unloaded: its widget goes.
    void release();
    // The widget's font changed by change, then set through setFont.
    void changeFont(const std::function<void(QFont&)>& change);

    QPointer<QWidget> widget_;
    mutable bool layoutOwed_ = false;
    QPointer<VbForm> form_;
    std::weak_ptr<VbControl> container_;
    QString name_;
    int index_ = -1;
    QString tag_;
    QPalette::ColorRole backRole_ = QPalette::Window;
    QList<QPalette::ColorRole> foreRoles_{QPalette::WindowText};
    std::function<void()> click_;
};

} // namespace zv
