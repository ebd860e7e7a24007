// Entry of PICTAVOX, the console program: the icons of files and folders exported without a
// window and without a question, for scripts.
#include <windows.h>

#include <vector>

#include "app/CommandLine.h"
#include "app/ConsoleExport.h"
#include "app/ConsoleFind.h"
#include "app/ConsoleText.h"
#include "toolkit/ProgramTexts.h"
#include "toolkit/WideArguments.h"

namespace {

// The arguments in the system's ANSI code page, taken wide: the system's own conversion fits
// "Café.dll" to "Cafe.dll", the name of another file. A name without an ANSI form goes through
// its short name; where it has none either, each character without a form becomes "?", which no
// file name holds: the source is refused as missing, as the window refuses such a dropped file.
std::vector<std::string> AnsiArguments() {
    std::vector<std::string> arguments;
    for (const std::wstring& wide : toolkit::WideArguments()) {
        std::string ansi = toolkit::AnsiPathOf(wide);
        if (ansi.empty() && !wide.empty()) {
            const int length = static_cast<int>(wide.size());
            const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, "?", nullptr);
            ansi.assign(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
            if (bytes > 0) WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, &ansi[0], bytes, "?", nullptr);
        }
        arguments.push_back(ansi);
    }
    return arguments;
}

}  // namespace

int main() {
    // The window program's language: Japanese on code page 932, English elsewhere.
    toolkit::SetLanguage(toolkit::ChooseLanguage(GetACP(), ""));
    console::ConsoleText out(STD_OUTPUT_HANDLE), errors(STD_ERROR_HANDLE);
    const console::ParsedCommandLine parsed = console::ParseCommandLine(AnsiArguments());
    if (parsed.options.help) {
        out.Line(console::UsageText());
        return console::kAllDone;
    }
    if (!parsed.error.empty()) {
        errors.Line(parsed.error);
        errors.Line(console::UsageText());
        return console::kUsageError;
    }
    if (!parsed.options.findPicture.empty()) return console::RunConsoleFind(parsed.options, out, errors);
    return console::RunConsoleExport(parsed.options, out, errors);
}
