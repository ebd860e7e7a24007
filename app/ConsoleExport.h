#pragma once
// The console program's run: each source file's icons written as the export run writes them,
// nothing asked, a line per file and the totals.
#include "app/CommandLine.h"
#include "app/ConsoleText.h"

namespace console {

// Exit statuses.
constexpr int kAllDone = 0;
constexpr int kSomethingFailed = 1;  // a source unread or without icons, or a file not written
constexpr int kUsageError = 2;

// Runs the export the options ask for; the exit status. Ctrl+C ends it after the file being written.
int RunConsoleExport(const Options& options, ConsoleText& out, ConsoleText& errors);

}  // namespace console
