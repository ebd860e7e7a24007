// Asks the shell how many icons one file holds and exits with that count, or with the exception
// code when the shell's extraction crashes on the file. Run as a child process by the tests, so that
// a crash is a verdict on the file rather than the end of the test run.
// Usage: shell_icon_count <file>
#include <windows.h>
#include <shellapi.h>

namespace {

LONG WINAPI ExitWithExceptionCode(EXCEPTION_POINTERS* exception) {
    ExitProcess(exception->ExceptionRecord->ExceptionCode);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 0x7FFFFFFF;
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(ExitWithExceptionCode);
    const HICON count = ExtractIconA(nullptr, argv[1], static_cast<UINT>(-1));
    return static_cast<int>(reinterpret_cast<UINT_PTR>(count));
}
