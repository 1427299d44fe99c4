#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/batch.h"
#include "app/report.h"

namespace kw {

// What the command line asks for: the windows, a picture or a report without
// them, or the usage or version text.
struct CommandLine {
    enum class Mode { Window, Export, Report, Help, Version };
    Mode mode = Mode::Window;
    BatchOptions exportOptions;  // Mode::Export
    ReportOptions report;        // Mode::Report
};

// Reads the arguments (without the program name). Arguments that do not start
// with "--" (such as Qt's own "-platform") leave them to the windows. On a
// problem writes it, mostly with the usage, to err and returns nothing.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args,
                                            std::ostream& err);

// "kurvenwerk --help": every option with a German explanation.
std::string usageText();

// "kurvenwerk --version".
std::string versionText();

}  // namespace kw
