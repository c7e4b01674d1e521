#include "app/chess_clock.h"
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
#include <utility>
#include <vector>

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

// A dialog template of the classic form as the resources hold it.
struct DialogControl {
    DWORD style;
    WORD id;
    std::wstring className; // "#128" for a button, "#129" an edit field, "#130" a static text
    std::wstring text;
};
struct DialogTemplate {
    DWORD style;
    std::wstring caption;
    WORD fontSize;
    std::wstring font;
    std::vector<DialogControl> controls;
};

DialogTemplate readDialog(LPCWSTR name)
{
    TemplateReader reader(resourceBytes(name, RT_DIALOG));
    DialogTemplate dialog{};
    dialog.style = reader.read<DWORD>();
    reader.read<DWORD>(); // extended style
    const auto count = reader.read<WORD>();
    for (int i = 0; i < 4; ++i)
        reader.read<short>();                  // x, y, width, height
    EXPECT_EQ(reader.readNameOrNumber(), L""); // no menu
    EXPECT_EQ(reader.readNameOrNumber(), L""); // the standard dialog class
    dialog.caption = reader.readString();
    dialog.fontSize = reader.read<WORD>();
    dialog.font = reader.readString();
    for (int c = 0; c < count; ++c) {
        reader.alignToDword();
        DialogControl control{};
        control.style = reader.read<DWORD>();
        reader.read<DWORD>(); // extended style
        for (int i = 0; i < 4; ++i)
            reader.read<short>();
        control.id = reader.read<WORD>();
        control.className = reader.readNameOrNumber();
        control.text = reader.readNameOrNumber();
        reader.read<WORD>(); // no creation data
        dialog.controls.push_back(control);
    }
    return dialog;
}

void expectControls(const DialogTemplate &dialog, const std::vector<std::pair<WORD, std::wstring>> &expected)
{
    ASSERT_EQ(dialog.controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(dialog.controls[i].id, expected[i].first);
        EXPECT_EQ(dialog.controls[i].text, expected[i].second);
    }
}

// The dialog shows the core's texts, and its buttons carry the numbers that the dialog
// procedure turns into the choices 0-3.
TEST(Win32Resources, PromotionDialogShowsTheCoreTexts)
{
    const DialogTemplate dialog = readDialog(L"MYDLG");
    EXPECT_EQ(dialog.style & DS_SETFONT, DWORD{DS_SETFONT});
    EXPECT_EQ(dialog.caption, widen(texts::promotionCaption));
    EXPECT_EQ(dialog.fontSize, 12);
    EXPECT_EQ(dialog.font, L"FixedSys");
    expectControls(dialog, {{IDC_QUEEN, L"Queen"},
                            {IDC_ROOK, L"Rook"},
                            {IDC_BISHOP, L"Bishop"},
                            {IDC_KNIGHT, L"Knight"},
                            {IDC_PROMPT, widen(texts::promotionPrompt)},
                            {IDC_DEFAULT, L"Button105"}});
}

// The clock dialog offers the core's choices in its order, each field follows the label a
// screen reader names it by, and the arrow keys stay within the choices: the choices are
// one group, which the control after them ends.
TEST(Win32Resources, ClockDialogOffersTheCoreChoicesWithLabelledFields)
{
    const DialogTemplate dialog = readDialog(L"CLOCKDLG");
    EXPECT_EQ(dialog.caption, widen(texts::clockCaption));
    std::vector<std::pair<WORD, std::wstring>> expected;
    for (std::size_t i = 0; i < timeControlChoices.size(); ++i)
        expected.emplace_back(IDC_CLOCK_CHOICE + i, widen(timeControlLabel(timeControlChoices[i])));
    expected.insert(expected.end(), {{IDC_OWN_CHOICE, widen(texts::ownTimeControl)},
                                     {IDC_MINUTES_LABEL, widen(texts::minutesField)},
                                     {IDC_MINUTES, L""},
                                     {IDC_PLUS, L"+"},
                                     {IDC_SECONDS_LABEL, widen(texts::secondsField)},
                                     {IDC_SECONDS, L""},
                                     {IDOK, L"OK"},
                                     {IDCANCEL, L"キャンセル"}});
    expectControls(dialog, expected);

    const std::size_t choices = timeControlChoices.size() + 1;
    for (std::size_t i = 0; i <= choices; ++i) {
        const DialogControl &control = dialog.controls[i];
        SCOPED_TRACE(control.id);
        EXPECT_EQ(control.className == L"#128" && (control.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON,
                  i < choices);
        EXPECT_EQ((control.style & WS_GROUP) != 0, i == 0 || i == choices);
    }
    // The fields take digits only, and their labels are static texts.
    for (std::size_t i = choices; i < dialog.controls.size(); ++i) {
        const DialogControl &control = dialog.controls[i];
        SCOPED_TRACE(control.id);
        if (control.id == IDC_MINUTES || control.id == IDC_SECONDS) {
            EXPECT_EQ(control.className, L"#129");
            EXPECT_NE(control.style & ES_NUMBER, 0u);
            EXPECT_EQ(dialog.controls[i - 1].className, L"#130");
        }
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
