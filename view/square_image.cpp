#include "view/square_image.h"

#include "view/board_geometry.h"

namespace chess {
namespace {

// Resource numbers run king, queen, rook, bishop, knight, pawn; each takes four numbers
// (White light, White dark, Black light, Black dark), then come the two empty squares.
constexpr std::array<ImageKind, 6> resourceOrder = {ImageKind::King,   ImageKind::Queen,  ImageKind::Rook,
                                                    ImageKind::Bishop, ImageKind::Knight, ImageKind::Pawn};

constexpr int shadeIndex(Shade shade) { return shade == Shade::Light ? 0 : 1; }

ImageKind kindOfLetter(char letter)
{
    switch (letter) {
    case 'Q':
    case 'q': return ImageKind::Queen;
    case 'R':
    case 'r': return ImageKind::Rook;
    case 'B':
    case 'b': return ImageKind::Bishop;
    case 'N':
    case 'n': return ImageKind::Knight;
    case 'K':
    case 'k': return ImageKind::King;
    default: return ImageKind::Pawn;
    }
}

const char *kindName(ImageKind kind)
{
    switch (kind) {
    case ImageKind::Queen: return "queen";
    case ImageKind::Rook: return "rook";
    case ImageKind::Bishop: return "bishop";
    case ImageKind::Knight: return "knight";
    case ImageKind::Pawn: return "pawn";
    case ImageKind::King: return "king";
    case ImageKind::Empty: break;
    }
    return "empty";
}

} // namespace

SquareImage squareImageFor(const Board &board, Square square)
{
    const Shade shade = isLightSquare(square) ? Shade::Light : Shade::Dark;
    const char letter = board[square];
    if (letter == 0)
        return {shade == Shade::Light ? Side::White : Side::Black, shade, ImageKind::Empty};
    return {isBlackPiece(letter) ? Side::Black : Side::White, shade, kindOfLetter(letter)};
}

int imageResourceId(SquareImage image)
{
    if (image.kind == ImageKind::Empty)
        return 2800 + 100 * shadeIndex(image.shade);
    int order = 0;
    while (resourceOrder[order] != image.kind)
        ++order;
    return 400 + 400 * order + 200 * sideIndex(image.colour) + 100 * shadeIndex(image.shade);
}

std::string imageName(SquareImage image)
{
    const char *shade = image.shade == Shade::Light ? "-light" : "-dark";
    if (image.kind == ImageKind::Empty)
        return std::string("empty") + shade;
    const char *colour = image.colour == Side::White ? "white-" : "black-";
    return colour + std::string(kindName(image.kind)) + shade;
}

std::array<SquareImage, 26> allSquareImages()
{
    std::array<SquareImage, 26> images;
    std::size_t next = 0;
    for (ImageKind kind : resourceOrder)
        for (Side colour : {Side::White, Side::Black})
            for (Shade shade : {Shade::Light, Shade::Dark})
                images[next++] = {colour, shade, kind};
    images[next++] = {Side::White, Shade::Light, ImageKind::Empty};
    images[next++] = {Side::Black, Shade::Dark, ImageKind::Empty};
    return images;
}

} // namespace chess
