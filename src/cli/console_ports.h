// The dialog and clock ports of the command-line tool: messages are collected, not shown.
#pragma once

#include <chrono>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "model/dialogs.h"

namespace tavo::cli {

/// Collects every message; answers no question and opens no file dialog.
class ConsoleDialogs final : public model::Dialogs {
 public:
  std::vector<std::string> shown;
  void message(std::string_view text) override { shown.emplace_back(text); }
  bool confirm(std::string_view question) override {
    shown.emplace_back(question);
    return false;
  }
  std::optional<std::filesystem::path> chooseFileToOpen(const std::filesystem::path&,
                                                        std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> chooseFileToSave(const std::filesystem::path&,
                                                        std::string_view,
                                                        std::string_view) override {
    return std::nullopt;
  }
};

/// The system clock; the date-time text as day/month/year hours:minutes:seconds.
class SystemClock final : public model::Clock {
 public:
  std::string dateTimeText() override {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%d/%m/%Y %H:%M:%S", &local);
    return buffer;
  }
  void pause(int milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
};

}  // namespace tavo::cli
