#include "core/pacer.h"

#include "core/ui.h"

namespace kw {

namespace {
// The hint goes into the wide status panel of the coordinates: they stand
// still anyway while the work keeps the mouse from the windows.
constexpr int kHintPanel = 2;
}  // namespace

Pacer::Pacer(Ui* ui, bool eager, Clock::duration after) : ui_(ui), eager_(eager), after_(after) {}

Pacer::Work::Work(Pacer& pacer, std::string_view hint, std::string_view stoppedNote)
    : pacer_(pacer)
{
    pacer_.begin(hint, stoppedNote);
}

Pacer::Work::~Work() { pacer_.end(); }

void Pacer::begin(std::string_view hint, std::string_view stoppedNote)
{
    if (depth_++ > 0)
        return;
    started_ = Clock::now();
    hint_ = hint;
    stoppedNote_ = stoppedNote;
    total_ = 0;
    shown_ = stopped_ = false;
    if (!ui_)
        return;
    if (noteShown_) {  // from the work before: this one is new
        ui_->setStatus(kHintPanel, "");
        noteShown_ = false;
    }
    asking_ = eager_;
    if (asking_)
        ui_->searchStarted();
}

void Pacer::end()
{
    if (--depth_ > 0 || !ui_)
        return;
    noteShown_ = stopped_ && !stoppedNote_.empty();
    if (noteShown_)
        ui_->setStatus(kHintPanel, stoppedNote_);
    else if (shown_)
        ui_->setStatus(kHintPanel, "");
    if (asking_)
        ui_->searchEnded();
    asking_ = false;
}

bool Pacer::stop(double done, double total)
{
    if (stopped_ || !ui_)
        return stopped_;
    if (!shown_) {
        if (Clock::now() - started_ < after_) {
            if (asking_)
                stopped_ = ui_->stopRequested();
            return stopped_;
        }
        shown_ = true;
        if (!asking_) {
            asking_ = true;
            ui_->searchStarted();
        }
        ui_->setStatus(kHintPanel, hint_);
    }
    if (total != total_) {
        total_ = total;
        ui_->setProgressMaximum(total);
    }
    ui_->setProgressValue(done);
    stopped_ = ui_->stopRequested();
    return stopped_;
}

}  // namespace kw
