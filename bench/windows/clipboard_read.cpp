// Prints how long Wine's clipboard bridge takes to hand over the clipboard's
// Unicode text (OpenClipboard to the text locked in memory), in ms, and the
// text's length: what any Windows program pays before it can cut a text.
// It first touches the clipboard once and says "ready", then reads when a
// line arrives on stdin, so that the figure leaves out its own start.
#include <windows.h>

#include <cstdio>

int wmain() {
  if (OpenClipboard(nullptr)) CloseClipboard();
  std::puts("ready");
  std::fflush(stdout);
  std::getchar();
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!OpenClipboard(nullptr)) return 1;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const void* text = data ? GlobalLock(data) : nullptr;
  QueryPerformanceCounter(&end);
  const SIZE_T bytes = data ? GlobalSize(data) : 0;
  if (text) GlobalUnlock(data);
  CloseClipboard();
  std::printf("%.1f ms %llu units\n",
              1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart,
              static_cast<unsigned long long>(bytes / 2));
  return text ? 0 : 1;
}
