#include "calc/Items.h"

#include <gtest/gtest.h>

#include <string>

namespace wyndlor {
namespace {

std::string Order(const colAveItem &c) {
    std::string s;
    for (const auto &item : c) s += item->Title;
    return s;
}

TEST(ItemCollectionTest, OutOfRangeIndexesGiveNothing) {
    colAveItem c;
    EXPECT_EQ(c.Item(1), nullptr);
    EXPECT_FALSE(c.Remove(1));
    c.Add("A", 1.0, 2.0);
    EXPECT_EQ(c.Item(0), nullptr);
    EXPECT_EQ(c.Item(2), nullptr);
    EXPECT_FALSE(c.Remove(0));
    EXPECT_FALSE(c.Remove(2));
    EXPECT_EQ(c.Count(), 1);
}

TEST(ItemCollectionTest, InsertBeforeAndAfter) {
    colAveItem c;
    c.Add("A", 0.0, 0.0);
    c.AddAt(1, true, "B", 0.0, 0.0);
    c.AddAt(0, false, "C", 0.0, 0.0);
    EXPECT_EQ(Order(c), "BAC");
    c.AddAt(1, false, "D", 0.0, 0.0);
    EXPECT_EQ(Order(c), "BDAC");
    EXPECT_EQ(c.AddAt(9, true, "E", 0.0, 0.0), nullptr);
    EXPECT_EQ(Order(c), "BDAC");
    EXPECT_TRUE(c.Remove(2));
    EXPECT_EQ(Order(c), "BAC");
}

TEST(ItemCollectionTest, ItemsAreSharedRecords) {
    colQoData c;
    auto added = c.Add(125, 3.5);
    added->Qo = 1.25;
    ASSERT_NE(c.Item(1), nullptr);
    EXPECT_EQ(c.Item(1)->Qo, 1.25);
    EXPECT_EQ(c.Item(1)->hh, 2);
    EXPECT_EQ(c.Item(1)->mm, 5);
    EXPECT_EQ(c.Item(1)->Qi, 3.5);
}

TEST(ItemCollectionTest, ClearEmpties) {
    colTpData c;
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    c.Add(1.0, 2.0, 3.0, 4.0);
    c.Add(1.0, 2.0, 3.0, 4.0);
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.begin(), c.end());
}

}  // namespace
}  // namespace wyndlor
