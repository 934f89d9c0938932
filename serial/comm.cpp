#include "serial/comm.h"

#include <algorithm>

#include "serial/comm_state.h"
#include "serial/comm_thread.h"
#include "serial/msg_thread.h"
#include "serial/open_error.h"

TscComm::TscComm(TscPortPlatform& platform, TscMainThreadHandover* handover)
    : Platform_(platform), Handover_(handover), SoftwareRts_(platform.SoftwareRts()), Dcb_(platform.DefaultDcb()) {
  SetComPort(cpCOM1);
  SetBaudRate(19200);
  SetByteSize(8);
  SetParity(pNone);
  SetStopBits(sbOne);
  SetStreamProtocol(spHardware);
  SetEventChar(0);
}

TscComm::~TscComm() {
  JoinStoppedMsgThread();
  DataProcessor_ = nullptr;
  Terminal_ = nullptr;
  try {
    ClosePort();
  } catch (...) {
    // Only an OnTraceState handler can raise here, and nothing may leave a destructor.
  }
}

void TscComm::SetActive(bool active) {
  if (active == Active()) return;
  if (active) {
    OpenPort();
  } else {
    ClosePort();
  }
}

void TscComm::SetBaudRate(uint32_t baudRate) {
  Dcb_.BaudRate = baudRate;
  UpdateCommState();
}

void TscComm::SetParity(TParity parity) {
  Dcb_.Parity = parity;
  Dcb_.Flags = parity == pNone ? Dcb_.Flags & ~fParity : Dcb_.Flags | fParity;
  UpdateCommState();
}

void TscComm::SetStopBits(TStopBits stopBits) {
  Dcb_.StopBits = stopBits;
  UpdateCommState();
}

void TscComm::SetByteSize(uint8_t byteSize) {
  Dcb_.ByteSize = byteSize < 4 || byteSize > 8 ? 8 : byteSize;
  UpdateCommState();
}

void TscComm::SetEventChar(char eventChar) {
  Dcb_.EvtChar = eventChar;
  UpdateCommState();
}

void TscComm::SetStreamProtocol(TStreamProtocol protocol) {
  StreamProtocol_ = protocol;
  UpdateCommState();
}

void TscComm::SetRS485Mode(bool rs485Mode) {
  RS485Mode_ = rs485Mode;
  UpdateCommState();
}

void TscComm::UpdateCommState() {
  RebuildDcb(Dcb_, RS485Mode_, StreamProtocol_);
  if (Port_) Port_->SetCommState(Dcb_);
}

void TscComm::SetComPortNo(uint16_t portNo) { ChangePort(portNo, std::string()); }

void TscComm::SetDevicePath(const std::string& path) { ChangePort(ComPortNo_, path); }

void TscComm::ChangePort(uint16_t portNo, std::string devicePath) {
  if (Port_) {
    ClosePort();
    ComPortNo_ = portNo;
    DevicePath_ = std::move(devicePath);
    OpenPort();
  } else {
    ComPortNo_ = portNo;
    DevicePath_ = std::move(devicePath);
  }
  NotifyListeners(3);
}

TComPort TscComm::ComPort() const {
  // Port 0 has no member of its own either.
  if (ComPortNo_ == 0 || ComPortNo_ >= 9) return cpCOMxx;
  return TComPort(ComPortNo_ - 1);
}

void TscComm::SetComPort(TComPort port) {
  if (port != cpCOMxx) SetComPortNo(uint16_t(port + 1));
}

std::string TscComm::DeviceFile() const { return DevicePath_.empty() ? Platform_.DevicePath(ComPortNo_) : DevicePath_; }

std::string TscComm::PortName() const {
  return DevicePath_.empty() ? "COM" + std::to_string(ComPortNo_) : DevicePath_;
}

void TscComm::SetTraceStates(TTraceStates traceStates) {
  TraceStates_ = traceStates;
  if (Port_) Port_->SetCommMask(EventMaskOf(TraceStates_, SoftwareRtsToggle()));
}

TModemSignals TscComm::ModemSignals() const { return Port_ ? Port_->ModemStatus() : TModemSignals(); }

void TscComm::SetBufferInSize(uint16_t size) {
  if (Port_) Port_->SetupComm(size, BufferOutSize_);
  BufferInSize_ = size;
}

void TscComm::SetBufferOutSize(uint16_t size) {
  if (Port_) Port_->SetupComm(BufferInSize_, size);
  BufferOutSize_ = size;
}

void TscComm::SetTimeoutRead(uint32_t ms) {
  Timeouts_.ReadIntervalTimeout = ms;
  if (Port_) Port_->SetCommTimeouts(Timeouts_);
}

void TscComm::SetTimeoutWrite(uint32_t ms) {
  Timeouts_.WriteTotalTimeoutConstant = ms;
  if (Port_) Port_->SetCommTimeouts(Timeouts_);
}

void TscComm::PurgeAll() {
  if (!Port_) return;
  Port_->PurgeComm(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
  DropSoftwareRts();
}

void TscComm::PurgeIn() {
  if (Port_) Port_->PurgeComm(PURGE_RXABORT | PURGE_RXCLEAR);
}

void TscComm::PurgeOut() {
  if (!Port_) return;
  Port_->PurgeComm(PURGE_TXABORT | PURGE_TXCLEAR);
  DropSoftwareRts();
}

void TscComm::DropSoftwareRts() {
  if (SoftwareRtsToggle() && Port_) Port_->SetRts(false);
}

int TscComm::AddListener(TscNotifyProc listener) {
  Listeners_.emplace_back(NextListenerId_, std::move(listener));
  return NextListenerId_++;
}

void TscComm::RemoveListener(int id) {
  std::erase_if(Listeners_, [id](const auto& entry) { return entry.first == id; });
}

void TscComm::NotifyListeners(int code) {
  // A copy: a listener may register or remove listeners.
  const auto listeners = Listeners_;
  for (const auto& entry : listeners) entry.second(*this, code);
}

void TscComm::OpenPort() {
  // A message thread that closed the port from its handler may still be returning
  // through the delivery; the new port must not share the component with it.
  JoinStoppedMsgThread();
  ClosePort();
  ReceivedBytes_ = 0;
  const std::string path = DeviceFile();
  TscOpenFailure failure;
  std::unique_ptr<TscPortDevice> port = Platform_.Open(path, failure);
  if (!port) {
    DoFatalError(1, 0, OpenErrorMessage(PortName(), Platform_.ErrorText(failure.Error), path, failure.Detail), false);
    return;
  }
  Attach(std::move(port), path);
}

bool TscComm::Reopen(const std::string& deviceFile) {
  if (Port_) return true;
  JoinStoppedMsgThread();
  TscOpenFailure failure;
  std::unique_ptr<TscPortDevice> port = Platform_.Open(deviceFile, failure);
  if (!port) return false;
  ReceivedBytes_ = 0;
  Attach(std::move(port), deviceFile);
  return true;
}

void TscComm::Attach(std::unique_ptr<TscPortDevice> port, const std::string& deviceFile) {
  Port_ = std::move(port);
  OpenedFile_ = deviceFile;
  ++Session_;
  Open_ = true;
  AllocateBuffer();
  ApplyPortSettings();
  Port_->SetCommMask(EventMaskOf(TraceStates_, SoftwareRtsToggle()));
  StartThreads();
  NotifyListeners(2);
}

void TscComm::ApplyPortSettings() {
  uint32_t errors = 0;
  TComStat stat;
  Port_->ClearCommError(errors, stat);
  Port_->SetupComm(BufferInSize_, BufferOutSize_);
  Port_->SetCommTimeouts(Timeouts_);
  UpdateCommState();
}

void TscComm::ClosePort() {
  if (Port_) {
    try {
      ShutdownPort(true);
    } catch (...) {
      // Only a listener can raise here, after the port has been released; closing
      // lets no failure out.
    }
  }
  DoTraceState(TTraceStates{tsTxEmpty});
}

void TscComm::ShutdownPort(bool purge) {
  if (!Port_) return;
  StopThreads();
  uint32_t errors = 0;
  TComStat stat;
  if (purge && Port_->ClearCommError(errors, stat) && stat.cbOutQue > 0) PurgeAll();
  ReleaseBuffer();
  Port_.reset();
  Open_ = false;
  if (OnClose) {
    try {
      OnClose(*this);
    } catch (...) {
      // A failing close handler must not leave the close half done; it is not reported.
    }
  }
  NotifyListeners(1);
}

void TscComm::AllocateBuffer() {
  ReleaseBuffer();
  BufferSize_ = std::max<uint32_t>(BufferInSize_, MinReceiveBufferSize);
  Buffer_ = std::make_unique<uint8_t[]>(BufferSize_);  // zero-filled
}

void TscComm::ReleaseBuffer() {
  // A handler that closed the port still reads the block it was given.
  if (Delivering_ > 0 && Buffer_) RetiredBuffers_.push_back(std::move(Buffer_));
  Buffer_.reset();
  BufferSize_ = 0;
}

void TscComm::StartThreads() {
  if (!MsgThread_) MsgThread_ = std::make_unique<TMsgThread>(*this, Handover_);
  if (!CommThread_) CommThread_ = std::make_unique<TCommThread>(*this, *Port_, *MsgThread_);
}

void TscComm::StopThreads() noexcept {
  if (CommThread_) CommThread_->RequestStop();
  if (MsgThread_) MsgThread_->RequestStop();
  CommThread_.reset();
  if (MsgThread_ && MsgThread_->IsCurrentThread()) {
    // Stopped by a handler that runs on the message thread itself: it ends when the
    // handler has returned, and is joined later.
    JoinStoppedMsgThread();
    StoppedMsgThread_ = std::move(MsgThread_);
  }
  MsgThread_.reset();
}

void TscComm::JoinStoppedMsgThread() noexcept {
  if (StoppedMsgThread_ && !StoppedMsgThread_->IsCurrentThread()) StoppedMsgThread_.reset();
}
