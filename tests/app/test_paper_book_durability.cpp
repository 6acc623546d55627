#include "CPaperBook.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A new book is written without waiting for the disk only until its first
// commit: the shipped state it starts from is all a crash could lose.
TEST(PaperBookDurability, onlyANewBooksFirstStateIsWrittenWithoutWaitingForTheDisk)
{
    using EState = app::CPaperBook::EState;
    QTemporaryDir dir;
    const QString path = dir.filePath(app::CPaperBook::fileName());
    {
        app::CPaperBook book(path);
        ASSERT_EQ(book.open(false), EState::Empty);
        EXPECT_EQ(book.synchronousLevel(), 1);
        ASSERT_TRUE(book.commit());
        EXPECT_EQ(book.synchronousLevel(), 2);
        ASSERT_TRUE(book.commit());
        EXPECT_EQ(book.synchronousLevel(), 2);
    }
    {
        app::CPaperBook again(path);
        ASSERT_EQ(again.open(false), EState::Sound);
        EXPECT_EQ(again.synchronousLevel(), 2);
    }
    // Starting a book again from the shipped data clears what a trader did:
    // that waits for the disk like any of the trader's changes.
    app::CPaperBook reset(path);
    ASSERT_EQ(reset.open(true), EState::Empty);
    EXPECT_EQ(reset.synchronousLevel(), 2);
}

} // namespace
