// What the program sees of its own resources, through the calls it makes to
// load them: this executable links pinwell_resources just as the program does.

#include <doctest/doctest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "resources/resource_ids.hpp"

namespace {

HINSTANCE Program() { return GetModuleHandleA(nullptr); }

LPCSTR Numbered(int id) { return MAKEINTRESOURCEA(id); }

std::string_view ResourceBytes(LPCSTR name, LPCSTR type) {
  HRSRC found = FindResourceA(Program(), name, type);
  REQUIRE(found != nullptr);
  HGLOBAL loaded = LoadResource(Program(), found);
  REQUIRE(loaded != nullptr);
  return {static_cast<const char*>(LockResource(loaded)), SizeofResource(Program(), found)};
}

std::vector<int> ResourceWords(LPCSTR name, LPCSTR type) {
  std::string_view bytes = ResourceBytes(name, type);
  REQUIRE(bytes.size() % 2 == 0);
  std::vector<int> words;
  for (size_t i = 0; i < bytes.size(); i += 2)
    words.push_back(static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8);
  return words;
}

// "#n" for a numbered resource or an ordinal, as resource scripts write them.
std::string Ordinal(uintptr_t number) {
  std::string text = "#";
  text += std::to_string(number);
  return text;
}

std::string ResourceName(LPCSTR name) {
  return IS_INTRESOURCE(name) ? Ordinal(reinterpret_cast<uintptr_t>(name)) : name;
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
  reinterpret_cast<std::vector<std::string>*>(names)->push_back(ResourceName(name));
  return TRUE;
}

std::vector<std::string> ResourceNames(LPCSTR type) {
  std::vector<std::string> names;
  EnumResourceNamesA(Program(), type, CollectName, reinterpret_cast<LONG_PTR>(&names));
  return names;
}

std::string MenuText(HMENU menu, UINT item, UINT flags) {
  char text[256] = {};
  GetMenuStringA(menu, item, text, sizeof text, flags);
  return text;
}

std::string LoadedString(int id) {
  char text[256] = {};
  int length = LoadStringA(Program(), id, text, sizeof text);
  return std::string(text, length);
}

std::string WindowText(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

struct MenuEntry {
  std::string_view caption;
  int command = -1;  // -1: a popup; 0: a separator
  bool checked = false;
  std::vector<MenuEntry> popup = {};
};

void CheckMenu(HMENU menu, const std::vector<MenuEntry>& expected, const std::string& path) {
  REQUIRE(GetMenuItemCount(menu) == static_cast<int>(expected.size()));
  for (UINT i = 0; i < expected.size(); ++i) {
    const MenuEntry& entry = expected[i];
    std::string place = path + "/" + std::string(entry.caption);
    CAPTURE(place);
    CHECK(MenuText(menu, i, MF_BYPOSITION) == entry.caption);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    REQUIRE(GetMenuItemInfoA(menu, i, TRUE, &info));
    if (entry.command == 0) {
      CHECK(info.fType == MFT_SEPARATOR);
      continue;
    }
    CHECK(info.fType == MFT_STRING);
    CHECK(info.fState == (entry.checked ? MFS_CHECKED : 0u));
    if (entry.command == -1) {
      REQUIRE(info.hSubMenu != nullptr);
      CheckMenu(info.hSubMenu, entry.popup, place);
    } else {
      CHECK(info.hSubMenu == nullptr);
      CHECK(info.wID == static_cast<UINT>(entry.command));
      CHECK(((GetMenuState(menu, entry.command, MF_BYCOMMAND) & MF_CHECKED) != 0) == entry.checked);
    }
  }
}

struct PopupLocator {
  int id;
  std::vector<int> path;
};

std::vector<PopupLocator> PopupLocators(const std::vector<int>& words) {
  std::vector<PopupLocator> locators;
  for (size_t i = 0; i < words.size() && words[i] != 0;) {
    PopupLocator locator{words[i++], {}};
    while (i < words.size() && words[i] != 0) locator.path.push_back(words[i++]);
    ++i;
    locators.push_back(locator);
  }
  return locators;
}

// The caption of the popup a locator path leads to, or "" if it leads nowhere.
std::string PopupCaption(HMENU menu, const std::vector<int>& path) {
  for (size_t step = 0; step + 1 < path.size() && menu != nullptr; ++step)
    menu = GetSubMenu(menu, path[step] - 1);
  if (menu == nullptr || path.empty() || GetSubMenu(menu, path.back() - 1) == nullptr) return "";
  return MenuText(menu, path.back() - 1, MF_BYPOSITION);
}

// Reads a dialog template the way the dialog manager does.
struct TemplateReader {
  std::string_view bytes;
  size_t at = 0;

  uint16_t Word() {
    REQUIRE(at + 2 <= bytes.size());
    uint16_t value;
    std::memcpy(&value, bytes.data() + at, 2);
    at += 2;
    return value;
  }
  uint32_t DoubleWord() { return Word() | static_cast<uint32_t>(Word()) << 16; }
  int16_t Signed() { return static_cast<int16_t>(Word()); }
  // A UTF-16 text (ASCII here), or "#n" for an ordinal, "" for none.
  std::string Text() {
    uint16_t first = Word();
    if (first == 0xFFFF) return Ordinal(Word());
    std::string text;
    for (uint16_t c = first; c != 0; c = Word()) text += static_cast<char>(c);
    return text;
  }
  void AlignToDoubleWord() { at = (at + 3) & ~size_t{3}; }
};

struct DialogItem {
  uint32_t style;
  uint32_t extendedStyle;
  int x, y, width, height;
  int id;
  std::string windowClass;
  std::string text;
};

bool operator==(const DialogItem& a, const DialogItem& b) {
  return a.style == b.style && a.extendedStyle == b.extendedStyle && a.x == b.x && a.y == b.y &&
         a.width == b.width && a.height == b.height && a.id == b.id && a.windowClass == b.windowClass &&
         a.text == b.text;
}

std::ostream& operator<<(std::ostream& out, const DialogItem& item) {
  return out << "{style 0x" << std::hex << item.style << " ex 0x" << item.extendedStyle << std::dec << " at "
             << item.x << "," << item.y << " size " << item.width << "x" << item.height << " id " << item.id
             << " class " << item.windowClass << " text \"" << item.text << "\"}";
}

INT_PTR CALLBACK IdleDialogProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

using namespace resources;

TEST_CASE("menu 30001: captions, commands and the initial check mark") {
  const std::vector<MenuEntry> expected = {
      {"&File", -1, false, {{"&Open", 40002}, {"&Save", 40003}, {"Save &As", 40004}, {"E&xit", 40005}}},
      {"&Options", -1, false,
       {{"&Resolution", -1, false, {{"&1 second", 40018, true}, {"&5 seconds", 40015}, {"1&0 seconds", 40014}}},
        {"&Only real fixes", 40021},
        {"&Local time", 40022},
        {"", 0},
        {"&English numbers", 40019, true},
        {"&Continental numbers", 40020}}},
      {"&Help", -1, false, {{"&Pinwell", 40011}, {"&About", 40007}}},
  };
  HMENU menu = LoadMenuA(Program(), Numbered(MainMenu));
  REQUIRE(menu != nullptr);
  CheckMenu(menu, expected, "");

  DestroyMenu(menu);
}

TEST_CASE("PopupLocatorTable 30001 names the popups of menu 30001") {
  const std::vector<int> words = ResourceWords(Numbered(MainMenu), RT_RCDATA);
  CHECK(words == std::vector<int>{40001, 1, 0, 40012, 2, 0, 40013, 2, 1, 0, 40006, 3, 0, 0});

  SUBCASE("every path leads to the popup it names") {
    struct Expected {
      int id;
      std::string caption;
    };
    const std::vector<Expected> expected = {
        {PopupFile, "&File"}, {PopupOptions, "&Options"}, {PopupResolution, "&Resolution"}, {PopupHelp, "&Help"}};
    HMENU menu = LoadMenuA(Program(), Numbered(MainMenu));
    REQUIRE(menu != nullptr);
    const std::vector<PopupLocator> locators = PopupLocators(words);
    REQUIRE(locators.size() == expected.size());
    for (size_t i = 0; i < locators.size(); ++i) {
      CAPTURE(locators[i].id);
      CHECK(locators[i].id == expected[i].id);
      CHECK(PopupCaption(menu, locators[i].path) == expected[i].caption);
    }
    DestroyMenu(menu);
  }
}

TEST_CASE("bitmap 30101: five distinct pictures on the button face grey") {
  const std::string_view bytes = ResourceBytes(Numbered(MainToolbar), RT_BITMAP);
  BITMAPINFOHEADER header;
  REQUIRE(bytes.size() >= sizeof header);
  std::memcpy(&header, bytes.data(), sizeof header);
  REQUIRE(header.biWidth == 80);
  REQUIRE(header.biHeight == 16);
  REQUIRE(header.biBitCount == 8);
  REQUIRE(header.biCompression == BI_RGB);
  CHECK((header.biClrUsed == 256 || header.biClrUsed == 0));
  const size_t paletteAt = header.biSize;
  const size_t pixelsAt = paletteAt + 256 * sizeof(RGBQUAD);
  REQUIRE(bytes.size() >= pixelsAt + 80 * 16);

  auto colourAt = [&](int x, int y) {
    auto index = static_cast<uint8_t>(bytes[pixelsAt + (15 - y) * 80 + x]);
    RGBQUAD quad;
    std::memcpy(&quad, bytes.data() + paletteAt + index * sizeof quad, sizeof quad);
    return RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue);
  };
  std::vector<std::vector<COLORREF>> pictures(5);
  for (int image = 0; image < 5; ++image)
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) pictures[image].push_back(colourAt(image * 16 + x, y));

  // The toolbar shows the grey (192, 192, 192) in the user's button colour.
  const COLORREF face = RGB(192, 192, 192);
  for (int image = 0; image < 5; ++image) {
    CAPTURE(image);
    const auto& picture = pictures[image];
    const auto faceCount = std::count(picture.begin(), picture.end(), face);
    CHECK(faceCount > 0);
    CHECK(faceCount < 256 - 32);  // a picture, not a blank button
    for (int other = 0; other < image; ++other) CHECK(picture != pictures[other]);
  }
}

// Its sizes are read back from the built programs by program_identity_test.
TEST_CASE("icon1: the class icon") { CHECK(LoadIconA(Program(), ProgramIcon) != nullptr); }

TEST_CASE("accelerators 30001: the shortcuts of Open, Save and Help") {
  const HACCEL table = LoadAcceleratorsA(Program(), Numbered(MainMenu));
  REQUIRE(table != nullptr);
  std::vector<ACCEL> keys(static_cast<size_t>(CopyAcceleratorTableA(table, nullptr, 0)));
  CopyAcceleratorTableA(table, keys.data(), static_cast<int>(keys.size()));
  std::vector<std::string> shortcuts;
  for (const ACCEL& key : keys) {
    const std::string name = key.key == VK_F1 ? "F1" : std::string(1, static_cast<char>(key.key));
    shortcuts.push_back(((key.fVirt & FCONTROL) != 0 ? "Ctrl+" : "") + name + " " + std::to_string(key.cmd) +
                        ((key.fVirt & FVIRTKEY) != 0 ? "" : " (not a key)"));
  }
  CHECK(shortcuts == std::vector<std::string>{"Ctrl+O 40002", "Ctrl+S 40003", "F1 40011"});
  DestroyAcceleratorTable(table);
}

// The toolbar test shows the five tooltips; here, that there is nothing else.
TEST_CASE("string table: the five tooltips and nothing else") {
  const std::set<int> tooltips = {CommandOpen, CommandSave, CommandExitButton, CommandEnglishNumbers,
                                  CommandContinentalNumbers};
  // Strings are stored in blocks of 16: ids 40000..40031 are blocks 2501 and 2502.
  CHECK(ResourceNames(RT_STRING) == std::vector<std::string>{"#2501", "#2502"});
  for (int id = 40000; id < 40032; ++id) {
    CAPTURE(id);
    CHECK((LoadedString(id) != "") == tooltips.contains(id));
  }
}

TEST_CASE("dialog 101: the About box") {
  SUBCASE("template") {
    TemplateReader reader{ResourceBytes(Numbered(AboutDialog), RT_DIALOG)};
    CHECK(reader.DoubleWord() == (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    CHECK(reader.DoubleWord() == 0);
    const int count = reader.Word();
    CHECK(reader.Signed() == 0);
    CHECK(reader.Signed() == 0);
    CHECK(reader.Signed() == 120);
    CHECK(reader.Signed() == 110);
    CHECK(reader.Text() == "");  // no menu
    CHECK(reader.Text() == "");  // the standard dialog class
    CHECK(reader.Text() == "About");
    CHECK(reader.Word() == 8);
    CHECK(reader.Text() == "MS Sans Serif");

    std::vector<DialogItem> items;
    for (int i = 0; i < count; ++i) {
      reader.AlignToDoubleWord();
      DialogItem item{};
      item.style = reader.DoubleWord();
      item.extendedStyle = reader.DoubleWord();
      item.x = reader.Signed();
      item.y = reader.Signed();
      item.width = reader.Signed();
      item.height = reader.Signed();
      item.id = reader.Word();
      item.windowClass = reader.Text();
      item.text = reader.Text();
      CHECK(reader.Word() == 0);  // no creation data
      items.push_back(item);
    }
    // #128 and #130 are the predefined BUTTON and STATIC classes.
    const std::vector<DialogItem> expected = {
        {WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 40, 80, 40, 14, 1, "#128", "OK"},
        {WS_CHILD | WS_VISIBLE | SS_CENTER | SS_SUNKEN, 0, 25, 20, 70, 50, 1001, "#130", ""},
    };
    REQUIRE(items.size() == expected.size());
    for (size_t i = 0; i < items.size(); ++i) CHECK(items[i] == expected[i]);
  }

  SUBCASE("a live instance") {
    HWND dialog = CreateDialogParamA(Program(), Numbered(AboutDialog), nullptr,
                                     IdleDialogProcedure, 0);
    REQUIRE(dialog != nullptr);
    CHECK(WindowText(dialog) == "About");
    CHECK_FALSE(IsWindowVisible(dialog));

    RECT units{0, 0, 120, 110};
    MapDialogRect(dialog, &units);
    RECT client{};
    GetClientRect(dialog, &client);
    CHECK(client.right == units.right);
    CHECK(client.bottom == units.bottom);

    LOGFONTA font{};
    auto handle = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    REQUIRE(handle != nullptr);
    REQUIRE(GetObjectA(handle, sizeof font, &font) == sizeof font);
    CHECK(std::string(font.lfFaceName) == "MS Sans Serif");

    int controls = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
      ++controls;
    CHECK(controls == 2);

    HWND ok = GetDlgItem(dialog, 1);
    REQUIRE(ok != nullptr);
    char name[64] = {};
    GetClassNameA(ok, name, sizeof name);
    CHECK(std::string(name) == "Button");
    CHECK(WindowText(ok) == "OK");
    CHECK((SendMessageA(ok, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0);

    HWND text = GetDlgItem(dialog, AboutTextField);
    REQUIRE(text != nullptr);
    GetClassNameA(text, name, sizeof name);
    CHECK(std::string(name) == "Static");
    CHECK(WindowText(text) == "");
    CHECK((GetWindowLongA(text, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER);
    CHECK((GetWindowLongA(text, GWL_STYLE) & SS_SUNKEN) != 0);
    DestroyWindow(dialog);
  }
}

TEST_CASE("the program carries these resources and no others of these kinds") {
  CHECK(ResourceNames(RT_MENU) == std::vector<std::string>{"#30001"});
  CHECK(ResourceNames(RT_RCDATA) == std::vector<std::string>{"#30001", "#30101"});
  CHECK(ResourceNames(RT_BITMAP) == std::vector<std::string>{"#30101", "#30125", "#30133"});
  CHECK(ResourceNames(RT_GROUP_ICON) == std::vector<std::string>{"ICON1"});
  CHECK(ResourceNames(RT_DIALOG) == std::vector<std::string>{"#101"});
  CHECK(ResourceNames(RT_ACCELERATOR) == std::vector<std::string>{"#30001"});
}
