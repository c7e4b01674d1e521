#pragma once

#include "app/desktop.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace chess::testing {

// A desktop that records every call in order as one line of text ("status: Ready",
// "beep", "box: 白の勝ち | Win!!", "redraw", ...) and answers the modal questions from
// queues the test fills in beforehand.
class FakeDesktop : public Desktop {
public:
    std::vector<std::string> calls;
    std::vector<std::string> spoken; // the screen reader's lines, apart from `calls`
    std::string statusText;
    std::string clipboard;

    std::deque<std::optional<int>> promotionAnswers;              // empty: the dialog cannot be shown
    std::deque<std::optional<std::filesystem::path>> fileAnswers; // empty: cancelled
    std::vector<FileChooser> choosersShown;
    bool clipboardWorks = true;

    void setStatusText(std::string_view text) override
    {
        statusText = text;
        calls.push_back("status: " + statusText);
    }
    void beep() override { calls.emplace_back("beep"); }
    void showMessage(std::string_view text, std::string_view caption) override
    {
        calls.push_back("box: " + std::string(text) + " | " + std::string(caption));
    }
    std::optional<int> choosePromotion() override
    {
        calls.emplace_back("promotion dialog");
        now += promotionDialogTakes;
        return take(promotionAnswers);
    }
    std::optional<std::filesystem::path> chooseSaveFile(const FileChooser &chooser) override
    {
        calls.push_back("save chooser: " + chooser.title);
        choosersShown.push_back(chooser);
        return take(fileAnswers);
    }
    std::optional<std::filesystem::path> chooseOpenFile(const FileChooser &chooser) override
    {
        calls.push_back("open chooser: " + chooser.title);
        choosersShown.push_back(chooser);
        return take(fileAnswers);
    }
    bool setClipboardText(std::string_view text) override
    {
        calls.emplace_back("clipboard");
        if (clipboardWorks)
            clipboard = text;
        return clipboardWorks;
    }
    void requestRedraw() override { calls.emplace_back("redraw"); }
    void announce(std::string_view line) override { spoken.emplace_back(line); }
    void requestClose() override { calls.emplace_back("close"); }
    // Saves are counted, not listed in `calls`, so that the lists of a game's calls stay as
    // they were before there was a history.
    void saveHistory(const GameHistory &) override { ++historySaves; }
    int historySaves = 0;
    std::string today = "2026.12.09";
    std::string localDate() override { return today; }

    // The fake monotonic clock: time passes only as the test moves it on, and while the
    // promotion dialog is open.
    Milliseconds now{};
    Milliseconds promotionDialogTakes{};
    Milliseconds monotonicNow() override { return now; }
    std::deque<std::optional<TimeControl>> timeControlAnswers; // empty: cancelled
    std::optional<TimeControl> chooseTimeControl(TimeControl current) override
    {
        calls.push_back("clock dialog: " + timeControlLabel(current));
        return take(timeControlAnswers);
    }
    // The faces are kept apart from `calls`, like the saves.
    ClockFace clock;
    int clockShows = 0;
    void showClock(const ClockFace &face) override
    {
        clock = face;
        ++clockShows;
    }

    // The calls since the last time this was asked.
    std::vector<std::string> takeCalls() { return std::exchange(calls, {}); }

private:
    template <typename T> static std::optional<T> take(std::deque<std::optional<T>> &answers)
    {
        if (answers.empty())
            return std::nullopt;
        std::optional<T> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace chess::testing
