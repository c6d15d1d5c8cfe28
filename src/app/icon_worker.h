#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ui/win32.h"

namespace zarkit {

// Asks the shell for the icons of paths on a thread of its own, in its own COM apartment:
// the shell reads each program's icon out of its file, which for a table of many programs
// would hold up the drawer. The window is told by a posted message that answers are in;
// TakeAnswers hands them over on its own thread.
class IconWorker {
public:
    // `look_up` runs on the worker: the path's index in the system image list.
    using LookUp = std::optional<int> (*)(const std::string& path);

    IconWorker(HWND notify, UINT message, LookUp look_up);
    // Stops the worker. A look-up under way (a slow network path) is waited for only a
    // moment: the thread then ends on its own, touching nothing of this object.
    ~IconWorker();
    IconWorker(const IconWorker&) = delete;
    IconWorker& operator=(const IconWorker&) = delete;

    void Request(std::string path);

    struct Answer {
        std::string path;
        std::optional<int> system_index;
    };
    std::vector<Answer> TakeAnswers();
    // Whether paths wait to be looked up or one is under way: more answers are coming.
    bool Busy() const;

private:
    struct Shared {
        mutable std::mutex mutex;
        std::condition_variable wake;
        std::deque<std::string> requests;
        std::vector<Answer> answers;
        bool stop = false;
        bool told = false;  // a message is on its way and not yet answered by TakeAnswers
        bool finished = false;
        bool looking_up = false;
        HWND notify = nullptr;
        UINT message = 0;
        LookUp look_up = nullptr;
    };
    static void Run(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace zarkit
