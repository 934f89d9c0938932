#pragma once
// The session file's access to the file system: whole files of raw bytes. Write and
// close failures are the runtime's I/O errors, with its German messages by code.

#include <cstddef>
#include <cstdint>
#include <string>

#include "chart/gchart_error.h"

class EInOutError : public EGChartError {
 public:
  EInOutError(int errorCode, const std::string& message) : EGChartError(message), ErrorCode_(errorCode) {}
  int ErrorCode() const { return ErrorCode_; }

 private:
  int ErrorCode_;
};

// The runtime's message for an I/O error code: 2 "Datei nicht gefunden", 101 "Zu wenig
// Speicherplatz", ..., any other code "E/A-Fehler <code>".
std::string InOutErrorText(int errorCode);
// The I/O error for a system error number: the runtime's code and text where one fits
// (ENOSPC is 101 "Zu wenig Speicherplatz"), otherwise code 0 with the system's text.
EInOutError InOutErrorFor(int systemError);

// A file created, or truncated, for writing.
class TFileWriter {
 public:
  // Raises EGChartError "Datei "<path>" kann nicht erstellt werden. <reason>".
  explicit TFileWriter(const std::string& path);
  // Closes without reporting when Close was not reached.
  ~TFileWriter();
  TFileWriter(const TFileWriter&) = delete;
  TFileWriter& operator=(const TFileWriter&) = delete;

  void Write(const void* data, size_t size);
  void Close();

 private:
  int Fd_ = -1;
};

// A regular file opened for reading only.
class TFileReader {
 public:
  TFileReader() = default;
  ~TFileReader();
  TFileReader(const TFileReader&) = delete;
  TFileReader& operator=(const TFileReader&) = delete;

  // False for a missing or unreadable file and for anything but a regular file.
  bool Open(const std::string& path);
  int64_t Size() const { return Size_; }
  // Reads up to size bytes into data; fewer at the end of the file. False on a read error.
  bool Read(void* data, size_t size, size_t& got);

 private:
  int Fd_ = -1;
  int64_t Size_ = 0;
};

// The machine's main memory in bytes.
uint64_t PhysicalMemoryBytes();
