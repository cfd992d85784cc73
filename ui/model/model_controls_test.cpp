// The model list view: the measures it stands in for and the list view's own rules.
#include "ui/model/model_controls.h"
#include "res/resource_ids.h"

#include <gtest/gtest.h>

namespace {
int NIMBREL_CALLBACK CompareFirstChar(LPARAM a, LPARAM b, LPARAM /*lParamSort*/) {
    return static_cast<int>(a / 10) - static_cast<int>(b / 10);
}
}  // namespace

TEST(ModelListView, MeasuresInFixedPitchAndTakesItsWidthFromTheTemplate) {
    CModelPage page(IDD_ADAPTER);
    IListView& list = *page.ListView(IDC_AP_LIST);
    EXPECT_EQ(list.GetStringWidth("SSID"), 24);
    EXPECT_EQ(list.GetClientWidth(), 264 * 3 / 2 - 2) << "264 dialog units, less the border";
    EXPECT_EQ(page.ListView(IDC_ADAPTER_NAME), nullptr) << "an edit is not a list view";
}

TEST(ModelListView, ItemsColumnsAndAStableSort) {
    CModelListView list(100);
    EXPECT_EQ(list.InsertColumn(0, "A"), 0);
    EXPECT_EQ(list.InsertColumn(5, "B"), 1) << "past the end appends";
    EXPECT_EQ(list.InsertItem(7, "first", 21), 0);
    EXPECT_EQ(list.InsertItem(0, "second", 10), 0);
    EXPECT_EQ(list.InsertItem(9, "third", 22), 2);
    EXPECT_TRUE(list.SetItemText(2, 1, "b3"));
    EXPECT_FALSE(list.SetItemText(2, 2, "no such column"));
    EXPECT_FALSE(list.SetItemText(3, 0, "no such item"));
    EXPECT_EQ(list.GetItemText(0, 1), "") << "a cell never set is empty";

    // 21 and 22 compare equal and keep their order.
    list.InsertItem(0, "fourth", 30);
    ASSERT_TRUE(list.SortItems(&CompareFirstChar, 0));
    EXPECT_EQ(list.GetColumnTexts(0), (std::vector<std::string>{"second", "first", "third", "fourth"}));
    EXPECT_EQ(list.GetItemText(2, 1), "b3") << "cells move with their item";
    EXPECT_EQ(list.GetItemData(3), 30);

    EXPECT_TRUE(list.SetColumnWidth(1, 40));
    EXPECT_EQ(list.GetColumnWidth(1), 40);
    EXPECT_FALSE(list.SetColumnWidth(2, 40));
    list.DeleteAllItems();
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetColumnCount(), 2);
}
