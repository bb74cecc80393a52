// The two ends of the dialogue. The console does its own buffering, so an
// input or output here is just a way to move bytes: a file descriptor for
// the game, memory for tests and the fuzzer.
#pragma once

#include <cstddef>

#include "story/text.hpp"

namespace console::inline TRAMONTALIA_EDITION {

class Input {
 public:
  // Reads up to `capacity` bytes into `buffer`; 0 means the input is over
  // (end of file or an error: either way nothing more will come).
  virtual std::size_t read(char* buffer, std::size_t capacity) = 0;

 protected:
  ~Input() = default;
};

class Output {
 public:
  // Writes all of `data`; false when nobody can read it any more.
  virtual bool write(const char* data, std::size_t size) = 0;

 protected:
  ~Output() = default;
};

// Standard input and output of a POSIX process.
class FdInput final : public Input {
 public:
  explicit FdInput(int fd) : fd_(fd) {}
  std::size_t read(char* buffer, std::size_t capacity) override;

 private:
  int fd_;
};

class FdOutput final : public Output {
 public:
  explicit FdOutput(int fd) : fd_(fd) {}
  bool write(const char* data, std::size_t size) override;

 private:
  int fd_;
};

}  // namespace console::inline TRAMONTALIA_EDITION
