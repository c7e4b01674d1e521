#pragma once

#include "app/board.h"

#include <array>
#include <string>

namespace chess {

enum class Shade { Light, Dark };
// The image columns, in the order of the piece letters.
enum class ImageKind { Queen, Rook, Bishop, Knight, Pawn, King, Empty };

// One of the 26 square images: a piece of one colour on a light or a dark ground, or an
// empty square (which counts as White on light and Black on dark).
struct SquareImage {
    Side colour = Side::White;
    Shade shade = Shade::Light;
    ImageKind kind = ImageKind::Empty;
    friend constexpr bool operator==(SquareImage, SquareImage) = default;
};

// The image for whatever byte stands on the square. A byte strictly between 'a' and 'z'
// is Black, any other White; a letter that is no queen, rook, bishop, knight or king shows
// as a pawn, so a stray byte from a loaded file is still visible.
SquareImage squareImageFor(const Board &board, Square square);

// The resource number of the image: 400 and 500 for the white king on light and dark,
// then 100 apart for each image in turn, up to 2800 and 2900 for the empty squares.
int imageResourceId(SquareImage image);

// The file stem of the image, such as "white-king-light" or "empty-dark".
std::string imageName(SquareImage image);

// All 26 images, in the order of their resource numbers.
std::array<SquareImage, 26> allSquareImages();

} // namespace chess
