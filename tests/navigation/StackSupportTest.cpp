// Tests of TStack, the record history of the Demonstration's walk.
#include "navigation/StackSupport.h"
#include "document/Errors.h"

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

TEST(StackSupportTest, LastInFirstOut) {
    TStack stack;
    EXPECT_TRUE(stack.HasAtLeast(0));
    EXPECT_FALSE(stack.HasAtLeast(1));
    stack.Push(1);
    stack.Push(4);
    EXPECT_EQ(stack.Pop(), 4);
    EXPECT_EQ(stack.Peek(), 1);
    EXPECT_TRUE(stack.HasAtLeast(1));
    EXPECT_FALSE(stack.HasAtLeast(2));
    EXPECT_EQ(stack.Pop(), 1);
    EXPECT_FALSE(stack.HasAtLeast(1));
}

TEST(StackSupportTest, EmptyStackHasNoTop) {
    TStack stack;
    EXPECT_THROW(stack.Peek(), IndexError);
    EXPECT_THROW(stack.Pop(), IndexError);
    stack.Push(3);
    stack.Pop();
    EXPECT_THROW(stack.Pop(), IndexError);
}

} // namespace
} // namespace dravenloom
