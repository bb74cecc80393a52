#include "console/streams.hpp"

#include <poll.h>
#include <unistd.h>
#include <cerrno>

namespace console::inline TRAMONTALIA_EDITION {

namespace {

// Whether a read or write that just failed should be made again. Another
// program sharing the terminal or pipe may have left it non-blocking: where a
// blocking descriptor would wait, it fails with EAGAIN instead, so wait here
// as it would. A hang-up or an error ends the wait too, and the call made
// again reports them as it always has. With one descriptor on the stack, poll
// can fail only when a signal interrupts it, and then the call is made again.
bool retry_when_ready(int fd, short events) {
  if (errno == EINTR) return true;
  if (errno != EAGAIN && errno != EWOULDBLOCK) return false;
  pollfd descriptor{fd, events, 0};
  (void)::poll(&descriptor, 1, -1);
  return true;
}

}  // namespace

std::size_t FdInput::read(char* buffer, std::size_t capacity) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, capacity);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (!retry_when_ready(fd_, POLLIN)) return 0;
  }
}

// A partial write, which a non-blocking pipe makes of anything larger than
// its free space, goes on from where it stopped.
bool FdOutput::write(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd_, data, size);
    if (n < 0 && retry_when_ready(fd_, POLLOUT)) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace console::inline TRAMONTALIA_EDITION
