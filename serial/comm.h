#pragma once
// The serial component: one serial port with its line settings, the two worker threads
// that carry port events to the main thread, the delivery of received bytes and the
// reports of what goes wrong.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "serial/main_thread_handover.h"
#include "serial/port_device.h"
#include "serial/serial_types.h"

class TscComm;
class TCommThread;
class TMsgThread;

// Raised when the port cannot be opened; the message is the open-error text.
class EscCommError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Optional consumer of received data, served before the terminal and OnAfterReceive.
class TscCustomDataProcessor {
 public:
  virtual ~TscCustomDataProcessor() = default;
  // Setting consumed keeps the block from the terminal.
  virtual void DataReceived(TscComm& com, const uint8_t* data, uint32_t count, bool& consumed) = 0;
  // True while it has more to send; holds back OnAfterSend.
  virtual bool HasDataToSend() const = 0;
};

// A text control that shows received bytes.
class TscTerminal {
 public:
  virtual ~TscTerminal() = default;
  virtual void ShowReceived(const uint8_t* data, uint32_t count) = 0;
};

// A control whose checked state mirrors a modem line.
class TscMonitorControl {
 public:
  virtual ~TscMonitorControl() = default;
  virtual void SetChecked(bool checked) = 0;
};

using TOnReceived = std::function<void(TscComm& Com, const void* Buffer, uint32_t Received)>;
using TOnSent = std::function<void(TscComm& Com)>;
using TNotifyEvent = std::function<void(TscComm& Sender)>;
using TOnTraceEvent = std::function<void(TscComm& Com, TTraceStates Event)>;
using TOnCommErrorEvent = std::function<void(TscComm& Com, uint32_t CommCode, uint32_t SysError,
                                             TComStateFlags State, bool& flFlashBuffers)>;
using TOnFatalErrorEvent = std::function<void(TscComm& Sender, uint32_t ErrorCode, uint32_t Detail,
                                              const std::string& ErrorMsg, bool& RaiseException)>;
// Listener codes: 1 after close, 2 after open, 3 after a change of port.
using TscNotifyProc = std::function<void(TscComm& Com, int Code)>;

class TscComm {
 public:
  static constexpr uint32_t MinReceiveBufferSize = 8192;

  // handover: how the message thread reaches the main thread; null where no main thread
  // processes a queue, and events are then processed on the message thread.
  TscComm(TscPortPlatform& platform, TscMainThreadHandover* handover);
  ~TscComm();
  TscComm(const TscComm&) = delete;
  TscComm& operator=(const TscComm&) = delete;

  // True while the port is open; any thread may read it.
  bool Active() const { return Open_.load(); }
  void SetActive(bool active);

  uint32_t BaudRate() const { return Dcb_.BaudRate; }
  void SetBaudRate(uint32_t baudRate);
  TParity Parity() const { return TParity(Dcb_.Parity); }
  void SetParity(TParity parity);
  TStopBits StopBits() const { return TStopBits(Dcb_.StopBits); }
  void SetStopBits(TStopBits stopBits);
  // Data bits; a value below 4 or above 8 is stored as 8.
  uint8_t ByteSize() const { return Dcb_.ByteSize; }
  void SetByteSize(uint8_t byteSize);
  char EventChar() const { return Dcb_.EvtChar; }
  void SetEventChar(char eventChar);
  TStreamProtocol StreamProtocol() const { return StreamProtocol_; }
  void SetStreamProtocol(TStreamProtocol protocol);
  bool RS485Mode() const { return RS485Mode_; }
  void SetRS485Mode(bool rs485Mode);

  uint16_t ComPortNo() const { return ComPortNo_; }
  // Also forgets a device path set directly. Open: reopens on the new port.
  void SetComPortNo(uint16_t portNo);
  TComPort ComPort() const;
  void SetComPort(TComPort port);
  // A device opened instead of the one the port number names; empty: the number's.
  const std::string& DevicePath() const { return DevicePath_; }
  void SetDevicePath(const std::string& path);
  // "COM" and the number, or the device path when one is set.
  std::string PortName() const;
  // The device file the port opens: the path set, or the one the port number names.
  std::string DeviceFile() const;
  // The device file of the open port, or of the one open last.
  const std::string& OpenedFile() const { return OpenedFile_; }
  // Opens the closed port on the device file given, with the settings it has, as setting
  // Active would, but without any report: for a device that went away and may be back.
  // False while it cannot be opened.
  bool Reopen(const std::string& deviceFile);

  TTraceStates TraceStates() const { return TraceStates_; }
  void SetTraceStates(TTraceStates traceStates);
  // The modem input lines now on; empty while closed.
  TModemSignals ModemSignals() const;

  uint16_t BufferInSize() const { return BufferInSize_; }
  void SetBufferInSize(uint16_t size);
  uint16_t BufferOutSize() const { return BufferOutSize_; }
  void SetBufferOutSize(uint16_t size);
  uint32_t TimeoutRead() const { return Timeouts_.ReadIntervalTimeout; }
  void SetTimeoutRead(uint32_t ms);
  uint32_t TimeoutWrite() const { return Timeouts_.WriteTotalTimeoutConstant; }
  void SetTimeoutWrite(uint32_t ms);

  // Process port events on the main thread (true) or on the message thread.
  bool UseMainThread() const { return UseMainThread_.load(); }
  void SetUseMainThread(bool use) { UseMainThread_ = use; }
  TscEnumPorts EnumPorts() const { return EnumPorts_; }
  void SetEnumPorts(TscEnumPorts depth) { EnumPorts_ = depth; }

  TscCustomDataProcessor* DataProcessor() const { return DataProcessor_; }
  void SetDataProcessor(TscCustomDataProcessor* processor) { DataProcessor_ = processor; }
  TscTerminal* Terminal() const { return Terminal_; }
  void SetTerminal(TscTerminal* terminal) { Terminal_ = terminal; }
  TTerminalUsage TerminalUsage() const { return TerminalUsage_; }
  void SetTerminalUsage(TTerminalUsage usage) { TerminalUsage_ = usage; }
  bool TerminalEcho() const { return TerminalEcho_; }
  void SetTerminalEcho(bool echo) { TerminalEcho_ = echo; }
  void SetMonitorCTS(TscMonitorControl* control) { MonitorCTS_ = control; }
  void SetMonitorDSR(TscMonitorControl* control) { MonitorDSR_ = control; }
  void SetMonitorRLSD(TscMonitorControl* control) { MonitorRLSD_ = control; }
  void SetMonitorRing(TscMonitorControl* control) { MonitorRing_ = control; }

  // Bytes found waiting by port events since the last open.
  uint32_t ReceivedBytes() const { return ReceivedBytes_; }

  TOnReceived OnAfterReceive;
  TOnSent OnAfterSend;
  TOnTraceEvent OnTraceState;
  TOnCommErrorEvent OnCommError;
  TNotifyEvent OnClose;
  TOnFatalErrorEvent OnFatalError;
  // Shows the message of an error in show mode to the user; unset, it goes nowhere.
  std::function<void(const std::string& Message)> ShowException;

  // Open only: discard both driver queues, or the input or the output queue.
  void PurgeAll();
  void PurgeIn();
  void PurgeOut();

  int AddListener(TscNotifyProc listener);
  void RemoveListener(int id);

  // A terminal, OnAfterReceive or a data processor takes received bytes.
  bool HasReceiver() const;

  // The sequences behind the properties, and the work of the two worker threads.
  void UpdateCommState();
  void OpenPort();
  void ClosePort();
  void ShutdownPort(bool purge);
  void ProcessComEvent(uint32_t eventMask) noexcept;
  // The close after a failed event wait (the device went away), run where deliveries run.
  void CloseFailedDevice() noexcept;
  void DoFatalError(uint32_t ErrorCode, uint32_t Detail, const std::string& ErrorMsg, bool show);
  void DoCommError(uint32_t CommCode, uint32_t SysError, TComStateFlags State);
  void DoTraceState(TTraceStates Event);

 private:
  bool SoftwareRtsToggle() const { return RS485Mode_ && SoftwareRts_; }
  void DropSoftwareRts();
  void ChangePort(uint16_t portNo, std::string devicePath);
  void Attach(std::unique_ptr<TscPortDevice> port, const std::string& deviceFile);
  void AllocateBuffer();
  void ReleaseBuffer();
  void ApplyPortSettings();
  void StartThreads();
  void StopThreads() noexcept;
  void JoinStoppedMsgThread() noexcept;
  void NotifyListeners(int code);
  void ReadWaiting(uint64_t session, TComStat stat);
  void ReportProcessingFailure(const std::string& message) noexcept;
  void ContainFailedReport(const std::string& message) noexcept;
  void DoReceive(const uint8_t* data, uint32_t count);
  bool IsSession(uint64_t session) const { return Port_ && Session_ == session; }

  TscPortPlatform& Platform_;
  TscMainThreadHandover* const Handover_;
  const bool SoftwareRts_;

  TDcb Dcb_;
  TCommTimeouts Timeouts_;
  TStreamProtocol StreamProtocol_ = spHardware;
  bool RS485Mode_ = false;
  uint16_t ComPortNo_ = 1;
  std::string DevicePath_;
  TTraceStates TraceStates_;
  uint16_t BufferInSize_ = 8192;
  uint16_t BufferOutSize_ = 8192;
  std::atomic<bool> UseMainThread_ = true;
  TscEnumPorts EnumPorts_ = epQuickAll;
  TscCustomDataProcessor* DataProcessor_ = nullptr;
  TscTerminal* Terminal_ = nullptr;
  TTerminalUsage TerminalUsage_ = tuNone;
  bool TerminalEcho_ = false;
  TscMonitorControl* MonitorCTS_ = nullptr;
  TscMonitorControl* MonitorDSR_ = nullptr;
  TscMonitorControl* MonitorRLSD_ = nullptr;
  TscMonitorControl* MonitorRing_ = nullptr;
  std::vector<std::pair<int, TscNotifyProc>> Listeners_;
  int NextListenerId_ = 1;

  // The open port. Open_ mirrors whether Port_ is set, for the worker threads.
  std::unique_ptr<TscPortDevice> Port_;
  std::string OpenedFile_;
  std::atomic<bool> Open_ = false;
  uint64_t Session_ = 0;  // counts opens; tells a delivery whether its port is still open
  uint32_t ReceivedBytes_ = 0;
  std::unique_ptr<uint8_t[]> Buffer_;
  uint32_t BufferSize_ = 0;
  // Deliveries in progress, and the buffers of ports closed during one: they stay
  // readable until the outermost delivery returns.
  int Delivering_ = 0;
  std::vector<std::unique_ptr<uint8_t[]>> RetiredBuffers_;

  std::unique_ptr<TMsgThread> MsgThread_;
  std::unique_ptr<TCommThread> CommThread_;
  // A message thread stopped from inside itself, joined once it is not the caller.
  std::unique_ptr<TMsgThread> StoppedMsgThread_;
};
