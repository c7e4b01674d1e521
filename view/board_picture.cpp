#include "view/board_picture.h"

namespace chess {
namespace {

std::optional<StrokeRect> frameFor(Square cursor, SelectionState selection)
{
    switch (selection) {
    case SelectionState::ShowLastMove: return StrokeRect{squareRect(cursor), lastMoveFrameColour, 3};
    case SelectionState::PieceSelected: return StrokeRect{squareRect(cursor), selectionFrameColour, 3};
    case SelectionState::IdleAfterLoad:
    case SelectionState::IdleAfterReset: break;
    }
    return std::nullopt;
}

} // namespace

BoardPicture renderBoard(const Board &board, Square cursor, SelectionState selection)
{
    BoardPicture picture;
    // The board was designed around a bold Mincho; the free IPA Mincho comes closest.
    picture.labelFont = {{"HG明朝B", "IPAMincho", "IPAPMincho", "serif"}, 30, 600, 128};

    std::vector<DrawCommand> &commands = picture.commands;
    commands.reserve(1 + 16 + 64 + 1 + 64 + 1);
    commands.emplace_back(FillRect{{0, 0, pictureWidth, pictureHeight}, backgroundColour});
    for (int i = 0; i < 8; ++i) {
        commands.emplace_back(DrawLabel{std::string(1, static_cast<char>('a' + i)), fileLabelPosition(i)});
        commands.emplace_back(DrawLabel{std::string(1, static_cast<char>('8' - i)), rankLabelPosition(i)});
    }
    for (int file = 0; file < 8; ++file)
        for (int row = 0; row < 8; ++row)
            commands.emplace_back(
                DrawSquareImage{squareImageFor(board, {file, row}), squareRect({file, row})});
    commands.emplace_back(StrokeRect{boardOutline, outlineColour, 1});
    for (int file = 0; file < 8; ++file)
        for (int row = 0; row < 8; ++row)
            commands.emplace_back(StrokeRect{squareRect({file, row}), outlineColour, 1});
    if (const std::optional<StrokeRect> frame = frameFor(cursor, selection))
        commands.emplace_back(*frame);
    return picture;
}

} // namespace chess
