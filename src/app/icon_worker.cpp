#include "app/icon_worker.h"

#include <chrono>
#include <utility>

#include "ui/com.h"

namespace zarkit {

IconWorker::IconWorker(HWND notify, UINT message, LookUp look_up)
    : shared_(std::make_shared<Shared>()) {
    shared_->notify = notify;
    shared_->message = message;
    shared_->look_up = look_up;
    thread_ = std::thread(&IconWorker::Run, shared_);
}

IconWorker::~IconWorker() {
    std::unique_lock lock(shared_->mutex);
    shared_->stop = true;
    shared_->requests.clear();
    shared_->wake.notify_all();
    const bool finished = shared_->wake.wait_for(lock, std::chrono::milliseconds(300),
                                                 [this] { return shared_->finished; });
    lock.unlock();
    if (finished) {
        thread_.join();
    } else {
        thread_.detach();  // it holds its own share of the state
    }
}

void IconWorker::Request(std::string path) {
    const std::lock_guard lock(shared_->mutex);
    shared_->requests.push_back(std::move(path));
    shared_->wake.notify_all();
}

std::vector<IconWorker::Answer> IconWorker::TakeAnswers() {
    const std::lock_guard lock(shared_->mutex);
    shared_->told = false;
    return std::exchange(shared_->answers, {});
}

bool IconWorker::Busy() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->looking_up || !shared_->requests.empty();
}

void IconWorker::Run(std::shared_ptr<Shared> shared) {
    // The shell's look-ups want an apartment of their own on this thread.
    const ui::ComApartment apartment;
    std::unique_lock lock(shared->mutex);
    while (!shared->stop) {
        if (shared->requests.empty()) {
            shared->wake.wait(lock);
            continue;
        }
        std::string path = std::move(shared->requests.front());
        shared->requests.pop_front();
        shared->looking_up = true;
        lock.unlock();
        std::optional<int> index = shared->look_up(path);
        lock.lock();
        shared->looking_up = false;
        shared->answers.push_back(Answer{std::move(path), index});
        // One message for as many answers as come before the window takes them.
        if (!shared->told && !shared->stop) {
            shared->told = PostMessageW(shared->notify, shared->message, 0, 0) != FALSE;
        }
    }
    shared->finished = true;
    shared->wake.notify_all();
}

}  // namespace zarkit
