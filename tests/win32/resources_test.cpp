#include "app/menu_commands.h"
#include "app/texts.h"
#include "view/square_image.h"
#include "win32/resource.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The resources are linked into this test as into the program; these tests read them back.
namespace chess::win32 {
namespace {

std::string_view resourceBytes(LPCWSTR name, LPCWSTR type)
{
    HRSRC found = FindResourceW(nullptr, name, type);
    if (!found)
        return {};
    return {static_cast<const char *>(LockResource(LoadResource(nullptr, found))),
            SizeofResource(nullptr, found)};
}

std::string fileBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Reads a dialog template of the classic form (the one DIALOG statements make) in order.
class TemplateReader {
public:
    explicit TemplateReader(std::string_view bytes) : bytes_(bytes) {}

    template <typename T> T read()
    {
        T value{};
        if (offset_ + sizeof value <= bytes_.size())
            std::memcpy(&value, bytes_.data() + offset_, sizeof value);
        offset_ += sizeof value;
        return value;
    }
    std::wstring readString()
    {
        std::wstring text;
        for (wchar_t c = read<wchar_t>(); c != 0; c = read<wchar_t>())
            text += c;
        return text;
    }
    // A name, or 0xFFFF and a number: the number is returned as "#number".
    std::wstring readNameOrNumber()
    {
        const std::size_t start = offset_;
        if (read<WORD>() == 0xFFFF)
            return L"#" + std::to_wstring(read<WORD>());
        offset_ = start;
        return readString();
    }
    void alignToDword() { offset_ = (offset_ + 3) & ~std::size_t{3}; }

private:
    std::string_view bytes_;
    std::size_t offset_ = 0;
};

// Each image number holds the art file of its name unchanged (windres stores a bitmap as its
// file without the 14-byte file header), and every image is 40 x 40 in 24 bits; the number
// above it the @2x art, 80 x 80 with a colour table.
TEST(Win32Resources, EachSquareImageNumberHoldsTheArtOfItsName)
{
    const struct {
        const char *suffix;
        int numberAbove;
        int side;
    } scales[] = {{"", 0, 40}, {"@2x", 1, 80}};
    for (const auto &[suffix, numberAbove, side] : scales)
        for (SquareImage image : allSquareImages()) {
            const std::string name = imageName(image) + suffix;
            SCOPED_TRACE(name);
            const std::string file =
                fileBytes(std::filesystem::path(CHESS_ART_DIR) / "squares" / (name + ".bmp"));
            ASSERT_GT(file.size(), 14 + sizeof(BITMAPINFOHEADER));
            const std::string_view dib = std::string_view(file).substr(14);
            EXPECT_EQ(resourceBytes(MAKEINTRESOURCEW(imageResourceId(image) + numberAbove), RT_BITMAP), dib);
            BITMAPINFOHEADER header;
            std::memcpy(&header, dib.data(), sizeof header);
            EXPECT_EQ(header.biWidth, side);
            EXPECT_EQ(std::abs(header.biHeight), side);
            EXPECT_EQ(header.biBitCount <= 8, numberAbove == 1);
        }
}

std::wstring menuItemText(HMENU menu, int position, UINT &id, UINT &type)
{
    wchar_t text[100] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = std::size(text);
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    id = info.wID;
    type = info.fType;
    return text;
}

TEST(Win32Resources, MenuIsTheCoreFileMenu)
{
    HMENU bar = LoadMenuW(GetModuleHandleW(nullptr), L"MYMENU");
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    UINT id = 0;
    UINT type = 0;
    EXPECT_EQ(menuItemText(bar, 0, id, type), widen(fileMenuCaption));

    HMENU file = GetSubMenu(bar, 0);
    const std::span<const MenuItem> items = fileMenuItems();
    ASSERT_EQ(GetMenuItemCount(file), static_cast<int>(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        const std::wstring text = menuItemText(file, static_cast<int>(i), id, type);
        if (!items[i].command) {
            EXPECT_TRUE(type & MFT_SEPARATOR);
            continue;
        }
        EXPECT_EQ(id, static_cast<UINT>(*items[i].command));
        EXPECT_EQ(text, widen(items[i].caption));
    }
    DestroyMenu(bar);
}

// The dialog shows the core's texts, and its buttons carry the numbers that the dialog
// procedure turns into the choices 0-3.
TEST(Win32Resources, PromotionDialogShowsTheCoreTexts)
{
    TemplateReader reader(resourceBytes(L"MYDLG", RT_DIALOG));
    const auto style = reader.read<DWORD>();
    EXPECT_EQ(style & DS_SETFONT, DWORD{DS_SETFONT});
    reader.read<DWORD>(); // extended style
    const auto controls = reader.read<WORD>();
    ASSERT_EQ(controls, 6);
    for (int i = 0; i < 4; ++i)
        reader.read<short>();                  // x, y, width, height
    EXPECT_EQ(reader.readNameOrNumber(), L""); // no menu
    EXPECT_EQ(reader.readNameOrNumber(), L""); // the standard dialog class
    EXPECT_EQ(reader.readString(), widen(texts::promotionCaption));
    EXPECT_EQ(reader.read<WORD>(), 12);
    EXPECT_EQ(reader.readString(), L"FixedSys");

    const std::pair<WORD, std::wstring> expected[] = {{IDC_QUEEN, L"Queen"},
                                                      {IDC_ROOK, L"Rook"},
                                                      {IDC_BISHOP, L"Bishop"},
                                                      {IDC_KNIGHT, L"Knight"},
                                                      {IDC_PROMPT, widen(texts::promotionPrompt)},
                                                      {IDC_DEFAULT, L"Button105"}};
    for (const auto &[id, text] : expected) {
        reader.alignToDword();
        reader.read<DWORD>(); // style
        reader.read<DWORD>(); // extended style
        for (int i = 0; i < 4; ++i)
            reader.read<short>();
        EXPECT_EQ(reader.read<WORD>(), id);
        reader.readNameOrNumber(); // class
        EXPECT_EQ(reader.readNameOrNumber(), text);
        reader.read<WORD>(); // no creation data
    }
}

std::wstring versionString(std::string &info, const wchar_t *name)
{
    wchar_t *text = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void **>(&text), &length))
        return {};
    return text;
}

TEST(Win32Resources, ProgramCarriesIconAndProjectVersion)
{
    EXPECT_FALSE(resourceBytes(MAKEINTRESOURCEW(IDI_CHESSBOARD), RT_GROUP_ICON).empty());

    std::string info(resourceBytes(MAKEINTRESOURCEW(1), RT_VERSION));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void **>(&fixed), &size));
    const std::wstring fixedVersion = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                                      std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                                      std::to_wstring(HIWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(fixedVersion, widen(CHESS_PROJECT_VERSION));
    EXPECT_EQ(versionString(info, L"FileVersion"), widen(CHESS_PROJECT_VERSION));
    EXPECT_EQ(versionString(info, L"ProductVersion"), widen(CHESS_PROJECT_VERSION));
}

} // namespace
} // namespace chess::win32
