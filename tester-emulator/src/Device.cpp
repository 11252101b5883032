#include "Device.h"

#include "Frame.h"
#include "Transcript.h"

namespace emu {
namespace {

const char* StatusFor(FrameFault fault) {
    switch (fault) {
    case FrameFault::BadStart:
        return kStatusBadStart;
    case FrameFault::BadLength:
        return kStatusBadLength;
    case FrameFault::BadChecksum:
        return kStatusBadChecksum;
    case FrameFault::BadEnd:
        return kStatusBadEnd;
    case FrameFault::None:
        break;
    }
    return kStatusOk;
}

} // namespace

Device::Device(std::shared_ptr<const Scenario> scenario, std::shared_ptr<ReferenceStore> store, DeviceSettings settings)
    : scenario_(scenario), tester_(scenario, std::move(store)), settings_(std::move(settings)), openedAt_(Clock::now()),
      receiveBuffer_(kMaxFrame + 1024, '\0') {
    // Unplugged after 0 exchanges: the device opens but is gone at once.
    gone_ = scenario_->unplugAfter == 0;
}

Device::~Device() {
    Stop();
}

bool Device::Reset() {
    std::lock_guard lock(mutex_);
    if (closed_ || gone_) {
        return false;
    }
    // Forget a half-done exchange; an answer being written still goes out.
    if (phase_ != Phase::Working) {
        phase_ = Phase::Idle;
        pending_ = {};
    }
    announced_ = -1;
    return true;
}

bool Device::Gone() const {
    std::lock_guard lock(mutex_);
    return gone_ || closed_;
}

bool Device::OnlineLocked() const {
    return scenario_->online && Clock::now() - openedAt_ >= std::chrono::milliseconds(scenario_->onlineAfterMs);
}

bool Device::Refuse(const std::string& why) const {
    Diagnose(settings_.logPath, "vendor request refused: " + why);
    return false;
}

bool Device::VendorRequest(int32_t direction, int32_t reserved0, int32_t reserved1, int32_t request, int32_t value,
                           int32_t length, uint8_t* buffer) {
    std::lock_guard lock(mutex_);
    if (closed_ || gone_) {
        return false; // no diagnosis: an unplugged tester does not answer
    }
    if (reserved0 != 0 || reserved1 != 1 || value != 0 || buffer == nullptr) {
        return Refuse("reserved arguments must be 0 and 1, value 0, buffer given");
    }
    if (direction == 1 && request == 0x40) {
        if (length != 1) {
            return Refuse("ready-to-receive poll needs length 1");
        }
        buffer[0] = (OnlineLocked() && phase_ == Phase::Idle) ? 0x55 : 0x00;
        return true;
    }
    if (direction == 1 && request == 0x41) {
        if (length != 3) {
            return Refuse("answer-ready poll needs length 3");
        }
        bool ready = phase_ == Phase::AnswerReady && Clock::now() >= readyAt_;
        std::size_t size = ready ? pending_.frame.size() : 0;
        buffer[0] = ready ? 0x55 : 0x00;
        buffer[1] = static_cast<uint8_t>(size & 0xFF); // low byte first
        buffer[2] = static_cast<uint8_t>(size >> 8);
        return true;
    }
    if (direction != 0 || request != 0) {
        return Refuse("unknown request " + std::to_string(request) + " direction " + std::to_string(direction));
    }
    if (length != 3) {
        return Refuse("announce and go need length 3");
    }
    if (buffer[0] == 0) {
        if (!OnlineLocked() || phase_ != Phase::Idle) {
            return Refuse("announce while the tester is not ready to receive");
        }
        announced_ = buffer[1] * 256 + buffer[2]; // high byte first
        phase_ = Phase::Announced;
        return true;
    }
    if (buffer[0] != 1 || buffer[1] != 0 || buffer[2] != 0) {
        return Refuse("announce or go expected (0,high,low or 1,0,0)");
    }
    if (phase_ != Phase::AnswerReady || Clock::now() < readyAt_) {
        return Refuse("go before the answer was ready");
    }
    Delivery delivery = std::move(pending_);
    pending_ = {};
    phase_ = Phase::Idle;
    ++delivered_;
    if (delivery.unplugInRead) {
        gone_ = true;
    } else if (scenario_->unplugAfter > 0 && delivered_ >= scenario_->unplugAfter) {
        gone_ = true;
        delivery.unplugAfter = true;
    }
    toSend_ = std::move(delivery);
    WakeLocked();
    return true;
}

// Checks the frame, runs the command unless a fault decides otherwise, and makes the answer ready.
void Device::Process(const Bytes& raw, int announced) {
    const auto receivedAt = Clock::now();
    const int exchange = ++exchanges_;
    CommandFrame frame;
    FrameFault fault = ParseCommandFrame(raw, frame);
    if (fault == FrameFault::None && announced != static_cast<int>(raw.size())) {
        fault = FrameFault::BadLength;
        Diagnose(settings_.logPath, "frame " + std::to_string(exchange) + ": " +
                                        (announced < 0 ? std::string("no announce before the frame")
                                                       : "announced " + std::to_string(announced) +
                                                             " bytes, received " + std::to_string(raw.size())));
    } else if (fault != FrameFault::None) {
        Diagnose(settings_.logPath, "frame " + std::to_string(exchange) + ": " + FrameFaultName(fault));
    }
    const std::string letters = fault == FrameFault::None ? frame.letters : EchoLetters(raw);
    const int nth = ++perCommand_[letters];

    const FaultRule* error = nullptr;
    Delivery delivery;
    int delayMs = scenario_->delayMs;
    std::vector<const FaultRule*> corruptions;
    for (const auto& rule : scenario_->rules) {
        if ((!rule.command.empty() && rule.command != letters) || (rule.nth != 0 && rule.nth != nth) ||
            (rule.exchange != 0 && rule.exchange != exchange)) {
            continue;
        }
        switch (rule.action) {
        case FaultAction::Error:
            error = error ? error : &rule;
            break;
        case FaultAction::ByteFF:
            corruptions.push_back(&rule);
            break;
        case FaultAction::Truncate:
            delivery.truncate = delivery.truncate ? delivery.truncate : rule.bytes;
            break;
        case FaultAction::UnplugInRead:
            delivery.unplugInRead = true;
            break;
        case FaultAction::Delay:
            delayMs += rule.ms;
            break;
        }
    }

    emu::Answer answer;
    if (fault != FrameFault::None) {
        answer = {StatusFor(fault), {}};
    } else if (error) {
        answer = {error->status, {}}; // refused: the command is not carried out
    } else {
        answer = tester_.Run(frame);
    }
    delivery.frame = BuildAnswerFrame(letters, answer.status, answer.data);
    if (delivery.frame.size() > kMaxFrame) {
        Diagnose(settings_.logPath, "frame " + std::to_string(exchange) + ": answer of " +
                                        std::to_string(delivery.frame.size()) + " bytes does not fit a frame");
        delivery.frame = BuildAnswerFrame(letters, kStatusTooLong, {});
    }
    for (const FaultRule* rule : corruptions) {
        long size = static_cast<long>(delivery.frame.size());
        long at = rule->lastData ? size - 5 : (rule->offset < 0 ? size + rule->offset : rule->offset);
        bool inData = !rule->lastData || size > static_cast<long>(kAnswerOverhead);
        if (inData && at >= 0 && at < size) {
            delivery.frame[static_cast<std::size_t>(at)] = static_cast<char>(0xFF);
        }
    }

    std::lock_guard lock(mutex_);
    pending_ = std::move(delivery);
    readyAt_ = receivedAt + std::chrono::milliseconds(delayMs);
    phase_ = Phase::AnswerReady;
    announced_ = -1;
}

// A frame from the PC (cut at the receive buffer's size): written to the transcript, then checked and run.
void Device::Accept(const Bytes& raw) {
    int announced;
    {
        std::lock_guard lock(mutex_);
        if (phase_ != Phase::Idle && phase_ != Phase::Announced) {
            announced = -2;
        } else {
            announced = phase_ == Phase::Announced ? announced_ : -1;
            phase_ = Phase::Working;
        }
    }
    AppendTranscript(settings_.transcriptPath, true, raw);
    if (announced == -2) {
        Diagnose(settings_.logPath, "frame discarded: it came while an answer was waiting to be fetched");
        return;
    }
    Process(raw, announced);
}

void Device::Deliver(const Delivery& delivery) {
    if (delivery.unplugInRead) {
        // Unplugged while the PC reads: its read ends with nothing.
        EndAnswers();
        return;
    }
    std::string_view bytes(delivery.frame);
    if (delivery.truncate && *delivery.truncate < bytes.size()) {
        bytes = bytes.substr(0, *delivery.truncate);
    }
    // Logged before sending, so the transcript is complete whenever the PC holds the answer.
    AppendTranscript(settings_.transcriptPath, false, bytes);
    SendAnswer(bytes);
    if (delivery.unplugAfter) {
        EndAnswers();
    }
}

} // namespace emu
