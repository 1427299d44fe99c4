#pragma once

#include <array>
#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/ui.h"
#include "curves/bridge.h"
#include "gui/picture_file.h"

namespace kw {

class Context;

// Messages a window would show go to the error stream, one line break each;
// questions are answered from a list given beforehand, then with nothing.
class StreamUi : public Ui {
public:
    explicit StreamUi(std::ostream& err, std::deque<std::string> answers = {})
        : err_(err), answers_(std::move(answers))
    {
    }
    void message(std::string_view text, std::string_view title) override;
    using Ui::message;
    std::optional<std::string> input(std::string_view prompt, std::string_view title,
                                     std::string_view initial) override;

private:
    std::ostream& err_;
    std::deque<std::string> answers_;
};

// Three texts of one option: --family START END STEP, --bridge SPAN HEIGHT LOWEST.
using ThreeTexts = std::array<std::string, 3>;

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
    std::optional<std::string> openFile;    // --open FILE: a saved drawing instead of the above
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
    bool discussion = false;                // --discussion: the worksheet instead of the plane (PDF)
    std::optional<std::pair<std::string, std::string>> section;  // --section FROM TO
    // The answers to a family's questions: start, end and step of "@".
    std::optional<ThreeTexts> family;       // --family START END STEP
    // The bridge calculator's fields; it sets the term and the range.
    std::optional<ThreeTexts> bridge;       // --bridge SPAN HEIGHT LOWEST
    std::optional<std::pair<std::string, std::string>> shade;    // --shade A B
    std::vector<std::string> und;           // --and G: drawn over f, each in its own colour
};

// The bridge calculator's "Berechne und Zeichne" with these span, height and
// lowest point, up to the drawing; false when it refused them.
bool calculateBridge(Context& c, const ThreeTexts& fields, BridgeFields& r);

// Exit codes of a batch run.
inline constexpr int kBatchOk = 0;
inline constexpr int kBatchFailed = 1;
inline constexpr int kBatchUsage = 2;

// The picture format of a file name by its extension; nothing for any other.
std::optional<PictureFormat> pictureFormat(const std::string& file);

// A saved drawing into the context (see setDrawing); false, with the file's
// message written to err, when it could not be read.
bool openDrawing(Context& c, const std::string& file, std::ostream& err);

// Draws what "Zeichnen" would draw with these field texts (with --bridge what
// "Berechne und Zeichne" would) and writes the whole plane as PNG, JPEG (quality
// 85), SVG or PDF by the file's extension. Messages a window would show go to
// err. A term that is not in the right form, a family or bridge the windows
// would refuse, a quality or range that cannot be drawn writes no file and
// gives kBatchFailed. With --open the saved drawing is drawn as the windows
// draw it after opening it; an export file ending in .kurve gets the drawing
// itself instead of its picture. Needs a QGuiApplication.
int runBatch(const BatchOptions& options, std::ostream& err);

}  // namespace kw
