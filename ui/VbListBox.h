#pragma once
// The list box: a list of text items scrolled item by item. AddItem (at the end or at an index),
// RemoveItem, Clear, ListCount, List(i) read and written, ListIndex (the chosen item, -1 for
// none), TopIndex (the first item in view) and Text (the chosen item's text). Indexes start at 0;
// one outside the list raises 5 (381 for List(i), as the language does).

#include "VbControl.h"

class QListWidget;

namespace zv {

class VbListBox : public VbControl {
public:
    explicit VbListBox(QWidget* parent);

    QListWidget* listWidget() const;
    void addItem(const QString& item, std::optional<int> index = {});
    void removeItem(int index);
    void clear();
    int listCount() const;
    QString list(int index) const;
    void setList(int index, const QString& item);
    int listIndex() const;
    void setListIndex(int index); // -1 chooses none
    int topIndex() const;
    void setTopIndex(int index);
    QString text() const;

protected:
    void copyFrom(const VbControl& design) override;

private:
    // The members scripts see, built once for the kind.
    static const MemberTable& memberTable();
};

} // namespace zv
