#include "app/background_saver.h"

#include "app/file_replace.h"

#include <system_error>
#include <utility>

namespace chess {

BackgroundSaver::BackgroundSaver(std::filesystem::path file) : file_(std::move(file)) {}

BackgroundSaver::~BackgroundSaver()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
}

void BackgroundSaver::save(std::string bytes)
{
    {
        const std::lock_guard lock(mutex_);
        pending_ = std::move(bytes);
        if (!thread_.joinable())
            thread_ = std::thread(&BackgroundSaver::writeUntilStopped, this);
    }
    wake_.notify_one();
}

void BackgroundSaver::writeUntilStopped()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_)
            return;
        const std::string bytes = std::exchange(pending_, std::nullopt).value();
        lock.unlock();
        std::error_code error;
        std::filesystem::create_directories(file_.parent_path(), error);
        replaceFileContents(file_, bytes);
        lock.lock();
    }
}

} // namespace chess
