#include "VbListBox.h"

#include "Convert.h"

#include <QListWidget>
#include <QScrollBar>

namespace zv {

namespace {

int checkedIndex(int index, int count, int error) {
    if (index < 0 || index >= count) throw VbError(error);
    return index;
}

} // namespace

const MemberTable& VbListBox::memberTable() {
    static const MemberTable table =
        controlTable(QStringLiteral("ListBox"), kEveryGroup, [](MemberTable& t) {
            Members<VbListBox>(t)
                .methodWithArgs(QStringLiteral("AddItem"),
                                [](VbListBox& l, Args a) {
                                    checkArgCount(a, 1, 2);
                                    std::optional<int> index;
                                    if (a.size() == 2 && !a[1]->isMissing()) index = CInt(*a[1]);
                                    l.addItem(CStr(*a[0]), index);
                                    return Variant();
                                })
                .method(QStringLiteral("RemoveItem"),
                        [](VbListBox& l, int16_t index) { l.removeItem(index); })
                .method(QStringLiteral("Clear"), &VbListBox::clear)
                .property<int16_t>(QStringLiteral("ListCount"), &VbListBox::listCount)
                .propertyWithArgs(
                    QStringLiteral("List"),
                    [](VbListBox& l, Args a) {
                        checkArgCount(a, 1, 1);
                        return Variant(l.list(CInt(*a[0])));
                    },
                    [](VbListBox& l, Args a) {
                        checkArgCount(a, 2, 2);
                        l.setList(CInt(*a[0]), CStr(*a[1]));
                    })
                .property<int16_t>(QStringLiteral("ListIndex"), &VbListBox::listIndex,
                                   &VbListBox::setListIndex)
                .property<int16_t>(QStringLiteral("TopIndex"), &VbListBox::topIndex,
                                   &VbListBox::setTopIndex)
                .property<QString>(QStringLiteral("Text"), &VbListBox::text)
                .defaultMember(QStringLiteral("Text"));
        });
    return table;
}

VbListBox::VbListBox(QWidget* parent) : VbControl(memberTable(), new QListWidget(parent)) {
    auto* l = static_cast<QListWidget*>(widget());
    l->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setUniformItemSizes(true);
    QObject::connect(l, &QListWidget::itemClicked, [this] { fireClick(); });
    setColorRoles(QPalette::Base, {QPalette::Text});
}

QListWidget* VbListBox::listWidget() const {
    return static_cast<QListWidget*>(widget());
}

void VbListBox::addItem(const QString& item, std::optional<int> index) {
    QListWidget* l = live<QListWidget>();
    if (!index) {
        l->addItem(item);
        return;
    }
    l->insertItem(checkedIndex(*index, l->count() + 1, err::InvalidCall), item);
}

void VbListBox::removeItem(int index) {
    QListWidget* l = live<QListWidget>();
    delete l->takeItem(checkedIndex(index, l->count(), err::InvalidCall));
}

void VbListBox::clear() {
    live<QListWidget>()->clear();
}
int VbListBox::listCount() const {
    return live<QListWidget>()->count();
}

QString VbListBox::list(int index) const {
    QListWidget* l = live<QListWidget>();
    // Reading one past the end gives "", as the language does; further is an error.
    if (index == l->count()) return {};
    return l->item(checkedIndex(index, l->count(), err::BadPropertyIndex))->text();
}

void VbListBox::setList(int index, const QString& item) {
    QListWidget* l = live<QListWidget>();
    l->item(checkedIndex(index, l->count(), err::BadPropertyIndex))->setText(item);
}

int VbListBox::listIndex() const {
    return live<QListWidget>()->currentRow();
}

void VbListBox::setListIndex(int index) {
    QListWidget* l = live<QListWidget>();
    if (index == -1) {
        l->setCurrentRow(-1);
        l->clearSelection();
        return;
    }
    l->setCurrentRow(checkedIndex(index, l->count(), err::BadPropertyIndex));
}

int VbListBox::topIndex() const {
    QListWidget* l = live<QListWidget>();
    return l->count() == 0 ? 0 : l->verticalScrollBar()->value();
}

void VbListBox::setTopIndex(int index) {
    QListWidget* l = live<QListWidget>();
    checkedIndex(index, std::max(1, l->count()), err::InvalidCall);
    // Items just added are laid out (and the scroll range grown) later, when events run: lay
    // them out now, so the new range holds the index.
    l->doItemsLayout();
    l->verticalScrollBar()->setValue(index); // the scroll bar keeps the last page full
}

QString VbListBox::text() const {
    QListWidget* l = live<QListWidget>();
    const QListWidgetItem* item = l->currentItem();
    return item ? item->text() : QString();
}

void VbListBox::copyFrom(const VbControl& design) {
    VbControl::copyFrom(design);
    const auto* d = dynamic_cast<const VbListBox*>(&design);
    if (!d) return;
    for (int i = 0; i < d->listCount(); ++i)
        addItem(d->list(i));
}

} // namespace zv
