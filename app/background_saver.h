#pragma once

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace chess {

// Writes a file from a thread of its own, so that a gesture never waits for the disk. Each
// save replaces the file durably (replaceFileContents) and creates its folder when missing;
// saves that arrive while one is being written are merged into one of the latest bytes. A
// failed save is dropped: the file keeps what it had, and the next save tries again.
class BackgroundSaver {
public:
    explicit BackgroundSaver(std::filesystem::path file);
    // Finishes the save that is waiting, so that closing the window loses nothing.
    ~BackgroundSaver();
    BackgroundSaver(const BackgroundSaver &) = delete;
    BackgroundSaver &operator=(const BackgroundSaver &) = delete;

    // Returns at once; the thread starts with the first save, not with the program.
    void save(std::string bytes);

private:
    void writeUntilStopped();

    const std::filesystem::path file_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<std::string> pending_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace chess
