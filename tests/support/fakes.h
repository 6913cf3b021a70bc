#pragma once

#include "app/delivery/message_sink.h"
#include "monitor/notifier.h"

#include <vector>

namespace tavrin {

// Records the message boxes the program would show.
class FakeMessages final : public MessageSink {
public:
    void show(const Message& message) override { shown.push_back(message); }
    std::vector<Message> shown;
};

// Records the balloons the program would show.
class FakeNotifier final : public Notifier {
public:
    void showBalloon(const Balloon& balloon) override { balloons.push_back(balloon); }
    std::vector<Balloon> balloons;
};

} // namespace tavrin
