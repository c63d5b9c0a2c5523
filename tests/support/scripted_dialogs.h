// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/event_pump.h"

namespace kestro::test {

// Dialogs with queued answers that record every message, beep and file request.
class ScriptedDialogs final : public Dialogs {
 public:
  struct Shown {
    std::string text;
    MessageButtons buttons;
    MessageIcon icon;
    std::string title;
  };

  MessageAnswer Message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                        const std::string& title) override {
    messages.push_back({text, buttons, icon, title});
    if (buttons == MessageButtons::Ok)
      return MessageAnswer::Ok;
    return answers.empty() ? MessageAnswer::Yes : Next(answers);
  }
  void Beep() override { ++beeps; }
  std::string OpenFile(const FileDialogRequest& request) override {
    openRequests.push_back(request);
    return fileAnswers.empty() ? "" : Next(fileAnswers);
  }
  std::string SaveFile(const FileDialogRequest& request) override {
    saveRequests.push_back(request);
    return fileAnswers.empty() ? "" : Next(fileAnswers);
  }

  // Texts of the messages shown, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Shown& shown : messages)
      texts.push_back(shown.text);
    return texts;
  }

  std::deque<MessageAnswer> answers;    // Yes/No answers; Yes when empty
  std::deque<std::string> fileAnswers;  // chosen paths; "" (cancel) when empty
  std::vector<Shown> messages;
  std::vector<FileDialogRequest> openRequests;
  std::vector<FileDialogRequest> saveRequests;
  int beeps = 0;

 private:
  template <typename T>
  static T Next(std::deque<T>& queue) {
    T answer = queue.front();
    queue.pop_front();
    return answer;
  }
};

// An event pump that counts its calls and can run a callback (a click arriving mid-run).
class ManualEventPump final : public EventPump {
 public:
  void ProcessPendingEvents() override {
    ++calls;
    if (onPump)
      onPump(calls);
  }
  int calls = 0;
  std::function<void(int call)> onPump;
};

// A clock the test moves by hand; each reading can advance it. The date and time stand still.
class ManualClock final : public Clock {
 public:
  double SecondsSinceMidnight() const override {
    const double reading = now;
    now += stepPerReading;
    return reading;
  }
  std::string LocalDateTime() const override { return dateTime; }
  mutable double now = 0;
  double stepPerReading = 0;
  std::string dateTime = "2026-12-06 11:45:03";
};

}  // namespace kestro::test
