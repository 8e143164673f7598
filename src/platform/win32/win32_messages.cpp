// The token of this run's private messages: unknown outside the process.
#include "platform/win32/win32_messages.h"

namespace qv {

WPARAM PrivateToken() {
  static const WPARAM token = [] {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const auto mixed = static_cast<unsigned long long>(now.QuadPart) * 0x9E3779B97F4A7C15ull ^
                       (static_cast<unsigned long long>(GetCurrentProcessId()) << 32) ^
                       reinterpret_cast<unsigned long long>(&now) ^ GetTickCount64();
    return static_cast<WPARAM>(mixed | 1);  // never 0, which others send most
  }();
  return token;
}

bool IsOwnMessage(WPARAM wParam) {
  return wParam == PrivateToken() && (InSendMessageEx(nullptr) & ISMEX_SEND) == 0;
}

}  // namespace qv
