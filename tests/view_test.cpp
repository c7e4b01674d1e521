#include "board_setup.h"
#include "view/board_picture.h"
#include "view/pixel_scale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace chess {
namespace {

template <typename T> std::vector<T> commandsOf(const BoardPicture &picture)
{
    std::vector<T> found;
    for (const DrawCommand &command : picture.commands)
        if (const T *c = std::get_if<T>(&command))
            found.push_back(*c);
    return found;
}

TEST(HitTest, MapsEdgesOfTheBoardAndMissesTheLabels)
{
    EXPECT_EQ(hitTestBoard({39, 100}), std::nullopt);
    EXPECT_EQ(hitTestBoard({40, 20}), ("a8"_sq));
    EXPECT_EQ(hitTestBoard({359, 339}), ("h1"_sq));
    EXPECT_EQ(hitTestBoard({360, 339}), std::nullopt);
    EXPECT_EQ(hitTestBoard({359, 340}), std::nullopt);
    EXPECT_EQ(hitTestBoard({100, 19}), std::nullopt);
    EXPECT_EQ(hitTestBoard({55, 350}), std::nullopt) << "the file letter a";
    EXPECT_EQ(hitTestBoard({15, 30}), std::nullopt) << "the rank digit 8";
}

TEST(HitTest, IsTheInverseOfTheSquareRectangles)
{
    for (int file = 0; file < 8; ++file)
        for (int row = 0; row < 8; ++row) {
            const Rect r = squareRect({file, row});
            EXPECT_EQ(hitTestBoard({r.left, r.top}), (Square{file, row}));
            EXPECT_EQ(hitTestBoard({r.right - 1, r.bottom - 1}), (Square{file, row}));
        }
}

// Each device pixel belongs to exactly the picture pixel whose scaled span holds it, on
// both sides of the origin, so a scaled drawing and the hit test cannot disagree: the scaled
// squares tile the board, and each of their pixels hits its square. The common display
// scales, and 110 % (106 dots per inch), where a square is no whole number of device pixels.
TEST(PixelScale, DevicePixelsFallInTheScaledSpanOfTheirPicturePixel)
{
    for (const int dpi : {96, 106, 120, 144, 168, 192, 216, 288}) {
        SCOPED_TRACE(dpi);
        const PixelScale scale{dpi};
        for (int device = -50; device < 1000; ++device) {
            const int x = scale.toPicture({device, 0}).x;
            ASSERT_LE(scale.toDevice(x), device) << device;
            ASSERT_GT(scale.toDevice(x + 1), device) << device;
        }
    }
    EXPECT_EQ((PixelScale{96}.toDevice(Rect{39, 19, 361, 341})), (Rect{39, 19, 361, 341}));
    EXPECT_EQ((PixelScale{192}.toDevice(Rect{39, 19, 361, 341})), (Rect{78, 38, 722, 682}));
    EXPECT_EQ((PixelScale{144}.toDevice(squareRect("e2"_sq))), (Rect{300, 390, 360, 450}));
}

TEST(SquareImages, ChooseColourShadeAndKindByTheByte)
{
    Board board = testing::boardFromRanks(
        {"kq......", "........", "........", "........", "........", "........", "........", "xZ.....K"});
    board["c8"_sq] = static_cast<char>(0xE9); // a byte above ASCII, as a loaded file may hold
    EXPECT_EQ(squareImageFor(board, "a8"_sq), (SquareImage{Side::Black, Shade::Light, ImageKind::King}));
    EXPECT_EQ(squareImageFor(board, "b8"_sq), (SquareImage{Side::Black, Shade::Dark, ImageKind::Queen}));
    EXPECT_EQ(squareImageFor(board, "h1"_sq), (SquareImage{Side::White, Shade::Light, ImageKind::King}));
    EXPECT_EQ(squareImageFor(board, "a1"_sq), (SquareImage{Side::Black, Shade::Dark, ImageKind::Pawn}))
        << "an unknown lowercase byte shows as a black pawn";
    EXPECT_EQ(squareImageFor(board, "b1"_sq), (SquareImage{Side::White, Shade::Light, ImageKind::Pawn}))
        << "any other unknown byte as a white pawn";
    EXPECT_EQ(squareImageFor(board, "c8"_sq), (SquareImage{Side::White, Shade::Light, ImageKind::Pawn}));
    EXPECT_EQ(squareImageFor(board, "d8"_sq), (SquareImage{Side::Black, Shade::Dark, ImageKind::Empty}));
    EXPECT_EQ(squareImageFor(board, "c1"_sq), (SquareImage{Side::Black, Shade::Dark, ImageKind::Empty}));
    EXPECT_EQ(squareImageFor(board, "d1"_sq), (SquareImage{Side::White, Shade::Light, ImageKind::Empty}));
}

TEST(SquareImages, TheTwentySixHaveDistinctNamesAndTheirResourceNumbers)
{
    const auto images = allSquareImages();
    std::set<std::string> names;
    for (std::size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(imageResourceId(images[i]), 400 + 100 * static_cast<int>(i));
        names.insert(imageName(images[i]));
    }
    EXPECT_EQ(names.size(), 26u);
    EXPECT_EQ(imageResourceId({Side::Black, Shade::Light, ImageKind::Queen}), 1000);
    EXPECT_EQ(imageResourceId({Side::White, Shade::Dark, ImageKind::Pawn}), 2500);
    EXPECT_EQ(imageName({Side::White, Shade::Light, ImageKind::King}), "white-king-light");
    EXPECT_EQ(imageName({Side::Black, Shade::Dark, ImageKind::Empty}), "empty-dark");
}

TEST(BoardPicture, DrawsBackgroundLabelsSquaresOutlinesInThatOrder)
{
    const BoardPicture picture = renderBoard(GameState::initialBoard, {}, SelectionState::IdleAfterLoad);
    ASSERT_FALSE(picture.commands.empty());
    const auto *background = std::get_if<FillRect>(&picture.commands.front());
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->rect, (Rect{0, 0, 400, 470}));
    EXPECT_EQ(background->colour, (Colour{200, 255, 255}));

    const auto labels = commandsOf<DrawLabel>(picture);
    ASSERT_EQ(labels.size(), 16u);
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const DrawLabel &l) {
        return l.text == "a" && l.topLeft == Point{50, 345};
    }));
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const DrawLabel &l) {
        return l.text == "h" && l.topLeft == Point{330, 345};
    }));
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const DrawLabel &l) {
        return l.text == "8" && l.topLeft == Point{10, 25};
    }));
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const DrawLabel &l) {
        return l.text == "1" && l.topLeft == Point{10, 305};
    }));
    EXPECT_EQ(picture.labelFont.faces.front(), "HG明朝B");
    EXPECT_EQ(picture.labelFont.height, 30);
    EXPECT_EQ(picture.labelFont.weight, 600);

    const auto squares = commandsOf<DrawSquareImage>(picture);
    ASSERT_EQ(squares.size(), 64u);
    const auto e1 = std::find_if(squares.begin(), squares.end(),
                                 [](const DrawSquareImage &s) { return s.rect == squareRect("e1"_sq); });
    ASSERT_NE(e1, squares.end());
    EXPECT_EQ(e1->image, (SquareImage{Side::White, Shade::Dark, ImageKind::King}));

    const auto outlines = commandsOf<StrokeRect>(picture);
    ASSERT_EQ(outlines.size(), 65u) << "board and 64 squares, no frame while idle";
    EXPECT_EQ(outlines.front().rect, (Rect{39, 19, 361, 341}));
    EXPECT_TRUE(std::all_of(outlines.begin(), outlines.end(),
                            [](const StrokeRect &s) { return s.penWidth == 1 && s.colour == Colour{}; }));
    // Outlines come after every square image, so the grid is drawn over them.
    const auto firstOutline =
        std::find_if(picture.commands.begin(), picture.commands.end(),
                     [](const DrawCommand &c) { return std::holds_alternative<StrokeRect>(c); });
    EXPECT_TRUE(std::none_of(firstOutline, picture.commands.end(), [](const DrawCommand &c) {
        return std::holds_alternative<DrawSquareImage>(c);
    }));
}

TEST(BoardPicture, TheFrameFollowsTheSelectionState)
{
    const auto frameOf = [](SelectionState selection) -> std::optional<StrokeRect> {
        const auto strokes = commandsOf<StrokeRect>(renderBoard(GameState::initialBoard, "c3"_sq, selection));
        if (strokes.back().penWidth != 3)
            return std::nullopt;
        return strokes.back();
    };
    const auto red = frameOf(SelectionState::ShowLastMove);
    ASSERT_TRUE(red);
    EXPECT_EQ(red->colour, (Colour{255, 0, 0}));
    EXPECT_EQ(red->rect, squareRect("c3"_sq));
    const auto blue = frameOf(SelectionState::PieceSelected);
    ASSERT_TRUE(blue);
    EXPECT_EQ(blue->colour, (Colour{0, 0, 255}));
    EXPECT_FALSE(frameOf(SelectionState::IdleAfterLoad));
    EXPECT_FALSE(frameOf(SelectionState::IdleAfterReset));
}

} // namespace
} // namespace chess
