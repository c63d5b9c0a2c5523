#include "support/scripted_dialogs.h"

namespace kestro::test {

MessageAnswer ScriptedDialogs::Message(const std::string& text, MessageButtons buttons,
                                       MessageIcon icon, const std::string& title) {
  messages.push_back({text, buttons, icon, title});
  if (buttons == MessageButtons::Ok)
    return MessageAnswer::Ok;
  if (answers.empty())
    return MessageAnswer::Yes;
  const MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

static std::string NextFileAnswer(std::deque<std::string>& queue) {
  if (queue.empty())
    return {};
  std::string answer = queue.front();
  queue.pop_front();
  return answer;
}

std::string ScriptedDialogs::OpenFile(const FileDialogRequest& request) {
  openRequests.push_back(request);
  return NextFileAnswer(fileAnswers);
}

std::string ScriptedDialogs::SaveFile(const FileDialogRequest& request) {
  saveRequests.push_back(request);
  return NextFileAnswer(fileAnswers);
}

std::vector<std::string> ScriptedDialogs::Texts() const {
  std::vector<std::string> texts;
  for (const Shown& shown : messages)
    texts.push_back(shown.text);
  return texts;
}

void ManualEventPump::ProcessPendingEvents() {
  ++calls;
  if (onPump)
    onPump(calls);
}

double ManualClock::SecondsSinceMidnight() const {
  const double reading = now;
  now += stepPerReading;
  return reading;
}

}  // namespace kestro::test
