#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kw {

class Context;

// The main panel's field texts a run without windows is given; the rest keep
// their initial texts, the term defaults to "x^2".
struct FieldTexts {
    std::optional<std::string> term;        // --term T
    std::optional<std::string> from, to;    // --from A, --to B (texts of the range fields)
    std::optional<std::string> quality;     // --quality Q
    std::optional<std::string> colour;      // --colour NAME
};

// Starts the program's logic as the windows would, with these field texts.
void startWith(Context& c, const FieldTexts& fields);

// Options of a run without windows.
struct BatchOptions : FieldTexts {
    std::string exportFile;                 // --export FILE
    // The analysis panel's switches, on in their default colours and widths.
    std::vector<int> derivatives;           // --derivative N (1, 2 or 3; repeatable)
    std::optional<std::string> tangent;     // --tangent X0
    bool inverse = false;                   // --inverse
    std::optional<std::pair<std::string, std::string>> section;  // --section FROM TO
};

// Exit codes of a batch run.
inline constexpr int kBatchOk = 0;
inline constexpr int kBatchFailed = 1;
inline constexpr int kBatchUsage = 2;

// True when the arguments ask for a run without windows.
bool isBatch(const std::vector<std::string>& args);

// Reads the arguments (without the program name); on a problem writes it to err
// and returns nothing.
std::optional<BatchOptions> parseBatch(const std::vector<std::string>& args, std::ostream& err);

// Draws what "Zeichnen" would draw with these field texts and writes the whole
// plane as PNG, JPEG, SVG or PDF (by the file's extension). Messages a
// window would show go to err. Needs a QGuiApplication.
int runBatch(const BatchOptions& options, std::ostream& err);

}  // namespace kw
