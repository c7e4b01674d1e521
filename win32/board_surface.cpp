#include "win32/board_surface.h"

#include "win32/wide_text.h"

#include <variant>

namespace chess::win32 {
namespace {

COLORREF colorOf(Colour colour) { return RGB(colour.red, colour.green, colour.blue); }

// The images are numbered 400, 500, ... in the order the surface keeps them.
std::size_t imageIndex(SquareImage image)
{
    return static_cast<std::size_t>((imageResourceId(image) - 400) / 100);
}

// Executes one drawing command on the picture. Each pen and brush lives for one command.
struct CommandPainter {
    HDC dc;
    HDC imageDc;
    const std::array<HBITMAP, 26> &images;

    void operator()(const FillRect &fill) const
    {
        HBRUSH brush = CreateSolidBrush(colorOf(fill.colour));
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
        // Without a pen Rectangle leaves out the right and bottom edges it would outline.
        const Rect &r = fill.rect;
        Rectangle(dc, r.left, r.top, r.right + 1, r.bottom + 1);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
    }

    void operator()(const DrawLabel &label) const
    {
        const std::wstring text = widen(label.text);
        TextOutW(dc, label.topLeft.x, label.topLeft.y, text.c_str(), static_cast<int>(text.size()));
    }

    void operator()(const DrawSquareImage &square) const
    {
        const Rect &r = square.rect;
        HGDIOBJ oldBitmap = SelectObject(imageDc, images[imageIndex(square.image)]);
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, imageDc, 0, 0, SRCCOPY);
        SelectObject(imageDc, oldBitmap);
    }

    void operator()(const StrokeRect &stroke) const
    {
        HPEN pen = CreatePen(PS_SOLID, stroke.penWidth, colorOf(stroke.colour));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        const Rect &r = stroke.rect;
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
};

} // namespace

BoardSurface::~BoardSurface()
{
    if (picture_) {
        SelectObject(picture_, originalBitmap_);
        DeleteDC(picture_);
    }
    if (pictureBitmap_)
        DeleteObject(pictureBitmap_);
    if (imageDc_)
        DeleteDC(imageDc_);
    for (HBITMAP image : images_)
        if (image)
            DeleteObject(image);
}

bool BoardSurface::create(HWND window, HINSTANCE instance)
{
    const std::array<SquareImage, 26> all = allSquareImages();
    for (std::size_t i = 0; i < all.size(); ++i) {
        images_[i] = LoadBitmapW(instance, MAKEINTRESOURCEW(imageResourceId(all[i])));
        if (!images_[i])
            return false;
    }
    HDC screen = GetDC(window);
    picture_ = CreateCompatibleDC(screen);
    imageDc_ = CreateCompatibleDC(screen);
    pictureBitmap_ = CreateCompatibleBitmap(screen, pictureWidth, pictureHeight);
    ReleaseDC(window, screen);
    if (!picture_ || !imageDc_ || !pictureBitmap_)
        return false;
    originalBitmap_ = SelectObject(picture_, pictureBitmap_);
    return true;
}

void BoardSurface::compose(const BoardPicture &picture)
{
    const FontRequest &request = picture.labelFont;
    const std::wstring face = request.faces.empty() ? std::wstring() : widen(request.faces.front());
    // Where that face is missing, the serif family steers the font mapper to a Mincho.
    HFONT font = CreateFontW(request.height, 0, 0, 0, request.weight, FALSE, FALSE, FALSE,
                             static_cast<DWORD>(request.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, face.c_str());
    HGDIOBJ oldFont = SelectObject(picture_, font);
    SetBkMode(picture_, TRANSPARENT);
    SetTextColor(picture_, RGB(0, 0, 0));
    const CommandPainter painter{picture_, imageDc_, images_};
    for (const DrawCommand &command : picture.commands)
        std::visit(painter, command);
    SelectObject(picture_, oldFont);
    DeleteObject(font);
}

void BoardSurface::paint(HDC target, const RECT &area) const
{
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, picture_, area.left,
           area.top, SRCCOPY);
}

} // namespace chess::win32
