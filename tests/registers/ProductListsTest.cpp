#include "ProductLists.h"

#include <gtest/gtest.h>

using namespace registers;

TEST(ProductLists, WordOperationsKeepIndexesInBounds) {
    wordlist words{"A", "B", "C"};
    ReplaceWord(words, "X", 0);
    EXPECT_EQ(words, (wordlist{"B", "C", "X"}));
    DeleteWord(words, 3);
    DeleteWord(words, -1);
    EXPECT_EQ(words, (wordlist{"B", "C", "X"}));
    ReplaceWord(words, "Y", 7);
    EXPECT_EQ(words, (wordlist{"B", "C", "X", "Y"})) << "nothing to delete: only appended";
    AddWord(words, "B");
    EXPECT_EQ(words.back(), "B") << "duplicates are allowed";
}

TEST(ProductLists, AddPutsEachNonEmptyTextIntoItsList) {
    ProductLists lists({"a"}, {}, {"u"});
    lists.AddWords({"item", "", "unit"});
    EXPECT_EQ(lists.List(1), (wordlist{"a", "item"}));
    EXPECT_TRUE(lists.List(2).empty());
    EXPECT_EQ(lists.List(3), (wordlist{"u", "unit"}));
    EXPECT_TRUE(lists.List(0).empty());
    EXPECT_TRUE(lists.List(4).empty());
}

TEST(ProductLists, EditAndDeleteNeedAChosenList) {
    ProductLists lists({"A", "B", "C"}, {"s"}, {"u"});
    EXPECT_FALSE(lists.EditActiveWord("X"));
    EXPECT_FALSE(lists.DeleteActiveWord());
    lists.Choose(9, 0);
    EXPECT_EQ(lists.ActiveList(), 0);

    lists.Choose(1, -1);
    EXPECT_EQ(lists.ActiveIndex(), 0) << "no selection counts as position 0";
    EXPECT_FALSE(lists.EditActiveWord("")) << "an empty text edits nothing";
    EXPECT_EQ(lists.List(1).size(), 3u);

    EXPECT_TRUE(lists.EditActiveWord("X"));
    EXPECT_EQ(lists.List(1), (wordlist{"B", "C", "X"}));
}

TEST(ProductLists, SecondDeleteRemovesTheWordThatMovedUp) {
    ProductLists lists({"A", "B", "C"}, {}, {"u1", "u2"});
    lists.Choose(1, 0);
    EXPECT_TRUE(lists.DeleteActiveWord());
    EXPECT_TRUE(lists.DeleteActiveWord());
    EXPECT_EQ(lists.List(1), (wordlist{"C"}));
    EXPECT_EQ(lists.ActiveList(), 1);

    lists.Choose(3, 1);
    EXPECT_TRUE(lists.DeleteActiveWord());
    EXPECT_TRUE(lists.DeleteActiveWord()) << "past the end deletes nothing";
    EXPECT_EQ(lists.List(3), (wordlist{"u1"}));
}
