#include "win32/board_surface.h"

#include "win32/wide_text.h"

#include <cstdlib>
#include <variant>

namespace chess::win32 {
namespace {

COLORREF colorOf(Colour colour) { return RGB(colour.red, colour.green, colour.blue); }

// The images are numbered 400, 500, ... in the order the surface keeps them.
std::size_t imageIndex(SquareImage image)
{
    return static_cast<std::size_t>((imageResourceId(image) - 400) / 100);
}

// A bitmap resource is a bitmap file without its file header: the header, the colour table
// (or the three masks of a bit-field bitmap) and the pixels.
const void *pixelsOf(const BITMAPINFO &image)
{
    const BITMAPINFOHEADER &header = image.bmiHeader;
    DWORD entries = header.biClrUsed;
    if (!entries && header.biBitCount <= 8)
        entries = 1u << header.biBitCount;
    if (header.biSize == sizeof(BITMAPINFOHEADER) && header.biCompression == BI_BITFIELDS)
        entries += 3;
    return reinterpret_cast<const BYTE *>(&image) + header.biSize + entries * sizeof(RGBQUAD);
}

HFONT createFont(const FontRequest &request)
{
    const std::wstring face = request.faces.empty() ? std::wstring() : widen(request.faces.front());
    // Where that face is missing, the serif family steers the font mapper to a Mincho.
    return CreateFontW(request.height, 0, 0, 0, request.weight, FALSE, FALSE, FALSE,
                       static_cast<DWORD>(request.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, face.c_str());
}

// Executes one drawing command on the picture. Each pen and brush lives for one command.
struct CommandPainter {
    HDC dc;
    const std::array<const BITMAPINFO *, 26> &images;

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
        // An image larger than its square shows only its top-left part. The source corner is
        // the lower left, counted from the last row of a bottom-up image.
        const BITMAPINFO &image = *images[imageIndex(square.image)];
        const Rect &r = square.rect;
        const LONG height = image.bmiHeader.biHeight;
        const int width = r.right - r.left;
        const int rows = r.bottom - r.top;
        SetDIBitsToDevice(dc, r.left, r.top, width, rows, 0, height > 0 ? height - rows : 0, 0,
                          static_cast<UINT>(std::abs(height)), pixelsOf(image), &image, DIB_RGB_COLORS);
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
    if (font_)
        DeleteObject(font_);
}

bool BoardSurface::create(HWND window, HINSTANCE instance)
{
    const std::array<SquareImage, 26> all = allSquareImages();
    for (std::size_t i = 0; i < all.size(); ++i) {
        HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(imageResourceId(all[i])), RT_BITMAP);
        HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
        images_[i] = loaded ? static_cast<const BITMAPINFO *>(LockResource(loaded)) : nullptr;
        if (!images_[i])
            return false;
    }
    HDC screen = GetDC(window);
    picture_ = CreateCompatibleDC(screen);
    pictureBitmap_ = CreateCompatibleBitmap(screen, pictureWidth, pictureHeight);
    ReleaseDC(window, screen);
    if (!picture_ || !pictureBitmap_)
        return false;
    originalBitmap_ = SelectObject(picture_, pictureBitmap_);
    SetBkMode(picture_, TRANSPARENT);
    SetTextColor(picture_, RGB(0, 0, 0));
    return true;
}

void BoardSurface::compose(const BoardPicture &picture)
{
    if (!font_ || picture.labelFont != fontRequest_) {
        if (font_)
            DeleteObject(font_);
        font_ = createFont(picture.labelFont);
        fontRequest_ = picture.labelFont;
    }
    HGDIOBJ oldFont = SelectObject(picture_, font_);
    const CommandPainter painter{picture_, images_};
    for (const DrawCommand &command : picture.commands)
        std::visit(painter, command);
    SelectObject(picture_, oldFont);
}

void BoardSurface::paint(HDC target, const RECT &area) const
{
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, picture_, area.left,
           area.top, SRCCOPY);
}

} // namespace chess::win32
