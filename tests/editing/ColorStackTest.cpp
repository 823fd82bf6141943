#include "editing/ColorStack.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TRGBTriple Triple(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
{
    return TRGBTriple {blue, green, red};
}

TEST(ColorStackTest, PopsInReverseOrderThenReportsEmptyWithoutTouchingTheColour)
{
    TColorStack stack;
    EXPECT_TRUE(stack.IsEmpty());
    EXPECT_EQ(stack.Push(3, Triple(1, 2, 3)), 0);
    EXPECT_EQ(stack.Push(7, Triple(4, 5, 6)), 1);
    EXPECT_EQ(stack.Push(0, Triple(7, 8, 9)), 2);

    const struct
    {
        std::int32_t Index;
        TRGBTriple Color;
    } expected[] = {{0, Triple(7, 8, 9)}, {7, Triple(4, 5, 6)}, {3, Triple(1, 2, 3)}};
    for (const auto& row : expected) {
        std::int32_t index = 99;
        TRGBTriple color {};
        stack.Pop(index, color);
        EXPECT_EQ(index, row.Index);
        EXPECT_EQ(color, row.Color);
    }
    EXPECT_TRUE(stack.IsEmpty());

    std::int32_t index = 42;
    TRGBTriple color = Triple(0xAA, 0xBB, 0xCC);
    stack.Pop(index, color);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(color, Triple(0xAA, 0xBB, 0xCC));
}

TEST(ColorStackTest, PositionsStartAgainAfterClear)
{
    TColorStack stack;
    stack.Push(1, Triple(0, 0, 0));
    stack.Push(2, Triple(0, 0, 0));
    stack.Clear();
    EXPECT_TRUE(stack.IsEmpty());
    EXPECT_EQ(stack.Push(5, Triple(0, 0, 0)), 0);
}

TEST(ColorStackTest, EveryPositionComesBackUnchanged)
{
    // Positions above 65,535 must not be cut to 16 bits, or Undo would recolour another item.
    for (std::int32_t position : {0, 1, 255, 256, 65535, 65536, 70000, 1 << 24, INT32_MAX}) {
        TColorStack stack;
        stack.Push(position, Triple(1, 2, 3));
        std::int32_t index = -5;
        TRGBTriple color {};
        stack.Pop(index, color);
        EXPECT_EQ(index, position);
    }
}

TEST(ColorStackTest, PushReturnsTheCountBeforeOverManyEntries)
{
    TColorStack stack;
    for (std::int32_t i = 0; i < 100000; ++i)
        ASSERT_EQ(
            stack.Push(i, Triple(std::uint8_t(i), std::uint8_t(i >> 8), std::uint8_t(i >> 16))), i);
    for (std::int32_t i = 99999; i >= 0; --i) {
        std::int32_t index;
        TRGBTriple color;
        stack.Pop(index, color);
        ASSERT_EQ(index, i);
        ASSERT_EQ(color, Triple(std::uint8_t(i), std::uint8_t(i >> 8), std::uint8_t(i >> 16)));
    }
}

} // namespace
