#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace kw {

class Ui;

// Keeps long work (a redraw, a search, a value table) answerable. Its loops
// ask the pacer every kEvery steps whether to stop. Once the work has run for
// a while, the main panel shows its progress and a hint, and from then on the
// pacer asks the UI whether the user wants the work stopped (Esc); meanwhile
// the UI is in search mode and the windows take no other input.
class Pacer {
public:
    using Clock = std::chrono::steady_clock;

    // How often a loop looks up from its work: rarely enough to cost nothing
    // against a sample or a grid point, often enough to answer within a tenth
    // of a second even for the slowest statements.
    static constexpr int kEvery = 16;
    static constexpr std::chrono::milliseconds kAfter{500};

    // Eager: search mode from the start, so that a search can be stopped at
    // once. Otherwise only once the work has taken longer than `after`: a
    // quick redraw leaves the windows alone.
    explicit Pacer(Ui* ui, bool eager = false, Clock::duration after = kAfter);
    Pacer(const Pacer&) = delete;
    Pacer& operator=(const Pacer&) = delete;

    void setProgressAfter(Clock::duration after) { after_ = after; }

    // One piece of work while it exists. Work within work joins the outer one:
    // one clock and one stop for all of it.
    class Work {
    public:
        // hint: the status text while the work shows its progress; stoppedNote:
        // the status text once the user stopped it (empty: none).
        Work(Pacer& pacer, std::string_view hint, std::string_view stoppedNote = {});
        ~Work();
        Work(const Work&) = delete;
        Work& operator=(const Work&) = delete;

    private:
        Pacer& pacer_;
    };

    // Asked by a loop every kEvery steps, `done` of `total` of the way: true
    // when the user wants the work stopped. Once true, true until the work ends.
    bool stop(double done, double total);
    bool stopped() const { return stopped_; }
    // The work has shown its progress (it took longer than `after`).
    bool shown() const { return shown_; }
    // Some work is under way (events the windows handle meanwhile run inside it).
    bool working() const { return depth_ > 0; }

private:
    void begin(std::string_view hint, std::string_view stoppedNote);
    void end();

    Ui* ui_;
    bool eager_;
    Clock::duration after_;
    int depth_ = 0;
    Clock::time_point started_;
    std::string hint_, stoppedNote_;
    double total_ = 0;
    bool asking_ = false;
    bool shown_ = false;
    bool stopped_ = false;
    bool noteShown_ = false;
};

}  // namespace kw
