#include "core/settings/config_dialog_proc.h"

#include <commdlg.h>

#include <cstring>

#include "core/frame/plugin_state.h"
#include "core/render/draw_model.h"
#include "core/settings/preview_surface_win32.h"
#include "core/settings/settings_store.h"
#include "core/settings/wide_text_win32.h"

namespace {

const char kTitleSuffix[] = " \x90\xDD\x92\xE8";  // " 設定"

// Alive from the dialog's opening to its destruction.
struct DialogState {
    HWND preview = nullptr;
    HWND objectSwatch = nullptr;
    HWND backgroundSwatch = nullptr;
    HBRUSH objectBrush = nullptr;
    HBRUSH backgroundBrush = nullptr;
    CHOOSECOLORW chooser = {};
    COLORREF customColors[16] = {};  // kept across both colour buttons within one opening
    PreviewSurface surface;
};

DialogState dialogState;
POINT lastPointer = {0, 0};  // of a drag, in dialog client coordinates; never reset

RenderSettings& Settings() { return Plugin().settings; }
const char* PluginName() { return Plugin().pluginName; }

void ReplaceBrush(HBRUSH& brush, COLORREF color) {
    if (brush) DeleteObject(brush);
    brush = CreateSolidBrush(color);
}

void FillFields(HWND dialog) {
    const RenderSettings& settings = Settings();
    SetDlgItemInt(dialog, kWidthField, UINT(settings.width), FALSE);
    SetDlgItemInt(dialog, kHeightField, UINT(settings.height), FALSE);
    for (int id : {kSolidButton, kWireframeButton, kHiddenLineButton}) CheckDlgButton(dialog, id, BST_UNCHECKED);
    switch (settings.mode) {
    case kWireframe: CheckDlgButton(dialog, kWireframeButton, BST_CHECKED); break;
    case kSolid: CheckDlgButton(dialog, kSolidButton, BST_CHECKED); break;
    case kHiddenLine: CheckDlgButton(dialog, kHiddenLineButton, BST_CHECKED); break;
    default: break;  // an unknown stored mode shows no button and survives OK
    }
}

void Open(HWND dialog) {
    DialogState& state = dialogState;
    RenderSettings& settings = Settings();
    ReadSharedFlag(settings, PluginName());
    LoadSettings(settings, PluginName());
    SetWindowTextW(dialog, WideFromCp932(PluginTitle(kTitleSuffix)).c_str());
    FillFields(dialog);
    CheckDlgButton(dialog, kShareBox, UINT(settings.shared));

    state.chooser = {};
    std::memset(state.customColors, 0, sizeof state.customColors);
    state.chooser.lStructSize = sizeof state.chooser;
    state.chooser.rgbResult = settings.objectColor;
    state.chooser.lpCustColors = state.customColors;
    state.chooser.Flags = CC_RGBINIT | CC_FULLOPEN;

    state.objectSwatch = GetDlgItem(dialog, kObjectSwatch);
    state.backgroundSwatch = GetDlgItem(dialog, kBackgroundSwatch);
    ReplaceBrush(state.objectBrush, settings.objectColor);
    ReplaceBrush(state.backgroundBrush, settings.backgroundColor);

    state.preview = GetDlgItem(dialog, kPreviewControl);
    // Without a pixel format the dialog works on without a preview.
    if (state.surface.Create(state.preview)) {
        state.surface.Run([&settings] {
            SetupPreviewScene();
            SetViewMatrix(settings.viewMatrix);
        });
    }
}

void Close() {
    DialogState& state = dialogState;
    for (HBRUSH* brush : {&state.objectBrush, &state.backgroundBrush}) {
        if (*brush) DeleteObject(*brush);
        *brush = nullptr;
    }
    state.surface.Release();
}

void TakeOver(HWND dialog) {
    RenderSettings& settings = Settings();
    settings.width = int32_t(GetDlgItemInt(dialog, kWidthField, nullptr, TRUE));
    settings.height = int32_t(GetDlgItemInt(dialog, kHeightField, nullptr, TRUE));
    if (IsDlgButtonChecked(dialog, kSolidButton) == BST_CHECKED) {
        settings.mode = kSolid;
    } else if (IsDlgButtonChecked(dialog, kWireframeButton) == BST_CHECKED) {
        settings.mode = kWireframe;
    } else if (IsDlgButtonChecked(dialog, kHiddenLineButton) == BST_CHECKED) {
        settings.mode = kHiddenLine;
    }
    settings.shared = IsDlgButtonChecked(dialog, kShareBox) == BST_CHECKED ? 1 : 0;
    dialogState.surface.Run([&settings] { GetViewMatrix(settings.viewMatrix); });
}

void ToggleSharing(HWND dialog) {
    DialogState& state = dialogState;
    RenderSettings& settings = Settings();
    settings.shared = IsDlgButtonChecked(dialog, kShareBox) == BST_CHECKED ? 1 : 0;
    LoadSettings(settings, PluginName());
    FillFields(dialog);
    ReplaceBrush(state.objectBrush, settings.objectColor);
    ReplaceBrush(state.backgroundBrush, settings.backgroundColor);
    InvalidateRect(state.objectSwatch, nullptr, TRUE);
    InvalidateRect(state.backgroundSwatch, nullptr, TRUE);
    state.surface.Run([&settings] { SetViewMatrix(settings.viewMatrix); });
    state.surface.DrawAndPresent();
}

void ChooseColour(HWND dialog, uint32_t& color, HBRUSH& brush, HWND swatch) {
    CHOOSECOLORW& chooser = dialogState.chooser;
    // Owned by the dialog, so the settings stay untouchable while it is open.
    chooser.hwndOwner = dialog;
    chooser.rgbResult = color;
    if (!ChooseColorW(&chooser)) return;
    color = chooser.rgbResult;
    ReplaceBrush(brush, color);
    InvalidateRect(swatch, nullptr, TRUE);
}

INT_PTR Command(HWND dialog, int id) {
    DialogState& state = dialogState;
    RenderSettings& settings = Settings();
    switch (id) {
    case IDOK:
        TakeOver(dialog);
        EndDialog(dialog, 1);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    case kViewResetButton:
        state.surface.Run([] { ResetView(); });
        state.surface.DrawAndPresent();
        return TRUE;
    case kShareBox:
        ToggleSharing(dialog);
        return TRUE;
    case kObjectColorButton:
        ChooseColour(dialog, settings.objectColor, state.objectBrush, state.objectSwatch);
        return TRUE;
    case kBackgroundColorButton:
        ChooseColour(dialog, settings.backgroundColor, state.backgroundBrush, state.backgroundSwatch);
        return TRUE;
    default:
        return FALSE;
    }
}

bool OverPreview(HWND dialog, POINT point) {
    return dialogState.preview && ChildWindowFromPoint(dialog, point) == dialogState.preview;
}

POINT PointerAt(LPARAM lParam) { return POINT{LONG(LOWORD(lParam)), LONG(HIWORD(lParam))}; }

void Drag(HWND dialog, WPARAM keys, POINT point) {
    // The left button alone: Shift, Ctrl or another button held do not turn.
    if (keys != MK_LBUTTON || !OverPreview(dialog, point)) return;
    PreviewSurface& surface = dialogState.surface;
    if (!surface.Active()) return;
    const POINT last = lastPointer;
    surface.Run([&] { RotateView(last.x - point.x, last.y - point.y); });
    lastPointer = point;
    surface.DrawAndPresent();
}

bool RealizePreviewPalette() {
    PreviewSurface& surface = dialogState.surface;
    if (!surface.Active() || !surface.Palette()) return false;
    surface.Run([&surface] {
        UnrealizeObject(surface.Palette());
        SelectPalette(surface.DeviceContext(), surface.Palette(), FALSE);
        RealizePalette(surface.DeviceContext());
    });
    surface.DrawAndPresent();
    return true;
}

}  // namespace

std::string PluginTitle(const char* suffix) {
    const char* name = PluginName();
    return std::string(name, strnlen(name, kPluginNameBytes)) + suffix;
}

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        Open(dialog);
        return FALSE;
    case WM_PAINT: {
        if (!dialogState.surface.Active()) return 0;
        PAINTSTRUCT paint;
        BeginPaint(dialog, &paint);
        dialogState.surface.DrawAndPresent();
        EndPaint(dialog, &paint);
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        const HWND control = HWND(lParam);
        if (control && control == dialogState.objectSwatch) return INT_PTR(dialogState.objectBrush);
        if (control && control == dialogState.backgroundSwatch) return INT_PTR(dialogState.backgroundBrush);
        return 0;
    }
    case WM_COMMAND:
        return Command(dialog, LOWORD(wParam));
    case WM_LBUTTONDOWN: {
        const POINT point = PointerAt(lParam);
        if (OverPreview(dialog, point)) lastPointer = point;
        return 0;
    }
    case WM_MOUSEMOVE:
        Drag(dialog, wParam, PointerAt(lParam));
        return 0;
    case WM_QUERYNEWPALETTE:
        return RealizePreviewPalette() ? TRUE : FALSE;
    case WM_PALETTECHANGED:
        if (HWND(wParam) != dialog) RealizePreviewPalette();
        return 0;
    case WM_DESTROY:
        Close();
        return 0;
    default:
        return FALSE;
    }
}
