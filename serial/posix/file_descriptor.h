#pragma once
// Owns one open file descriptor from the moment it is opened; closes it exactly once.

class TscFileDescriptor {
 public:
  TscFileDescriptor() = default;
  explicit TscFileDescriptor(int fd) : Fd_(fd) {}
  ~TscFileDescriptor();
  TscFileDescriptor(TscFileDescriptor&& other) noexcept : Fd_(other.Fd_) { other.Fd_ = -1; }
  TscFileDescriptor& operator=(TscFileDescriptor&& other) noexcept;
  TscFileDescriptor(const TscFileDescriptor&) = delete;
  TscFileDescriptor& operator=(const TscFileDescriptor&) = delete;

  int Get() const { return Fd_; }
  bool Valid() const { return Fd_ >= 0; }

 private:
  int Fd_ = -1;
};
