// The grid model's outline: node relations, collapsed rows and node moves with their refusals.
#include "GridModelTestSupport.h"

#include <gtest/gtest.h>

using namespace zv;
using namespace gridtest;

namespace {

// Row 1..9:      A(1) A1(2) A1a(3) p(3, plain) A2(2) B(1) B1(2) C(1) D(2)
// Column 0 holds each row's name; every row but p is a node.
struct Tree {
    GridModel g;
    Tree() {
        g.setCols(2);
        g.setRows(1);
        const std::pair<const char*, int> rows[] = {{"A", 1},  {"A1", 2}, {"A1a", 3},
                                                    {"p", 3},  {"A2", 2}, {"B", 1},
                                                    {"B1", 2}, {"C", 1},  {"D", 2}};
        for (const auto& [name, level] : rows) {
            g.addItem(u(name));
            const int r = g.rows() - 1;
            g.setRowOutlineLevel(r, level);
            g.setIsSubtotal(r, std::string(name) != "p");
        }
    }
    std::string order() const { return column(g, 0, 1, g.rows() - 1); }
    std::string levels() const {
        std::string out;
        for (int r = 1; r < g.rows(); ++r)
            out += char('0' + g.rowOutlineLevel(r));
        return out;
    }
    std::string hidden() const {
        std::string out;
        for (int r = 1; r < g.rows(); ++r)
            out += g.isRowHiddenByOutline(r) ? 'h' : '.';
        return out;
    }
};

} // namespace

TEST(Outline, NodeRelations) {
    Tree t;
    using R = GridNodeRelation;
    struct Case {
        int row;
        R relation;
        int expected;
    };
    const Case cases[] = {
        {3, R::Root, 1},
        {1, R::Root, 1},
        {3, R::Parent, 2},
        {1, R::Parent, -1},
        {1, R::FirstChild, 2},
        {1, R::LastChild, 5},
        {3, R::FirstChild, -1},
        {5, R::FirstSibling, 2},
        {2, R::LastSibling, 5},
        {2, R::PreviousSibling, -1},
        {5, R::PreviousSibling, 2},
        {6, R::NextSibling, 8},
        {8, R::NextSibling, -1},
        {8, R::FirstSibling, 1},
        {9, R::Parent, 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.g.nodeRow(c.row, c.relation), c.expected)
            << "row " << c.row << " relation " << int(c.relation);
    EXPECT_EQ(t.g.subtreeEnd(1), 5);
    EXPECT_EQ(t.g.subtreeEnd(2), 4); // the plain row belongs to A1a, inside A1
    EXPECT_EQ(t.g.subtreeEnd(8), 9);
    EXPECT_EQ(errorOf([&] { t.g.nodeRow(4, R::Parent); }), kGridBadValue); // a plain row
    EXPECT_EQ(errorOf([&] { t.g.nodeRow(0, R::Parent); }), kGridBadValue); // a fixed row
}

TEST(Outline, CollapsedStatesHideRows) {
    Tree t;
    EXPECT_EQ(t.hidden(), ".........");
    t.g.setIsCollapsed(2, kNodeCollapsed);
    EXPECT_EQ(t.hidden(), "..hh.....");
    t.g.setIsCollapsed(2, kNodeExpanded);
    t.g.setIsCollapsed(1, kNodeSubtotals); // plain rows below A go, its nodes stay
    EXPECT_EQ(t.hidden(), "...h.....");
    t.g.outline(2); // levels 2 and deeper collapsed
    EXPECT_EQ(t.hidden(), "..hh.....");
    EXPECT_EQ(t.g.isCollapsed(1), kNodeExpanded);
    EXPECT_EQ(t.g.isCollapsed(8), kNodeExpanded);
    t.g.outline(1);
    EXPECT_EQ(t.hidden(), ".hhhh.h.h");
    t.g.outline(-1);
    EXPECT_EQ(t.hidden(), ".........");
    EXPECT_EQ(errorOf([&] { t.g.setIsCollapsed(1, 3); }), kGridBadValue);
    // Rows added inside a collapsed node are hidden with it.
    t.g.setIsCollapsed(8, kNodeCollapsed);
    t.g.addItem(u"E");
    t.g.setRowOutlineLevel(10, 3);
    EXPECT_TRUE(t.g.isRowHiddenByOutline(10));
}

TEST(Outline, MovesCarrySubtrees) {
    {
        Tree t; // down: A with its subtree after B's subtree
        EXPECT_EQ(t.g.moveNode(1, GridNodeMove::Down), 3);
        EXPECT_EQ(t.order(), "B,B1,A,A1,A1a,p,A2,C,D");
        EXPECT_EQ(t.g.moveNode(3, GridNodeMove::Up), 1);
        EXPECT_EQ(t.order(), "A,A1,A1a,p,A2,B,B1,C,D");
    }
    {
        Tree t; // in: A2 becomes A1's last child, deeper by one
        EXPECT_EQ(t.g.moveNode(5, GridNodeMove::In), 5);
        EXPECT_EQ(t.levels(), "123331212");
        EXPECT_EQ(t.g.nodeRow(5, GridNodeRelation::Parent), 2);
        // out: back after its parent's subtree, at its parent's level
        EXPECT_EQ(t.g.moveNode(5, GridNodeMove::Out), 5);
        EXPECT_EQ(t.levels(), "123321212");
        // out of a middle child: placed after the parent's whole subtree
        EXPECT_EQ(t.g.moveNode(2, GridNodeMove::Out), 3);
        EXPECT_EQ(t.order(), "A,A2,A1,A1a,p,B,B1,C,D");
        EXPECT_EQ(t.levels(), "121221212");
    }
    {
        Tree t; // last and first among siblings
        EXPECT_EQ(t.g.moveNode(1, GridNodeMove::Last), 5);
        EXPECT_EQ(t.order(), "B,B1,C,D,A,A1,A1a,p,A2");
        EXPECT_EQ(t.g.moveNode(5, GridNodeMove::First), 1);
        EXPECT_EQ(t.order(), "A,A1,A1a,p,A2,B,B1,C,D");
    }
    {
        Tree t; // child of another node: C with D under A1, one deeper than A1
        const uint64_t c = t.g.rowId(8);
        EXPECT_EQ(t.g.moveNode(8, GridNodeMove::ChildOf, 2), 5);
        EXPECT_EQ(t.order(), "A,A1,A1a,p,C,D,A2,B,B1");
        EXPECT_EQ(t.levels(), "123334212");
        EXPECT_EQ(t.g.rowOfId(c), 5);
        // and back under a node that holds it (its grandparent): to the end of that subtree
        EXPECT_EQ(t.g.moveNode(5, GridNodeMove::ChildOf, 1), 6);
        EXPECT_EQ(t.order(), "A,A1,A1a,p,A2,C,D,B,B1");
        EXPECT_EQ(t.levels(), "123322312");
    }
}

TEST(Outline, MovesThatCannotBe) {
    Tree t;
    // Nothing to move to: the node stays.
    EXPECT_EQ(t.g.moveNode(1, GridNodeMove::Up), 1);
    EXPECT_EQ(t.g.moveNode(1, GridNodeMove::Out), 1);
    EXPECT_EQ(t.g.moveNode(1, GridNodeMove::In), 1);
    EXPECT_EQ(t.g.moveNode(8, GridNodeMove::Down), 8);
    EXPECT_EQ(t.g.moveNode(8, GridNodeMove::Last), 8);
    // Refused targets.
    EXPECT_EQ(errorOf([&] { t.g.moveNode(1, GridNodeMove::ChildOf, 1); }), kGridBadValue);
    EXPECT_EQ(errorOf([&] { t.g.moveNode(1, GridNodeMove::ChildOf, 3); }), kGridBadValue);
    EXPECT_EQ(errorOf([&] { t.g.moveNode(1, GridNodeMove::ChildOf, 4); }), kGridBadValue);
    EXPECT_EQ(errorOf([&] { t.g.moveNode(1, GridNodeMove::ChildOf, 10); }), kGridBadIndex);
    EXPECT_EQ(errorOf([&] { t.g.moveNode(4, GridNodeMove::Up); }), kGridBadValue);
    EXPECT_EQ(t.order(), "A,A1,A1a,p,A2,B,B1,C,D");
    EXPECT_EQ(t.levels(), "123321212");
}
