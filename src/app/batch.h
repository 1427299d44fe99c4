#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/ui.h"
#include "gui/picture_file.h"

namespace kw {

class Context;

// Messages a window would show go to the error stream, one line break each;
// questions are answered with nothing.
class StreamUi : public Ui {
public:
    explicit StreamUi(std::ostream& err) : err_(err) {}
    void message(std::string_view text, std::string_view title) override;
    using Ui::message;

private:
    std::ostream& err_;
};

// Writes a text as a terminal wants it: LF instead of the message boxes' CR LF,
// ending with a line break.
void writeText(std::ostream& out, std::string_view text);

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
    std::optional<std::pair<std::string, std::string>> shade;    // --shade A B
    std::vector<std::string> und;           // --and G: drawn over f, each in its own colour
};

// Exit codes of a batch run.
inline constexpr int kBatchOk = 0;
inline constexpr int kBatchFailed = 1;
inline constexpr int kBatchUsage = 2;

// The picture format of a file name by its extension; nothing for any other.
std::optional<PictureFormat> pictureFormat(const std::string& file);

// Draws what "Zeichnen" would draw with these field texts and writes the whole
// plane as PNG, JPEG (quality 85), SVG or PDF by the file's extension. Messages a
// window would show go to err. A term that is not in the right form, a quality
// or range that cannot be drawn writes no file and gives kBatchFailed. Needs a
// QGuiApplication.
int runBatch(const BatchOptions& options, std::ostream& err);

}  // namespace kw
