// The configuration dialog of a real .spi, opened from the main thread as a
// host opens it and driven from a second thread. Needs a display (xvfb).
#include <atomic>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "tests/e2e/e2e_harness.h"

namespace {

const std::string kFamily = "Software\\kesto\\lumeq";
const wchar_t kTitle[] = L"prismoseq 設定";
const wchar_t kSizeCaption[] = L"prismoseq 設定error";

enum Id : int {
    kPreview = 1000, kWidth = 1001, kHeight = 1002, kSolid = 1003, kWireframe = 1004, kViewReset = 1005,
    kHiddenLine = 1006, kShare = 1007, kObjectColour = 1008, kObjectSwatch = 1010,
};

std::wstring WindowText(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? char(c) : '?';
    return out;
}

bool IsDialogWindow(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return IsWindowVisible(window) && std::wcscmp(name, L"#32770") == 0;
}

struct WindowSearch {
    const std::wstring* title;
    HWND other;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    if (!IsDialogWindow(window) || window == search.other) return TRUE;
    if (!search.title->empty() && WindowText(window) != *search.title) return TRUE;
    search.found = window;
    return FALSE;
}

// The texts of a message box's static controls.
BOOL CALLBACK CollectBoxText(HWND child, LPARAM out) {
    if (GetDlgCtrlID(child) == 0xFFFF) *reinterpret_cast<std::wstring*>(out) += WindowText(child);
    return TRUE;
}

// A visible dialog of the thread: titled `title`, or (empty title) any but
// `other`; null after the timeout.
HWND WaitForWindow(DWORD thread, const std::wstring& title, HWND other = nullptr, int timeoutMs = 10000) {
    WindowSearch search{&title, other, nullptr};
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        EnumThreadWindows(thread, MatchWindow, LPARAM(&search));
        if (search.found) return search.found;
        Sleep(20);
    }
    return nullptr;
}

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
// For a click whose handler opens a modal box: a sent click would wait for it.
void PostClick(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
bool Checked(HWND dialog, int id) { return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
std::string Field(HWND dialog, int id) {
    return Narrow([&] { wchar_t b[32] = {}; GetDlgItemTextW(dialog, id, b, 32); return std::wstring(b); }());
}

// ConfigurationDlg(nullptr, 1) on this thread while `driver` works the
// dialog; whatever the driver leaves open is cancelled so no failure hangs.
int32_t RunDriven(SpiPlugin& plugin, const std::function<void(DWORD)>& driver) {
    const DWORD host = GetCurrentThreadId();
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        driver(host);
        for (int i = 0; i < 100 && !returned; ++i) {
            if (HWND left = WaitForWindow(host, L"", nullptr, 100)) {
                PostMessageW(left, WM_COMMAND, WindowText(left) == kSizeCaption ? IDOK : IDCANCEL, 0);
            }
        }
    });
    const int32_t result = plugin.ConfigurationDlg(nullptr, 1);
    returned = true;
    worker.join();
    return result;
}

bool QueryValue(const std::string& key, const char* name, std::vector<uint8_t>& data) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != 0) return false;
    data.assign(256, 0);
    DWORD size = DWORD(data.size());
    const bool found = RegQueryValueExA(handle, name, nullptr, nullptr, data.data(), &size) == 0;
    data.resize(found ? size : 0);
    RegCloseKey(handle);
    return found;
}

// A DWORD value, or -1 when it is absent.
int64_t StoredDword(const std::string& key, const char* name) {
    std::vector<uint8_t> data;
    if (!QueryValue(key, name, data) || data.size() != 4) return -1;
    uint32_t value;
    std::memcpy(&value, data.data(), 4);
    return value;
}

std::vector<double> StoredMatrix(const std::string& key) {
    std::vector<uint8_t> data;
    if (!QueryValue(key, "Matrix", data) || data.size() != 128) return {};
    std::vector<double> matrix(16);
    std::memcpy(matrix.data(), data.data(), 128);
    return matrix;
}

bool NearMatrix(const std::vector<double>& actual, const std::vector<double>& expected) {
    if (actual.size() != 16) return false;
    for (int i = 0; i < 16; ++i) {
        if (std::fabs(actual[i] - expected[i]) > 1e-6) return false;
    }
    return true;
}

const std::vector<double> kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// The colour the control shows at its centre (or at x, y).
COLORREF ShownColour(HWND control, int x = -1, int y = -1) {
    RedrawWindow(GetParent(control), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT client;
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    const COLORREF colour = GetPixel(dc, x < 0 ? client.right / 2 : x, y < 0 ? client.bottom / 2 : y);
    ReleaseDC(control, dc);
    return colour;
}

bool NearColour(COLORREF a, COLORREF b) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > 2) return false;
    }
    return true;
}

POINT PreviewCentre(HWND dialog) {
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, kPreview), &rect);
    POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ScreenToClient(dialog, &centre);
    return centre;
}

// A point of the dialog right of the preview, over no control.
POINT BesidePreview(HWND dialog) {
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, kPreview), &rect);
    POINT point{rect.right + 3, rect.bottom - 3};
    ScreenToClient(dialog, &point);
    return point;
}

void Drag(HWND dialog, POINT from, int dx, int dy, WPARAM keys) {
    SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageW(dialog, WM_MOUSEMOVE, keys, MAKELPARAM(from.x + dx, from.y + dy));
}

// The source folder, from the samples folder the build names.
std::string SourceFolder() {
    std::string samples = PRISMO_SAMPLES_DIR;
    return samples.substr(2, samples.size() - 2 - std::strlen("/samples"));
}

// The dialog as the screen shows it, cut out of the whole display.
void SaveScreenshot(HWND dialog, const std::string& unixPath) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500);  // Wine shows what was drawn on its next flush to the display
    RECT rect;
    GetWindowRect(dialog, &rect);
    std::string command = "/usr/bin/import -window root -crop " + std::to_string(rect.right - rect.left) + "x" +
                          std::to_string(rect.bottom - rect.top) + "+" + std::to_string(rect.left) + "+" +
                          std::to_string(rect.top) + " +repage " + unixPath;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        RecordFailure(__FILE__, __LINE__, "cannot start /usr/bin/import");
        return;
    }
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// A plug-in whose name the host has asked for, as the title needs.
struct NamedPlugin {
    explicit NamedPlugin(const char* name) : plugin(name) {
        if (plugin.Loaded()) plugin.Info(0);
    }
    SpiPlugin plugin;
};

struct ControlRow {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    std::array<int, 4> place;  // x, y, width, height in dialog units
    DWORD style;
};

// The raw "CFGDLG" template of a built .spi.
std::vector<uint8_t> DialogResource(const char* pluginName) {
    const std::string path = std::string(PRISMO_PLUGIN_DIR) + "/" + pluginName + ".spi";
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return {};
    std::vector<uint8_t> bytes;
    if (HRSRC found = FindResourceA(module, "CFGDLG", MAKEINTRESOURCEA(5))) {
        const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
        if (data) bytes.assign(data, data + SizeofResource(module, found));
    }
    FreeLibrary(module);
    return bytes;
}

// Reads a DLGTEMPLATE; reading past the end yields zeros and sets `overrun`.
struct TemplateReader {
    const uint8_t* at;
    const uint8_t* end;
    const uint8_t* start = at;
    bool overrun = false;
    int Word() {
        if (end - at < 2) { overrun = true; return 0; }
        const int value = at[0] | at[1] << 8;
        at += 2;
        return value;
    }
    int Short() { return int16_t(Word()); }
    DWORD Dword() { const DWORD low = DWORD(Word()); return low | DWORD(Word()) << 16; }
    std::wstring Text() {
        std::wstring text;
        while (int c = Word()) text += wchar_t(c);
        return text;
    }
    // "" for none, "#<n>" for an ordinal, else the name.
    std::wstring NameOrOrdinal() {
        if (end - at >= 2 && at[0] == 0xFF && at[1] == 0xFF) {
            Word();
            return L"#" + std::to_wstring(Word());
        }
        return Text();
    }
    void AlignToDword() { while ((at - start) % 4 && at < end) ++at; }
    void Skip(int bytes) { at += std::min<ptrdiff_t>(bytes, end - at); }
};

}  // namespace

E2E_TEST(dialog, EveryPluginCarriesTheTemplate) {
    const std::vector<uint8_t> reference = DialogResource("prismoseq");
    REQUIRE(!reference.empty());
    for (const char* name : {"prismodirect", "prismowave", "prismocad", "prismoscan", "prismohexa", "prismostudio",
                             "prismofront"}) {
        if (DialogResource(name) != reference) RecordFailure(__FILE__, __LINE__, std::string(name) + ": CFGDLG differs");
    }
    TemplateReader in{reference.data(), reference.data() + reference.size()};
    const DWORD style = in.Dword();
    CHECK_EQ(style, DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    in.Dword();  // extended style
    const int count = in.Word();
    const std::array<int, 4> frame{in.Short(), in.Short(), in.Short(), in.Short()};
    CHECK((frame == std::array<int, 4>{0, 0, 239, 163}));
    CHECK(in.NameOrOrdinal().empty());  // no menu
    CHECK(in.NameOrOrdinal().empty());  // the standard dialog class
    CHECK(in.Text() == L"ovis 設定");
    CHECK_EQ(in.Word(), 9);
    CHECK(in.Text() == L"ＭＳ Ｐゴシック");

    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD field = child | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL | ES_RIGHT;
    const DWORD button = child | WS_TABSTOP;
    const ControlRow rows[] = {
        {1007, L"Button", L"設定共有", {137, 5, 46, 10}, button | BS_AUTOCHECKBOX},
        {0xFFFF, L"Static", L"画像サイズ", {138, 22, 33, 9}, child | SS_LEFT},
        {1001, L"Edit", L"", {143, 35, 26, 12}, field},
        {1002, L"Edit", L"", {185, 35, 26, 12}, field},
        {0xFFFF, L"Static", L"タイプ", {139, 58, 33, 9}, child | SS_LEFT},
        {1003, L"Button", L"ソリッド", {141, 70, 36, 8}, button | WS_GROUP | BS_AUTORADIOBUTTON},
        {1004, L"Button", L"ワイヤー", {141, 82, 36, 8}, button | BS_AUTORADIOBUTTON},
        {1006, L"Button", L"隠線", {141, 94, 36, 8}, button | BS_AUTORADIOBUTTON},
        {0xFFFF, L"Static", L"配色", {187, 58, 15, 8}, child | SS_LEFT | WS_GROUP},
        {1010, L"Static", L"", {187, 70, 11, 12}, child | SS_LEFT | SS_SUNKEN},
        {1008, L"Button", L"ｵﾌﾞｼﾞｪｸﾄ", {199, 69, 30, 14}, button | BS_PUSHBUTTON | BS_FLAT},
        {1011, L"Static", L"", {187, 88, 11, 12}, child | SS_LEFT | SS_SUNKEN},
        {1009, L"Button", L"背景", {199, 87, 30, 14}, button | BS_PUSHBUTTON | BS_FLAT},
        {1005, L"Button", L"ﾋﾞｭｰﾘｾｯﾄ", {136, 141, 35, 13}, button | BS_PUSHBUTTON},
        {2, L"Button", L"ｷｬﾝｾﾙ", {186, 127, 50, 14}, button | BS_PUSHBUTTON},
        {1, L"Button", L"OK", {186, 146, 50, 14}, button | BS_DEFPUSHBUTTON},
        {1000, L"Static", L"", {2, 5, 130, 150}, child | SS_SUNKEN | SS_GRAYFRAME},
        {0xFFFF, L"Static", L"×", {174, 37, 8, 9}, child | SS_LEFT},
    };
    REQUIRE(count == int(std::size(rows)));
    for (const ControlRow& row : rows) {
        in.AlignToDword();
        const DWORD itemStyle = in.Dword();
        in.Dword();
        const std::array<int, 4> place{in.Short(), in.Short(), in.Short(), in.Short()};
        const int id = in.Word();
        const std::wstring className = in.NameOrOrdinal();
        const std::wstring text = in.NameOrOrdinal();
        in.Skip(in.Word());
        const std::string where = "control " + std::to_string(row.id) + " '" + Narrow(row.text) + "'";
        if (id != row.id || itemStyle != row.style || _wcsicmp(className.c_str(), row.className) != 0 || text != row.text ||
            place != row.place) {
            RecordFailure(__FILE__, __LINE__, where + " differs from the template");
        }
    }
    CHECK(!in.overrun);
}

E2E_TEST(dialog, OpensWithTheTitleAndTheStoredValues) {
    DeleteSettingsKeys();
    NamedPlugin named("prismoseq");
    REQUIRE(named.plugin.Loaded());
    const int32_t result = RunDriven(named.plugin, [&](DWORD host) {
        HWND dialog = WaitForWindow(host, kTitle);  // the title, read back wide
        REQUIRE(dialog);
        CHECK_EQ(Field(dialog, kWidth), std::string("320"));
        CHECK_EQ(Field(dialog, kHeight), std::string("240"));
        CHECK(Checked(dialog, kSolid) && !Checked(dialog, kWireframe) && !Checked(dialog, kHiddenLine));
        CHECK(!Checked(dialog, kShare));
        LOGFONTW font = {};
        GetObjectW(HFONT(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
        CHECK(std::wstring(font.lfFaceName) == L"ＭＳ Ｐゴシック");
        Click(dialog, IDCANCEL);
    });
    CHECK_EQ(result, 0);
    CHECK_EQ(named.plugin.ConfigurationDlg(nullptr, 0), -1);
    CHECK_EQ(named.plugin.ConfigurationDlg(nullptr, 2), -1);
    CHECK_EQ(StoredDword(kFamily + "\\prismoseq", "Width"), -1);  // cancel saves nothing
}

E2E_TEST(dialog, SizeBelowOneWarnsAndReopens) {
    DeleteSettingsKeys();
    NamedPlugin named("prismoseq");
    REQUIRE(named.plugin.Loaded());
    std::wstring message;
    std::string reopenedWidth, reopenedHeight;
    const int32_t result = RunDriven(named.plugin, [&](DWORD host) {
        HWND dialog = WaitForWindow(host, kTitle);
        REQUIRE(dialog);
        SetDlgItemTextW(dialog, kWidth, L"0");
        SetDlgItemTextW(dialog, kHeight, L"100");
        PostClick(dialog, IDOK);
        HWND box = WaitForWindow(host, kSizeCaption);
        REQUIRE(box);
        EnumChildWindows(box, CollectBoxText, LPARAM(&message));
        PostClick(box, IDOK);
        HWND reopened = WaitForWindow(host, kTitle, dialog);
        REQUIRE(reopened);
        // The registry holds no size, so the entered values stay.
        reopenedWidth = Field(reopened, kWidth);
        reopenedHeight = Field(reopened, kHeight);
        Click(reopened, IDCANCEL);
    });
    CHECK_EQ(result, 0);
    CHECK(message == L"サイズは１以上の値を設定してください。");
    CHECK_EQ(reopenedWidth, std::string("0"));
    CHECK_EQ(reopenedHeight, std::string("100"));
    SusiePictureInfo info{};
    named.plugin.GetPictureInfo("", 0, 0, &info);
    CHECK_EQ(info.width, 320);
    CHECK_EQ(info.height, 240);
    CHECK_EQ(StoredDword(kFamily + "\\prismoseq", "Width"), -1);
}

E2E_TEST(dialog, OkSavesSizeModeAndSharing) {
    DeleteSettingsKeys();
    NamedPlugin named("prismoseq");
    REQUIRE(named.plugin.Loaded());
    const int32_t result = RunDriven(named.plugin, [&](DWORD host) {
        HWND dialog = WaitForWindow(host, kTitle);
        REQUIRE(dialog);
        Click(dialog, kShare);  // first: ticking reloads the fields
        SetDlgItemTextW(dialog, kWidth, L"640");
        SetDlgItemTextW(dialog, kHeight, L"480");
        Click(dialog, kWireframe);
        Click(dialog, IDOK);
    });
    CHECK_EQ(result, 0);
    CHECK_EQ(StoredDword(kFamily + "\\prismoseq", "Global"), 1);
    CHECK_EQ(StoredDword(kFamily + "\\prismoseq", "Width"), -1);
    CHECK_EQ(StoredDword(kFamily, "Width"), 640);
    CHECK_EQ(StoredDword(kFamily, "Height"), 480);
    CHECK_EQ(StoredDword(kFamily, "Mode"), 0);
    CHECK_EQ(StoredDword(kFamily, "ColorObj"), 0x00F2F2F2);
    CHECK_EQ(StoredDword(kFamily, "ColorBack"), 0x00664C00);
    CHECK(NearMatrix(StoredMatrix(kFamily), kIdentity));
}

E2E_TEST(dialog, ShareBoxShowsTheValuesOfTheKeyItSelects) {
    StoreStartSettings("prismoseq");
    SetSettingsDword("", "Width", 800);
    SetSettingsDword("", "Height", 600);
    SetSettingsDword("", "Mode", 2);
    SetSettingsDword("", "ColorObj", 0x000000FF);
    NamedPlugin named("prismoseq");
    REQUIRE(named.plugin.Loaded());
    const int32_t result = RunDriven(named.plugin, [&](DWORD host) {
        HWND dialog = WaitForWindow(host, kTitle);
        REQUIRE(dialog);
        CHECK(NearColour(ShownColour(GetDlgItem(dialog, kObjectSwatch)), 0x00F2F2F2));
        Click(dialog, kShare);
        CHECK_EQ(Field(dialog, kWidth), std::string("800"));
        CHECK_EQ(Field(dialog, kHeight), std::string("600"));
        CHECK(Checked(dialog, kHiddenLine) && !Checked(dialog, kSolid));
        CHECK(NearColour(ShownColour(GetDlgItem(dialog, kObjectSwatch)), 0x000000FF));
        Click(dialog, kShare);
        CHECK_EQ(Field(dialog, kWidth), std::string("320"));
        CHECK(Checked(dialog, kSolid) && !Checked(dialog, kHiddenLine));
        CHECK(NearColour(ShownColour(GetDlgItem(dialog, kObjectSwatch)), 0x00F2F2F2));
        Click(dialog, IDCANCEL);
    });
    CHECK_EQ(result, 0);
    CHECK_EQ(StoredDword(kFamily + "\\prismoseq", "Global"), 0);  // toggling writes nothing
}

E2E_TEST(dialog, DraggingThePreviewTurnsTheView) {
    StoreStartSettings("prismoseq");
    NamedPlugin named("prismoseq");
    REQUIRE(named.plugin.Loaded());
    const std::string subkey = kFamily + "\\prismoseq";
    COLORREF corner = 0, centreBefore = 0, centreAfter = 0;
    CHECK_EQ(RunDriven(named.plugin, [&](DWORD host) {
        HWND dialog = WaitForWindow(host, kTitle);
        REQUIRE(dialog);
        HWND preview = GetDlgItem(dialog, kPreview);
        centreBefore = ShownColour(preview);
        Drag(dialog, PreviewCentre(dialog), 30, 0, MK_LBUTTON);
        corner = ShownColour(preview, 4, 4);
        centreAfter = ShownColour(preview);
        SaveScreenshot(dialog, SourceFolder() + "/build/dialog.png");
        Click(dialog, IDOK);
    }), 0);
    // The clear colour around the cube, and the cube's face seen differently.
    CHECK(NearColour(corner, RGB(0, 76, 102)));
    CHECK(!NearColour(centreBefore, RGB(0, 76, 102)));
    CHECK(centreBefore != centreAfter);
    // 30 degrees about the vertical axis, column-major.
    const double c = std::sqrt(3.0) / 2, s = 0.5;
    CHECK(NearMatrix(StoredMatrix(subkey), std::vector<double>{c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1}));

    CHECK_EQ(RunDriven(named.plugin, [&](DWORD host) {
        HWND dialog = WaitForWindow(host, kTitle);
        REQUIRE(dialog);
        Click(dialog, kViewReset);
        Click(dialog, IDOK);
    }), 0);
    CHECK(NearMatrix(StoredMatrix(subkey), kIdentity));

    CHECK_EQ(RunDriven(named.plugin, [&](DWORD host) {
        HWND dialog = WaitForWindow(host, kTitle);
        REQUIRE(dialog);
        Drag(dialog, PreviewCentre(dialog), 30, 10, MK_LBUTTON | MK_SHIFT);
        Drag(dialog, BesidePreview(dialog), 30, 10, MK_LBUTTON);
        Click(dialog, IDOK);
    }), 0);
    CHECK(NearMatrix(StoredMatrix(subkey), kIdentity));
}

E2E_TEST(dialog, UnknownStoredModeSurvivesOk) {
    StoreStartSettings("prismoseq");
    SetSettingsDword("prismoseq", "Mode", 5);
    NamedPlugin named("prismoseq");
    REQUIRE(named.plugin.Loaded());
    CHECK_EQ(RunDriven(named.plugin, [&](DWORD host) {
        HWND dialog = WaitForWindow(host, kTitle);
        REQUIRE(dialog);
        CHECK(!Checked(dialog, kSolid) && !Checked(dialog, kWireframe) && !Checked(dialog, kHiddenLine));
        Click(dialog, IDOK);
    }), 0);
    CHECK_EQ(StoredDword(kFamily + "\\prismoseq", "Mode"), 5);
}

E2E_TEST(dialog, ChosenColourHoldsInMemoryAfterCancel) {
    // No stored colour: the next picture shows the one in memory.
    DeleteSettingsKeys();
    SetSettingsDword("prismofront", "Mode", 0);
    SetSettingsDword("prismofront", "Width", 160);
    SetSettingsDword("prismofront", "Height", 120);
    NamedPlugin named("prismofront");
    REQUIRE(named.plugin.Loaded());
    COLORREF swatch = 0;
    CHECK_EQ(RunDriven(named.plugin, [&](DWORD host) {
        HWND dialog = WaitForWindow(host, L"prismofront 設定");
        REQUIRE(dialog);
        PostClick(dialog, kObjectColour);
        HWND chooser = WaitForWindow(host, L"", dialog);
        REQUIRE(chooser);
        CHECK(GetWindow(chooser, GW_OWNER) == dialog);  // modal to the settings, not beside them
        for (const auto& [id, text] : {std::pair{706, L"0"}, {707, L"255"}, {708, L"0"}}) {
            SetDlgItemTextW(chooser, id, text);
        }
        Click(chooser, IDOK);
        swatch = ShownColour(GetDlgItem(dialog, kObjectSwatch));
        Click(dialog, IDCANCEL);
    }), 0);
    CHECK(NearColour(swatch, RGB(0, 255, 0)));
    CHECK_EQ(StoredDword(kFamily + "\\prismofront", "ColorObj"), -1);
    const ReceivedPicture picture = RequestPicture(named.plugin, SamplePath("cube.obj"));
    REQUIRE(picture.result == 0);
    const int64_t green = picture.CountWhere([](std::array<uint8_t, 3> p) { return p == std::array<uint8_t, 3>{0, 255, 0}; });
    CHECK(green > 50);
    CHECK_EQ(picture.CountNot({102, 76, 0}), green);
}
