// The device's pipes on POSIX systems: AF_UNIX SOCK_SEQPACKET socket pairs (one write arrives as one read) and an
// eventfd that wakes the device thread.
#include "Device.h"

#include "Transcript.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace emu {
namespace {

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

} // namespace

bool Device::Start() {
    int command[2];
    int answer[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, command) != 0) {
        return false;
    }
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, answer) != 0) {
        ::close(command[0]);
        ::close(command[1]);
        return false;
    }
    pcEnd_[0] = command[0];
    deviceEnd_[0] = command[1];
    pcEnd_[1] = answer[0];
    deviceEnd_[1] = answer[1];
    // Room for the largest frame in each direction (the kernel caps and doubles the value).
    int size = 512 * 1024;
    ::setsockopt(pcEnd_[0], SOL_SOCKET, SO_SNDBUF, &size, sizeof size);
    ::setsockopt(deviceEnd_[1], SOL_SOCKET, SO_SNDBUF, &size, sizeof size);
    wake_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake_ < 0) {
        return false;
    }
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (...) {
        return false;
    }
    std::lock_guard lock(mutex_);
    started_ = true;
    return true;
}

void Device::Stop() {
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            return;
        }
        closed_ = true;
        stop_ = true;
        WakeLocked();
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    std::lock_guard lock(mutex_);
    for (int i = 0; i < 2; ++i) {
        CloseFd(pcEnd_[i]);
        CloseFd(deviceEnd_[i]);
    }
    CloseFd(wake_);
}

void Device::WakeLocked() {
    if (wake_ >= 0) {
        uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wake_, &one, sizeof one);
    }
}

int32_t Device::OpenPipe(uint8_t interfaceNo, int32_t direction) {
    std::lock_guard lock(mutex_);
    if (closed_ || gone_ || !started_ || interfaceNo != 0 || (direction != 0 && direction != 1)) {
        return -1;
    }
    return ::fcntl(pcEnd_[direction == 1 ? 1 : 0], F_DUPFD_CLOEXEC, 0);
}

void Device::Run() {
    bool commandsOpen = true;
    for (;;) {
        bool listen;
        {
            std::lock_guard lock(mutex_);
            if (stop_) {
                break;
            }
            listen = commandsOpen && !gone_;
        }
        pollfd fds[2] = {{wake_, POLLIN, 0}, {deviceEnd_[0], POLLIN, 0}};
        int r = ::poll(fds, listen ? 2 : 1, -1);
        if (r < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (fds[0].revents & POLLIN) {
            uint64_t count;
            [[maybe_unused]] ssize_t n = ::read(wake_, &count, sizeof count);
        }
        std::optional<Delivery> delivery;
        {
            std::lock_guard lock(mutex_);
            if (stop_) {
                break;
            }
            delivery.swap(toSend_);
        }
        if (delivery) {
            Deliver(*delivery);
        }
        if (listen && (fds[1].revents & POLLIN)) {
            Receive();
        } else if (listen && (fds[1].revents & (POLLHUP | POLLERR))) {
            commandsOpen = false;
        }
    }
}

void Device::Receive() {
    ssize_t n = ::recv(deviceEnd_[0], receiveBuffer_.data(), receiveBuffer_.size(), MSG_TRUNC | MSG_DONTWAIT);
    if (n <= 0) {
        return; // nothing, or an empty message: nothing to answer
    }
    Bytes raw(receiveBuffer_.data(), std::min(static_cast<std::size_t>(n), receiveBuffer_.size()));
    Accept(raw);
}

void Device::SendAnswer(std::string_view bytes) {
    if (::send(deviceEnd_[1], bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT) < 0) {
        Diagnose(settings_.logPath, std::string("answer not sent: ") + std::strerror(errno));
    }
}

void Device::EndAnswers() {
    ::shutdown(deviceEnd_[1], SHUT_WR);
}

} // namespace emu
