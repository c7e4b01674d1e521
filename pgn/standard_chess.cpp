#include "pgn/standard_chess.h"

#include "rules/attack.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <span>

namespace chess {
namespace {

struct Step {
    int file;
    int row;
};

constexpr Step orthogonal[] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
constexpr Step diagonal[] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
constexpr Step allDirections[] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
constexpr Step knightJumps[] = {{1, 2}, {2, 1}, {-1, 2}, {-2, 1}, {1, -2}, {2, -1}, {-1, -2}, {-2, -1}};
constexpr int kingFile = 4;

int homeRow(Side side) { return side == Side::White ? 7 : 0; }
int forwardOf(Side side) { return side == Side::White ? -1 : 1; } // rows grow toward rank 1

Square offset(Square from, Step step) { return {from.file + step.file, from.row + step.row}; }
bool onBoard(Square s) { return isOnBoard(s.file, s.row); }

// A square where `side`'s king would stand attacked. The rules' attack test leaves the
// opponent's king out, since this board lets a king walk up to the other; here it counts.
bool isAttacked(const Board &board, Side side, Square square)
{
    if (isSquareAttacked(board, side, square))
        return true;
    const char theirKing = pieceLetter(opponent(side), PieceIndex::King);
    return std::any_of(std::begin(allDirections), std::end(allDirections), [&](Step step) {
        const Square next = offset(square, step);
        return onBoard(next) && board[next] == theirKing;
    });
}

void addSteps(const Board &board, Side side, Square from, std::span<const Step> steps, bool slides,
              std::vector<PlayedMove> &moves)
{
    for (const Step step : steps) {
        for (Square to = offset(from, step); onBoard(to); to = offset(to, step)) {
            if (!isPieceOf(side, board[to]))
                moves.push_back({from, to});
            if (board[to] != 0 || !slides)
                break;
        }
    }
}

// The moves of a knight, bishop, rook, queen or king on `from`; false for any other byte.
bool addPieceMoves(const Board &board, Side side, Square from, std::vector<PlayedMove> &moves)
{
    const char piece = board[from];
    if (piece == pieceLetter(side, PieceIndex::Knight))
        addSteps(board, side, from, knightJumps, false, moves);
    else if (piece == pieceLetter(side, PieceIndex::Bishop))
        addSteps(board, side, from, diagonal, true, moves);
    else if (piece == pieceLetter(side, PieceIndex::Rook))
        addSteps(board, side, from, orthogonal, true, moves);
    else if (piece == pieceLetter(side, PieceIndex::Queen))
        addSteps(board, side, from, allDirections, true, moves);
    else if (piece == pieceLetter(side, PieceIndex::King))
        addSteps(board, side, from, allDirections, false, moves);
    else
        return false;
    return true;
}

void addPawnMoves(const StandardPosition &position, Square from, std::vector<PlayedMove> &moves)
{
    const Side side = position.sideToMove;
    const Board &board = position.board;
    const int forward = forwardOf(side);
    const auto add = [&](Square to) {
        if (to.row == homeRow(opponent(side))) {
            for (const char promotion : {'Q', 'R', 'B', 'N'})
                moves.push_back({from, to, promotion});
        } else {
            moves.push_back({from, to});
        }
    };
    // A valid position has no pawn on the last rank, so the square ahead is on the board.
    const Square ahead{from.file, from.row + forward};
    if (board[ahead] == 0) {
        add(ahead);
        const Square twoAhead{from.file, from.row + 2 * forward};
        if (from.row == homeRow(side) + forward && board[twoAhead] == 0)
            add(twoAhead);
    }
    const int passRow = side == Side::White ? 3 : 4;
    for (const int sideStep : {-1, 1}) {
        const Square to{from.file + sideStep, ahead.row};
        if (!onBoard(to))
            continue;
        const bool enPassant = board[to] == 0 && from.row == passRow && position.enPassantFile == to.file;
        if (isPieceOf(opponent(side), board[to]) || enPassant)
            add(to);
    }
}

// The king neither stands, crosses nor lands on an attacked square, and the squares between
// king and rook are empty. The rights kept imply that king and rook stand at home.
void addCastling(const StandardPosition &position, std::vector<PlayedMove> &moves)
{
    const Side side = position.sideToMove;
    const Board &board = position.board;
    const int home = homeRow(side);
    const Square king{kingFile, home};
    const CastlingRights &rights = position.castlingRights[sideIndex(side)];
    if ((!rights.kingSide && !rights.queenSide) || isAttacked(board, side, king))
        return;
    struct Wing {
        bool allowed;
        int rookFile;
        int kingTo;
    };
    for (const Wing wing : {Wing{rights.kingSide, 7, 6}, Wing{rights.queenSide, 0, 2}}) {
        if (!wing.allowed)
            continue;
        bool open = true;
        for (int file = std::min(kingFile, wing.rookFile) + 1; file < std::max(kingFile, wing.rookFile);
             ++file)
            open = open && board[{file, home}] == 0;
        const int step = wing.kingTo > kingFile ? 1 : -1;
        for (int file = kingFile + step; open; file += step) {
            open = !isAttacked(board, side, {file, home});
            if (file == wing.kingTo)
                break;
        }
        if (open)
            moves.push_back({king, {wing.kingTo, home}});
    }
}

} // namespace

std::optional<StandardPosition> standardPosition(const FenPosition &fen)
{
    const Board &board = fen.board;
    for (const char c : board.squares)
        if (c != 0 && PieceLetters.find(c) == std::string_view::npos)
            return std::nullopt;
    for (const Side side : {Side::White, Side::Black})
        if (std::count(board.squares.begin(), board.squares.end(), pieceLetter(side, PieceIndex::King)) != 1)
            return std::nullopt;
    for (int file = 0; file < 8; ++file)
        for (const int row : {0, 7})
            if (board[{file, row}] == 'P' || board[{file, row}] == 'p')
                return std::nullopt;
    if (isInCheck(board, opponent(fen.sideToMove)))
        return std::nullopt;

    StandardPosition position{board, fen.sideToMove, fen.castlingRights, std::nullopt};
    for (const Side side : {Side::White, Side::Black}) {
        const int home = homeRow(side);
        const char rook = pieceLetter(side, PieceIndex::Rook);
        CastlingRights &rights = position.castlingRights[sideIndex(side)];
        if (board[{kingFile, home}] != pieceLetter(side, PieceIndex::King))
            rights = {false, false};
        rights.kingSide = rights.kingSide && board[{7, home}] == rook;
        rights.queenSide = rights.queenSide && board[{0, home}] == rook;
    }
    // The pawn of the side that has just moved stands two squares from its start, both
    // squares behind it empty.
    const Side mover = opponent(fen.sideToMove);
    const int pawnRow = homeRow(mover) + 3 * forwardOf(mover);
    if (const std::optional<int> file = fen.enPassantFile;
        file && board[{*file, pawnRow}] == pieceLetter(mover, PieceIndex::Pawn) &&
        board[{*file, pawnRow - forwardOf(mover)}] == 0 &&
        board[{*file, pawnRow - 2 * forwardOf(mover)}] == 0)
        position.enPassantFile = file;
    return position;
}

FenPosition fenPositionOf(const GameState &state)
{
    FenPosition position{.board = state.board,
                         .sideToMove = state.sideToMove,
                         .castlingRights = state.castlingRights,
                         .enPassantFile = std::nullopt,
                         .halfmoveCounter = state.halfmoveCounter,
                         .moveNumber = state.sideToMove == Side::White ? countedOnce(state.whiteMoveCount)
                                                                       : state.whiteMoveCount};
    if (const DoubleStepRecord &step = state.doubleStepOf(opponent(state.sideToMove)); step.pending)
        position.enPassantFile = step.file;
    return position;
}

std::optional<Square> findKing(const Board &board, Side side)
{
    const auto at =
        std::find(board.squares.begin(), board.squares.end(), pieceLetter(side, PieceIndex::King));
    if (at == board.squares.end())
        return std::nullopt;
    const int index = static_cast<int>(at - board.squares.begin());
    return Square{index / 8, index % 8};
}

bool isInCheck(const Board &board, Side side)
{
    const std::optional<Square> king = findKing(board, side);
    return king && isAttacked(board, side, *king);
}

std::vector<PlayedMove> legalMoves(const StandardPosition &position)
{
    const Side side = position.sideToMove;
    std::vector<PlayedMove> candidates;
    for (int index = 0; index < 64; ++index) {
        const Square from{index / 8, index % 8};
        if (!addPieceMoves(position.board, side, from, candidates) &&
            position.board[from] == pieceLetter(side, PieceIndex::Pawn))
            addPawnMoves(position, from, candidates);
    }
    std::vector<PlayedMove> legal;
    for (const PlayedMove &move : candidates) {
        StandardPosition after = position;
        playStandardMove(after, move);
        if (!isInCheck(after.board, side))
            legal.push_back(move);
    }
    addCastling(position, legal);
    return legal;
}

std::vector<PlayedMove> pieceMoves(const Board &board, Side side)
{
    std::vector<PlayedMove> moves;
    for (int index = 0; index < 64; ++index)
        addPieceMoves(board, side, {index / 8, index % 8}, moves);
    return moves;
}

void playStandardMove(StandardPosition &position, const PlayedMove &move)
{
    Board &board = position.board;
    const Side side = position.sideToMove;
    const char piece = board[move.from];
    const bool pawn = piece == pieceLetter(side, PieceIndex::Pawn);
    if (pawn && move.from.file != move.to.file && board[move.to] == 0)
        board[{move.to.file, move.from.row}] = 0; // taken en passant
    if (piece == pieceLetter(side, PieceIndex::King) && std::abs(move.to.file - move.from.file) == 2) {
        const bool kingSide = move.to.file == 6;
        const Square rookFrom{kingSide ? 7 : 0, move.from.row};
        board[{kingSide ? 5 : 3, move.from.row}] = board[rookFrom];
        board[rookFrom] = 0;
    }
    board[move.to] = move.promotion == 0 ? piece
                     : side == Side::White
                         ? move.promotion
                         : static_cast<char>(std::tolower(static_cast<unsigned char>(move.promotion)));
    board[move.from] = 0;
    // A right ends when its king or rook moves away or is taken at home.
    for (const Side owner : {Side::White, Side::Black}) {
        const int home = homeRow(owner);
        CastlingRights &rights = position.castlingRights[sideIndex(owner)];
        for (const Square touched : {move.from, move.to}) {
            if (touched == Square{kingFile, home})
                rights = {false, false};
            if (touched == Square{0, home})
                rights.queenSide = false;
            if (touched == Square{7, home})
                rights.kingSide = false;
        }
    }
    position.enPassantFile = pawn && std::abs(move.to.row - move.from.row) == 2
                                 ? std::optional<int>(move.from.file)
                                 : std::nullopt;
    position.sideToMove = opponent(side);
}

} // namespace chess
