#include "win32/board_surface.h"

#include "win32/wide_text.h"

#include <cstdlib>
#include <variant>

namespace chess::win32 {
namespace {

// The @2x art of each image is numbered one above the plain one, and drawn at twice the
// picture's density.
constexpr int doubleArtNumber = 1;
constexpr PixelScale doubleArtScale{2 * PixelScale::pictureDpi};

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

bool findArt(HINSTANCE instance, int numberAbove, std::array<const BITMAPINFO *, 26> &art)
{
    const std::array<SquareImage, 26> all = allSquareImages();
    for (std::size_t i = 0; i < all.size(); ++i) {
        HRSRC found =
            FindResourceW(instance, MAKEINTRESOURCEW(imageResourceId(all[i]) + numberAbove), RT_BITMAP);
        HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
        art[i] = loaded ? static_cast<const BITMAPINFO *>(LockResource(loaded)) : nullptr;
        if (!art[i])
            return false;
    }
    return true;
}

HFONT createFont(const FontRequest &request, PixelScale scale)
{
    const std::wstring face = request.faces.empty() ? std::wstring() : widen(request.faces.front());
    // Where that face is missing, the serif family steers the font mapper to a Mincho.
    return CreateFontW(scale.toDevice(request.height), 0, 0, 0, request.weight, FALSE, FALSE, FALSE,
                       static_cast<DWORD>(request.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, face.c_str());
}

void fill(HDC dc, const Rect &r, HBRUSH brush)
{
    const RECT area{r.left, r.top, r.right, r.bottom};
    ::FillRect(dc, &area, brush); // GDI's, not the drawing step
}

// Executes one drawing command on the picture, in device pixels. Each brush lives for one
// command.
struct CommandPainter {
    HDC dc;
    PixelScale scale;
    const std::array<const BITMAPINFO *, 26> &art;
    bool artAtScale; // the art has the display's density: copied, not resampled

    void operator()(const FillRect &step) const
    {
        HBRUSH brush = CreateSolidBrush(colorOf(step.colour));
        fill(dc, scale.toDevice(step.rect), brush);
        DeleteObject(brush);
    }

    void operator()(const DrawLabel &label) const
    {
        const std::wstring text = widen(label.text);
        TextOutW(dc, scale.toDevice(label.topLeft.x), scale.toDevice(label.topLeft.y), text.c_str(),
                 static_cast<int>(text.size()));
    }

    void operator()(const DrawSquareImage &square) const
    {
        const BITMAPINFO &image = *art[imageIndex(square.image)];
        const Rect r = scale.toDevice(square.rect);
        const LONG height = image.bmiHeader.biHeight;
        const int width = r.right - r.left;
        const int rows = r.bottom - r.top;
        if (!artAtScale) {
            StretchDIBits(dc, r.left, r.top, width, rows, 0, 0, image.bmiHeader.biWidth, std::abs(height),
                          pixelsOf(image), &image, DIB_RGB_COLORS, SRCCOPY);
            return;
        }
        // An image larger than its square shows only its top-left part. The source corner is
        // the lower left, counted from the last row of a bottom-up image.
        SetDIBitsToDevice(dc, r.left, r.top, width, rows, 0, height > 0 ? height - rows : 0, 0,
                          static_cast<UINT>(std::abs(height)), pixelsOf(image), &image, DIB_RGB_COLORS);
    }

    void operator()(const StrokeRect &stroke) const
    {
        if (scale == PixelScale{}) {
            drawWithPen(stroke);
            return;
        }
        // Scaled, the band that the pen would cover is filled, so that it keeps its
        // proportion. The pen is centred on the outline, whose one-pixel line covers left to
        // right - 1.
        const int width = stroke.penWidth;
        const int before = (width - 1) / 2;
        const Rect &r = stroke.rect;
        const Rect band{r.left - before, r.top - before, r.right + width / 2, r.bottom + width / 2};
        const Rect outer = scale.toDevice(band);
        const Rect inner = scale.toDevice(
            Rect{band.left + width, band.top + width, band.right - width, band.bottom - width});
        HBRUSH brush = CreateSolidBrush(colorOf(stroke.colour));
        fill(dc, {outer.left, outer.top, outer.right, inner.top}, brush);
        fill(dc, {outer.left, inner.bottom, outer.right, outer.bottom}, brush);
        fill(dc, {outer.left, inner.top, inner.left, inner.bottom}, brush);
        fill(dc, {inner.right, inner.top, outer.right, inner.bottom}, brush);
        DeleteObject(brush);
    }

    // At 100 % the picture stays what it has always been, where a wide pen's round joins
    // leave out the frame's four corner pixels.
    void drawWithPen(const StrokeRect &stroke) const
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

bool BoardSurface::create(HWND window, HINSTANCE instance, PixelScale scale)
{
    if (!findArt(instance, 0, plainArt_) || !findArt(instance, doubleArtNumber, doubleArt_))
        return false;
    HDC screen = GetDC(window);
    picture_ = CreateCompatibleDC(screen);
    ReleaseDC(window, screen);
    if (!picture_)
        return false;
    SetBkMode(picture_, TRANSPARENT);
    SetTextColor(picture_, RGB(0, 0, 0));
    // GDI's smoothing filter for resampled art; it wants the brush origin set after it.
    SetStretchBltMode(picture_, HALFTONE);
    SetBrushOrgEx(picture_, 0, 0, nullptr);
    return rescale(window, scale);
}

bool BoardSurface::rescale(HWND window, PixelScale scale)
{
    HDC screen = GetDC(window);
    HBITMAP bitmap =
        CreateCompatibleBitmap(screen, scale.toDevice(pictureWidth), scale.toDevice(pictureHeight));
    ReleaseDC(window, screen);
    if (!bitmap)
        return false;
    HGDIOBJ previous = SelectObject(picture_, bitmap);
    if (pictureBitmap_)
        DeleteObject(pictureBitmap_);
    else
        originalBitmap_ = previous;
    pictureBitmap_ = bitmap;
    scale_ = scale;
    if (font_)
        DeleteObject(font_);
    font_ = nullptr;
    return true;
}

void BoardSurface::compose(const BoardPicture &picture)
{
    if (!font_ || picture.labelFont != fontRequest_) {
        if (font_)
            DeleteObject(font_);
        font_ = createFont(picture.labelFont, scale_);
        fontRequest_ = picture.labelFont;
    }
    HGDIOBJ oldFont = SelectObject(picture_, font_);
    // Above 100 % the @2x art, which only needs scaling down up to 200 %.
    const bool dense = scale_.dpi > PixelScale::pictureDpi;
    const CommandPainter painter{picture_, scale_, dense ? doubleArt_ : plainArt_,
                                 scale_ == (dense ? doubleArtScale : PixelScale{})};
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
