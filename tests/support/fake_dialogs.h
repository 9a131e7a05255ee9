// Test doubles of the dialog and clock ports: they record what the core shows and asks.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/dialogs.h"

namespace tavo::testing {

class FakeDialogs final : public model::Dialogs {
 public:
  std::vector<std::string> shown;                 // every text, in order
  std::deque<bool> replies;                       // scripted answers to confirm()
  std::optional<std::filesystem::path> nextFile;  // answer of the open and save dialogs
  std::optional<int> nextColor;
  std::vector<std::string> printed;

  std::vector<std::string> informed;  // the routine information among `shown`

  void message(std::string_view text) override { shown.emplace_back(text); }
  void inform(std::string_view text) override {
    shown.emplace_back(text);
    informed.emplace_back(text);
  }
  bool confirm(std::string_view question) override {
    shown.emplace_back(question);
    if (replies.empty()) {
      ADD_FAILURE() << "unexpected question: " << question;
      return false;
    }
    const bool reply = replies.front();
    replies.pop_front();
    return reply;
  }
  std::optional<std::filesystem::path> chooseFileToOpen(const std::filesystem::path&,
                                                        std::string_view) override {
    return nextFile;
  }
  std::optional<std::filesystem::path> chooseFileToSave(const std::filesystem::path&,
                                                        std::string_view,
                                                        std::string_view) override {
    return nextFile;
  }
  std::optional<int> chooseColor(int) override { return nextColor; }
  bool printLines(const std::vector<std::string>& lines) override {
    printed.insert(printed.end(), lines.begin(), lines.end());
    return true;
  }
  std::vector<int> progressSeen;   // every percentage reported, 100 when a task ended
  std::optional<int> cancelAbove;  // the user cancels once a task passes this percentage
  bool progress(std::string_view, int percent) override {
    progressSeen.push_back(percent);
    return percent >= 100 || !cancelAbove || percent <= *cancelAbove;
  }
};

class FakeClock final : public model::Clock {
 public:
  std::string now = "10/12/2026 09:15:00";
  int pausedMilliseconds = 0;
  std::string today = "2026-12-10";
  std::string dateTimeText() override { return now; }
  std::string isoDate() override { return today; }
  void pause(int milliseconds) override { pausedMilliseconds += milliseconds; }
};

}  // namespace tavo::testing
