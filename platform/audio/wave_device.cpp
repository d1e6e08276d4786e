// The wave output devices: the queue of written buffers, the completion
// thread that hands them to the sink and returns them as done, pause,
// restart, reset and the volume (see wave_out.h).
#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "platform/audio/audio_sink.h"
#include "platform/audio/wave_out.h"

#ifdef TESSALYN_TEST_HOOKS
#include "platform/audio/test_sink.h"
#endif

struct WaveOutDevice {
  WAVEFORMATEX format{};
  WaveOutProc callback = nullptr;
  DWORD_PTR instance = 0;
  std::unique_ptr<devaudio::Sink> sink;

  std::mutex lock;
  std::condition_variable wake;     // the completion thread waits on it
  std::condition_variable settled;  // waveOutReset waits on it
  std::deque<WAVEHDR*> queue;       // written, not yet returned, in order
  size_t handedOver = 0;            // the first entries of queue given to the sink
  std::deque<uint64_t> ends;        // the sink's byte count at the end of each
  uint64_t sinkBytes = 0;
  std::vector<WAVEHDR*> returned;   // reset buffers still to be reported done
  bool delivering = false;          // the callback runs for a returned buffer
  bool paused = false;
  bool closing = false;
  DWORD volume = 0xFFFFFFFFu;
  std::vector<uint8_t> scaled;      // the buffer with the volume applied
  std::thread thread;
  std::thread::id threadId;
#ifdef TESSALYN_TEST_HOOKS
  std::shared_ptr<devaudio::OpeningRecord> record;
#endif
};

namespace {

struct DeviceList {
  std::mutex lock;
  std::set<WaveOutDevice*> open;
};

DeviceList& Devices() {
  static DeviceList* list = new DeviceList;  // lives for the process
  return *list;
}

bool IsOpen(WaveOutDevice* device) {
  DeviceList& list = Devices();
  std::lock_guard<std::mutex> guard(list.lock);
  return device && list.open.count(device) != 0;
}

void Notify(WaveOutDevice* device, UINT message, DWORD_PTR param1) {
  if (device->callback) device->callback(device, message, device->instance, param1, 0);
}

// Applies the per-channel volume (low word left, high word right) to 16-bit
// samples; full volume leaves them as they are.
const uint8_t* ScaledSamples(WaveOutDevice* device, const WAVEHDR* header) {
  const auto* data = reinterpret_cast<const uint8_t*>(header->lpData);
  DWORD volume = device->volume;
  if (volume == 0xFFFFFFFFu || (device->format.nChannels == 1 && (volume & 0xFFFF) == 0xFFFF)) return data;
  device->scaled.assign(data, data + header->dwBufferLength);
  uint32_t left = volume & 0xFFFF, right = volume >> 16;
  size_t samples = header->dwBufferLength / 2;
  for (size_t i = 0; i < samples; ++i) {
    uint32_t level = (device->format.nChannels == 2 && (i & 1)) ? right : left;
    int16_t s;
    std::memcpy(&s, &device->scaled[i * 2], 2);
    s = static_cast<int16_t>(static_cast<int32_t>(s) * static_cast<int32_t>(level) / 0xFFFF);
    std::memcpy(&device->scaled[i * 2], &s, 2);
  }
  return device->scaled.data();
}

void CompletionThread(WaveOutDevice* device) {
  // The opener holds the lock until the thread's identity is recorded.
  std::unique_lock<std::mutex> guard(device->lock);
  guard.unlock();
  Notify(device, WOM_OPEN, 0);
  guard.lock();
  for (;;) {
    if (!device->returned.empty()) {
      std::vector<WAVEHDR*> returned;
      returned.swap(device->returned);
      device->delivering = true;
      guard.unlock();
      for (WAVEHDR* header : returned) Notify(device, WOM_DONE, reinterpret_cast<DWORD_PTR>(header));
      guard.lock();
      device->delivering = false;
      device->settled.notify_all();
      continue;
    }
    if (device->closing && device->queue.empty()) break;
    if (!device->paused) {
      while (device->handedOver < device->queue.size()) {
        WAVEHDR* header = device->queue[device->handedOver];
        const uint8_t* samples = ScaledSamples(device, header);
        device->sink->Submit(samples, header->dwBufferLength);
#ifdef TESSALYN_TEST_HOOKS
        if (device->record) {
          std::lock_guard<std::mutex> keep(device->record->lock);
          device->record->played.insert(device->record->played.end(), samples, samples + header->dwBufferLength);
        }
#endif
        device->sinkBytes += header->dwBufferLength;
        device->ends.push_back(device->sinkBytes);
        ++device->handedOver;
      }
    }
    if (device->handedOver > 0 && device->sink->PlayedBytes() >= device->ends.front()) {
      WAVEHDR* header = device->queue.front();
      device->queue.pop_front();
      device->ends.pop_front();
      --device->handedOver;
      header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
#ifdef TESSALYN_TEST_HOOKS
      if (device->record) device->record->queued.store(static_cast<int>(device->queue.size()));
#endif
      guard.unlock();
      Notify(device, WOM_DONE, reinterpret_cast<DWORD_PTR>(header));
      guard.lock();
      continue;
    }
    if (device->handedOver > 0)
      device->wake.wait_for(guard, std::chrono::milliseconds(device->sink->PollMs()));
    else
      device->wake.wait(guard);
  }
  guard.unlock();
  Notify(device, WOM_CLOSE, 0);
}

// Marks every queued buffer done and leaves them for the completion thread
// to report. Called with the device's lock held.
void ReturnQueued(WaveOutDevice* device) {
  for (WAVEHDR* header : device->queue) {
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    device->returned.push_back(header);
  }
  device->queue.clear();
  device->ends.clear();
  device->handedOver = 0;
  device->sink->Flush();
  device->sinkBytes = device->sink->PlayedBytes();
#ifdef TESSALYN_TEST_HOOKS
  if (device->record) device->record->queued.store(0);
#endif
  device->wake.notify_all();
}

}  // namespace

UINT waveOutGetNumDevs() { return 1; }

MMRESULT waveOutGetDevCapsW(UINT_PTR deviceId, WAVEOUTCAPSW* caps, UINT size) {
  if (deviceId != 0 && deviceId != static_cast<UINT_PTR>(WAVE_MAPPER) &&
      deviceId != reinterpret_cast<UINT_PTR>(nullptr)) {
    // A device handle stands for its device too.
    if (!IsOpen(reinterpret_cast<WaveOutDevice*>(deviceId))) return MMSYSERR_BADDEVICEID;
  }
  if (!caps || size < sizeof(WAVEOUTCAPSW)) return MMSYSERR_INVALPARAM;
  WAVEOUTCAPSW out{};
  out.wMid = 1;
  out.wPid = 1;
  out.vDriverVersion = 0x0100;
  const char16_t name[] = u"Wave output";
  std::copy(std::begin(name), std::end(name), out.szPname);
#ifdef TESSALYN_TEST_HOOKS
  out.dwFormats = devaudio::TestSinksActive() ? devaudio::TestCapabilities() : kWaveFormats16Bit;
#else
  out.dwFormats = kWaveFormats16Bit;
#endif
  out.wChannels = 2;
  out.dwSupport = WAVECAPS_VOLUME | WAVECAPS_LRVOLUME;
  *caps = out;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutOpen(LPHWAVEOUT handle, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags) {
  if (deviceId != WAVE_MAPPER && deviceId != 0) return MMSYSERR_BADDEVICEID;
  if (!format) return MMSYSERR_INVALPARAM;
  DWORD kind = flags & 0x70000;
  if (kind != CALLBACK_NULL && kind != CALLBACK_FUNCTION) return MMSYSERR_INVALFLAG;
  if (kind == CALLBACK_FUNCTION && !callback) return MMSYSERR_INVALPARAM;
#ifdef TESSALYN_TEST_HOOKS
  if (MMRESULT injected = devaudio::TestOpenResult(*format)) return injected;
#endif
  if (!devaudio::IsPlayableFormat(*format)) return WAVERR_BADFORMAT;
  if (flags & WAVE_FORMAT_QUERY) return MMSYSERR_NOERROR;
  if (!handle) return MMSYSERR_INVALPARAM;
  auto* device = new WaveOutDevice;
  device->format = *format;
  device->callback = kind == CALLBACK_FUNCTION ? reinterpret_cast<WaveOutProc>(callback) : nullptr;
  device->instance = instance;
  device->sink = devaudio::ChooseSink(*format);
#ifdef TESSALYN_TEST_HOOKS
  device->record = devaudio::NoteOpening(*format);
#endif
  {
    DeviceList& list = Devices();
    std::lock_guard<std::mutex> guard(list.lock);
    list.open.insert(device);
  }
  {
    std::lock_guard<std::mutex> guard(device->lock);
    device->thread = std::thread(CompletionThread, device);
    device->threadId = device->thread.get_id();
  }
  *handle = device;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutClose(HWAVEOUT device) {
  {
    DeviceList& list = Devices();
    std::lock_guard<std::mutex> guard(list.lock);
    if (!device || !list.open.count(device)) return MMSYSERR_INVALHANDLE;
    std::lock_guard<std::mutex> own(device->lock);
    if (std::this_thread::get_id() == device->threadId) return MMSYSERR_ERROR;  // never from the callback
    list.open.erase(device);
  }
  {
    std::lock_guard<std::mutex> guard(device->lock);
    ReturnQueued(device);
    device->closing = true;
    device->wake.notify_all();
  }
  device->thread.join();
#ifdef TESSALYN_TEST_HOOKS
  if (device->record) device->record->open.store(false);
#endif
  device->sink.reset();
  delete device;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT size) {
  if (!IsOpen(device)) return MMSYSERR_INVALHANDLE;
  if (!header || size < sizeof(WAVEHDR) || !header->lpData) return MMSYSERR_INVALPARAM;
  std::lock_guard<std::mutex> guard(device->lock);
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT size) {
  if (!IsOpen(device)) return MMSYSERR_INVALHANDLE;
  if (!header || size < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
  std::lock_guard<std::mutex> guard(device->lock);
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutWrite(HWAVEOUT device, LPWAVEHDR header, UINT size) {
  if (!IsOpen(device)) return MMSYSERR_INVALHANDLE;
  if (!header || size < sizeof(WAVEHDR)) return MMSYSERR_INVALPARAM;
  std::lock_guard<std::mutex> guard(device->lock);
  if (!(header->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  // Only whole frames reach the sink.
  header->dwBufferLength -= header->dwBufferLength % device->format.nBlockAlign;
  header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
  device->queue.push_back(header);
#ifdef TESSALYN_TEST_HOOKS
  if (device->record) device->record->queued.store(static_cast<int>(device->queue.size()));
#endif
  device->wake.notify_all();
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutPause(HWAVEOUT device) {
  if (!IsOpen(device)) return MMSYSERR_INVALHANDLE;
  std::lock_guard<std::mutex> guard(device->lock);
  device->paused = true;
  device->sink->SetPaused(true);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutRestart(HWAVEOUT device) {
  if (!IsOpen(device)) return MMSYSERR_INVALHANDLE;
  std::lock_guard<std::mutex> guard(device->lock);
  device->paused = false;
  device->sink->SetPaused(false);
  device->wake.notify_all();
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutReset(HWAVEOUT device) {
  if (!IsOpen(device)) return MMSYSERR_INVALHANDLE;
  std::unique_lock<std::mutex> guard(device->lock);
  ReturnQueued(device);
  // From the callback the buffers are reported once it returns; elsewhere
  // they are reported before the reset returns.
  if (std::this_thread::get_id() != device->threadId)
    device->settled.wait(guard, [device] { return device->returned.empty() && !device->delivering; });
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutGetVolume(HWAVEOUT device, LPDWORD volume) {
  if (!IsOpen(device)) return MMSYSERR_INVALHANDLE;
  if (!volume) return MMSYSERR_INVALPARAM;
  std::lock_guard<std::mutex> guard(device->lock);
  *volume = device->volume;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutSetVolume(HWAVEOUT device, DWORD volume) {
  if (!IsOpen(device)) return MMSYSERR_INVALHANDLE;
  std::lock_guard<std::mutex> guard(device->lock);
  device->volume = volume;
#ifdef TESSALYN_TEST_HOOKS
  if (device->record) device->record->volume.store(volume);
#endif
  return MMSYSERR_NOERROR;
}
