#include "rules/promotion.h"

namespace chess {

char promotePawn(Board &board, Side side, Desktop &desktop)
{
    const int lastRow = side == Side::White ? 0 : 7;
    const char pawn = pieceLetter(side, PieceIndex::Pawn);
    for (int file = 0; file < 8; ++file) {
        char &square = board[{file, lastRow}];
        if (square != pawn)
            continue;
        int choice = desktop.choosePromotion().value_or(0);
        if (choice < 0 || choice > 3)
            choice = 0;
        square = PromotionLetters[sideIndex(side) * 4 + choice];
        return square;
    }
    return 0;
}

} // namespace chess
