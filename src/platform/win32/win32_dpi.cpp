// Monitor scales through shcore.dll, loaded when first asked so that Windows 7 (which
// has none) and QV's start-up do without it.
#include "platform/win32/win32_dpi.h"

#include "common/twips.h"
#include "platform/win32/win32_library.h"

namespace qv {
namespace {

using GetDpiForMonitorCall = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

GetDpiForMonitorCall DpiForMonitor() {
  static const auto call = LibraryCall<GetDpiForMonitorCall>(L"shcore.dll", "GetDpiForMonitor");
  return call;
}

HFONT MakeFont(double points, int weight, const wchar_t* face, int dpi) {
  return CreateFontW(-PointsToPixelsAtDpi(points, dpi), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH, face);
}

}  // namespace

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int MonitorDpi(HMONITOR monitor) {
  UINT x = 0, y = 0;
  if (GetDpiForMonitorCall call = DpiForMonitor();
      monitor && call && SUCCEEDED(call(monitor, kEffectiveDpi, &x, &y)) && x > 0)
    return static_cast<int>(x);
  return SystemDpi();
}

WindowFonts MakeWindowFonts(int dpi) {
  return {MakeFont(9.75, FW_BOLD, L"Verdana", dpi), MakeFont(8, FW_NORMAL, L"MS Shell Dlg", dpi)};
}

void DeleteWindowFonts(WindowFonts& fonts) {
  DeleteObject(fonts.bold);
  DeleteObject(fonts.plain);
  fonts = {};
}

}  // namespace qv
