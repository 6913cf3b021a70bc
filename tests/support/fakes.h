#pragma once

#include "app/delivery/message_sink.h"
#include "tests/support/recorders.h"

#include <vector>

namespace tavrin {

// Records the message boxes the program would show.
class FakeMessages final : public MessageSink {
public:
    void show(const Message& message) override { shown.push_back(message); }
    std::vector<Message> shown;
};

// The balloons: test::RecordingNotifier (tests/support/recorders.h).

} // namespace tavrin
