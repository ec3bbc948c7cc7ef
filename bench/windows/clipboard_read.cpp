// Prints how long Wine's clipboard bridge takes to hand over the clipboard's
// Unicode text (OpenClipboard to the text locked in memory), in ms, and the
// text's length: what any Windows program pays before it can cut a text.
// It first touches the clipboard once and says "ready", then reads when a
// line arrives on stdin, so that the figure leaves out its own start.
#include <windows.h>

#include <cstdio>

int wmain() {  // NOLINT(misc-use-internal-linkage): the entry point
  if (OpenClipboard(nullptr)) CloseClipboard();
  std::puts("ready");
  std::fflush(stdout);
  std::getchar();
  LARGE_INTEGER frequency{};
  LARGE_INTEGER start{};
  LARGE_INTEGER end{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!OpenClipboard(nullptr)) return 1;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const void* text = data ? GlobalLock(data) : nullptr;
  QueryPerformanceCounter(&end);
  const SIZE_T bytes = data ? GlobalSize(data) : 0;
  if (text) GlobalUnlock(data);
  CloseClipboard();
  const double ms = 1000.0 *
                    static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart);
  std::printf("%.1f ms %zu units\n", ms, static_cast<std::size_t>(bytes / 2));
  return text ? 0 : 1;
}
