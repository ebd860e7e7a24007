// Entry of PICTAVOX, the console program: the icons of files and folders exported without a
// window and without a question, for scripts.
#include <windows.h>

#include <vector>

#include "app/CommandLine.h"
#include "app/ConsoleExport.h"
#include "app/ConsoleText.h"
#include "toolkit/ProgramTexts.h"

int main(int argc, char** argv) {
    // The window program's language: Japanese on code page 932, English elsewhere.
    toolkit::SetLanguage(toolkit::ChooseLanguage(GetACP(), ""));
    console::ConsoleText out(STD_OUTPUT_HANDLE), errors(STD_ERROR_HANDLE);
    const console::ParsedCommandLine parsed = console::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.options.help) {
        out.Line(console::UsageText());
        return console::kAllDone;
    }
    if (!parsed.error.empty()) {
        errors.Line(parsed.error);
        errors.Line(console::UsageText());
        return console::kUsageError;
    }
    return console::RunConsoleExport(parsed.options, out, errors);
}
