#pragma once
// A form of the system: a plain top-level QWidget with the language's form behaviour.
//
// - Geometry in twips. Left and Top are the window's outer position; Width and Height are the
//   outer size, reckoned as the client area plus a fixed frame allowance of 120 x 405 twips (the
//   borders and the title bar the system's layouts count on), so the numbers are the same under
//   every window manager; ScaleWidth and ScaleHeight are the client area.
// - A modal run (showModal) is a local event loop, not a QDialog: Escape does nothing, and the
//   window ends only through unload(), which asks onQueryUnload and runs onUnload first. The close
//   box goes the same way (UnloadMode::CloseBox); with the input guard on, a close request or a
//   click while the engine is busy is ignored.
// - The background is the BackColor with the Picture drawn unscaled at the top left; child
//   controls without an opaque background show it through.
// - Controls: single controls and control arrays by name (case-blind). Element 0 of an array is
//   the design element; loadElement(name, n) makes element n as a copy of element 0, hidden.
//
// Subclasses are the system's windows; they override the on... hooks (the language's form
// events). Exceptions thrown by hooks that Qt calls (close box, resize, activation) are kept by
// runGuarded and come out of showModal. Release a form outside its own event handlers (after
// its modal run returns), never from inside one.

#include "Dispatch.h"
#include "DrawSurface.h"
#include "WindowHandle.h"

#include <QEventLoop>
#include <QIcon>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace zv {

class VbControl;
class VbControlArray;

// Why a form is being unloaded (the language's QueryUnload modes).
enum class UnloadMode { CloseBox = 0, Code = 1 };

class VbForm : public QWidget, public DrawSurface {
public:
    static constexpr double kFrameWidthTwips = 120;
    static constexpr double kFrameHeightTwips = 405;

    explicit VbForm(QWidget* parent = nullptr);
    ~VbForm() override;

    // Every form that exists, in the order they were made (the language's Forms collection).
    static std::vector<QPointer<VbForm>> forms();

    QString name() const { return objectName(); }
    void setName(const QString& name) { setObjectName(name); }
    QString caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }
    const QString& tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

    // Outer geometry in twips (see above); a size below 0 raises 380.
    double left() const;
    double top() const;
    double width() const;
    double height() const;
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    void move(double left, std::optional<double> top = {}, std::optional<double> width = {},
              std::optional<double> height = {});
    // The client area in twips (ScaleWidth, ScaleHeight).
    double clientWidth() const;
    double clientHeight() const;
    void setClientSize(double widthTwips, double heightTwips);

    // 0 normal, 1 minimised, 2 maximised; other values raise 380.
    int vbWindowState() const;
    void setVbWindowState(int state);

    qint32 backColor() const;
    void setBackColor(qint32 color); // -1 keeps it; no colour raises 380
    qint32 foreColor() const;
    void setForeColor(qint32 color);

    // The background picture. Loading from a file that gives no picture returns false and keeps
    // the picture the form has.
    bool setPicture(const QString& path);
    void setPicture(const QPixmap& picture, const QString& path = {});
    void clearPicture();
    const QPixmap& picture() const { return picture_; }
    const QString& picturePath() const { return picturePath_; }
    // The window icon; the same rule.
    bool setIcon(const QString& path);
    const QString& iconPath() const { return iconPath_; }

    // Life of the form.
    void load(); // runs onLoad the first time
    bool isLoaded() const { return loaded_; }
    void showForm(); // Show, modeless: load, show, bring to the front
    // Show modally: returns when the form is unloaded (or abandoned); an exception kept from a
    // handler during the run comes out here. Raises 400 when the form runs modally already.
    void showModal();
    bool isModalRunning() const { return modalLoop_ != nullptr; }
    // Unload: asks onQueryUnload(mode), then onUnload, hides the form and ends its modal run.
    // False when the query refused. The form and its controls stay until the owner releases it.
    bool unload(UnloadMode mode = UnloadMode::Code);
    // The program's End: hides the form and ends its modal run without any hook.
    void abandon();

    // While on, the person's clicks on the controls and the close box are ignored while the
    // engine is busy (clickAllowed()).
    void setInputGuard(bool on) { inputGuard_ = on; }
    bool inputGuard() const { return inputGuard_; }
    bool acceptsInput() const;

    // ---- controls ----

    // A single control (not an array element). T is built as T(parentWidget, args...). A name
    // already used raises 5.
    template <class T, class... A>
    std::shared_ptr<T> addControl(const QString& name, const std::shared_ptr<VbControl>& container,
                                  A&&... args) {
        return std::static_pointer_cast<T>(
            addEntry(name, container, false, makeFactory<T>(std::forward<A>(args)...)));
    }
    template <class T> std::shared_ptr<T> addControl(const QString& name) {
        return addControl<T>(name, nullptr);
    }
    // A control array with its design element 0, which it returns.
    template <class T, class... A>
    std::shared_ptr<T> addArray(const QString& name, const std::shared_ptr<VbControl>& container,
                                A&&... args) {
        return std::static_pointer_cast<T>(
            addEntry(name, container, true, makeFactory<T>(std::forward<A>(args)...)));
    }
    template <class T> std::shared_ptr<T> addArray(const QString& name) {
        return addArray<T>(name, nullptr);
    }
    // Load of element index (1..32767) of an array: a copy of element 0, hidden, in front of
    // its siblings. Raises 343 for a name that is no array (or unknown), 360 when the element is
    // loaded, 340 for an index out of range.
    std::shared_ptr<VbControl> loadElement(const QString& name, int index);
    // Unload of an element; 362 for element 0, 340 for one not loaded, 343 for no array.
    void unloadElement(const QString& name, int index);

    // The control by name (and element index for arrays); nullptr when there is none.
    std::shared_ptr<VbControl> control(const QString& name, int index = -1) const;
    bool isArray(const QString& name) const;
    // The elements of an array by index; empty for no array.
    std::map<int, std::shared_ptr<VbControl>> elements(const QString& name) const;
    // The array as a script object (Item, Count, LBound, UBound, For Each); nullptr for none.
    std::shared_ptr<VbControlArray> controlArray(const QString& name);
    // Every control, in the order they were made.
    std::vector<std::shared_ptr<VbControl>> controls() const;

    // The form as a script object: its properties and its controls by name.
    DispatchPtr object();
    WindowHandle hwnd();

    // Rectangle copies land in the picture (made of the BackColor when there is none).
    void drawInto(const QPixmap& pixels, const QPoint& at) override;

protected:
    // The language's form events.
    virtual void onLoad() {}
    virtual void onActivate() {}
    virtual void onResize() {}
    // True to let the form unload.
    virtual bool onQueryUnload(UnloadMode) { return true; }
    virtual void onUnload() {}

    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    using Factory = std::function<std::shared_ptr<VbControl>(QWidget* parent)>;
    struct Entry {
        QString name; // as first given
        bool array = false;
        Factory factory;
        std::weak_ptr<VbControl> container;
        std::map<int, std::shared_ptr<VbControl>> elements; // single control: key -1
    };

    template <class T, class... A> static Factory makeFactory(A&&... args) {
        return [... args = std::forward<A>(args)](QWidget* parent) -> std::shared_ptr<VbControl> {
            return std::make_shared<T>(parent, args...);
        };
    }
    std::shared_ptr<VbControl> addEntry(const QString& name,
                                        const std::shared_ptr<VbControl>& container, bool array,
                                        Factory factory);
    Entry* entry(const QString& name);
    const Entry* entry(const QString& name) const;
    std::shared_ptr<VbControl> makeElement(Entry& e, int index);
    void finishUnload();
    void applyClientSize(int widthPx, int heightPx);

    friend class VbFormObject;
    friend class VbControlArray;

    std::map<QString, Entry> entries_; // by upper-cased name
    std::vector<std::weak_ptr<VbControl>> order_;
    std::map<QString, std::shared_ptr<VbControlArray>> arrayObjects_;
    DispatchPtr object_;
    QString tag_;
    QPixmap picture_;
    QString picturePath_;
    QString iconPath_;
    QEventLoop* modalLoop_ = nullptr;
    bool loaded_ = false;
    bool unloading_ = false;
    bool inputGuard_ = false;
};

} // namespace zv
