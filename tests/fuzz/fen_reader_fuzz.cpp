// Arbitrary bytes as a position file. Besides the sanitizers' checks, whatever reads must
// come back from the writer's own line as the same position.
#include "position/fen_reader.h"
#include "position/fen_writer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>

namespace {

bool samePosition(const chess::FenPosition &a, const chess::FenPosition &b)
{
    for (int side = 0; side < 2; ++side) {
        if (a.castlingRights[side].kingSide != b.castlingRights[side].kingSide ||
            a.castlingRights[side].queenSide != b.castlingRights[side].queenSide)
            return false;
    }
    return a.board == b.board && a.sideToMove == b.sideToMove && a.enPassantFile == b.enPassantFile &&
           a.halfmoveCounter == b.halfmoveCounter && a.moveNumber == b.moveNumber;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char *>(data), size));
    const auto first = chess::readFen(in);
    const chess::FenPosition *position = std::get_if<chess::FenPosition>(&first);
    if (position == nullptr)
        return 0;

    chess::GameState state;
    chess::applyPosition(state, *position);
    std::istringstream written(chess::positionToFen(state));
    const auto second = chess::readFen(written);
    const chess::FenPosition *again = std::get_if<chess::FenPosition>(&second);
    // With White to move the game cannot number its coming move below 1.
    chess::FenPosition expected = *position;
    if (expected.sideToMove == chess::Side::White && expected.moveNumber == 0)
        expected.moveNumber = 1;
    if (again == nullptr || !samePosition(expected, *again))
        std::abort();
    return 0;
}
