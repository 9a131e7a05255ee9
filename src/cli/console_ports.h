// The dialog and clock ports of the command-line tool: messages are collected, not shown.
#pragma once

#include <chrono>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "model/dialogs.h"

namespace tavo::cli {

/// Messages are collected and printed by each command; no question is answered yes.
using ConsoleDialogs = model::CollectingDialogs;

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
