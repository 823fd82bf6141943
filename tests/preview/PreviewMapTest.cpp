#include "preview/PreviewMap.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

std::uint32_t Marker(int x, int y)
{
    return 0xE0000000u + static_cast<std::uint32_t>(x * 1000 + y + 1);
}

TPreviewMap MarkedMap(int width, int height)
{
    TPreviewMap map(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            map.SetCell(x, y, Marker(x, y));
    return map;
}

struct TResizeRow
{
    const char* Name;
    int OldWidth, OldHeight, NewWidth, NewHeight;
};

class PreviewMapResizeTest : public ::testing::TestWithParam<TResizeRow>
{
};

TEST_P(PreviewMapResizeTest, KeepsTheOverlapAndZeroesTheRest)
{
    const TResizeRow& row = GetParam();
    TPreviewMap map = MarkedMap(row.OldWidth, row.OldHeight);
    map.Resize(row.NewWidth, row.NewHeight);
    ASSERT_EQ(map.Width(), row.NewWidth);
    ASSERT_EQ(map.Height(), row.NewHeight);
    ASSERT_EQ(map.Cells().size(), static_cast<std::size_t>(row.NewWidth * row.NewHeight));
    for (int y = 0; y < row.NewHeight; ++y) {
        for (int x = 0; x < row.NewWidth; ++x) {
            const bool kept = x < row.OldWidth && y < row.OldHeight;
            ASSERT_EQ(map.Cell(x, y), kept ? Marker(x, y) : 0u) << "at " << x << "," << y;
            ASSERT_EQ(map.Row(y)[x], map.Cell(x, y));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, PreviewMapResizeTest,
    ::testing::Values(TResizeRow {"from_empty", 0, 0, 4, 3}, TResizeRow {"grow_both", 3, 2, 5, 4},
        TResizeRow {"shrink_both", 5, 4, 3, 2}, TResizeRow {"wider_lower", 3, 5, 6, 2},
        TResizeRow {"narrower_taller", 6, 2, 2, 5}, TResizeRow {"same_size", 4, 4, 4, 4},
        TResizeRow {"to_no_columns", 4, 3, 0, 3}, TResizeRow {"to_no_rows", 4, 3, 4, 0},
        TResizeRow {"from_no_columns", 0, 3, 4, 3}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(PreviewMapTest, NegativeSizeIsRefusedAndLeavesTheMap)
{
    for (const auto& [width, height] : {std::pair {-1, 3}, std::pair {3, -1}, std::pair {0, -1}}) {
        TPreviewMap map = MarkedMap(2, 2);
        try {
            map.Resize(width, height);
            ADD_FAILURE() << width << " x " << height << " was accepted";
        } catch (const std::exception& error) {
            EXPECT_STREQ(error.what(), "Range check error");
        }
        EXPECT_EQ(map, MarkedMap(2, 2));
    }
}

TEST(PreviewMapTest, EqualityLooksAtSizeAndCells)
{
    EXPECT_EQ(MarkedMap(3, 2), MarkedMap(3, 2));
    EXPECT_NE(TPreviewMap(0, 3), TPreviewMap(0, 2));
    TPreviewMap changed = MarkedMap(3, 2);
    changed.SetCell(2, 1, 7);
    EXPECT_NE(changed, MarkedMap(3, 2));
}

} // namespace
