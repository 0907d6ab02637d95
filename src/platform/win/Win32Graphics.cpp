#include "platform/win/Win32Graphics.h"

// The loader: pictures decoded when asked for, or on a second thread ahead of the first paint.

#include <vector>

namespace corvela::win {

// The prefetch: one thread in its own apartment decodes the requests in order; the loader's
// thread waits on the condition for the one it asks for.
class Win32GraphicLoader::Batch {
 public:
  explicit Batch(std::vector<PictureRequest> requests) : slots_(requests.size()) {
    for (size_t i = 0; i < requests.size(); ++i) slots_[i].Request = std::move(requests[i]);
    thread_.reset(::CreateThread(nullptr, 0, &Batch::Run, this, 0, nullptr));
    // Without a thread nothing is prefetched: every load decodes for itself.
    if (!thread_) slots_.clear();
  }
  ~Batch() {
    if (!thread_) return;
    ::AcquireSRWLockExclusive(&lock_);
    closing_ = true;
    ::ReleaseSRWLockExclusive(&lock_);
    ::WakeAllConditionVariable(&done_);
    ::WaitForSingleObject(thread_.get(), INFINITE);
  }
  Batch(const Batch&) = delete;
  Batch& operator=(const Batch&) = delete;

  std::unique_ptr<WinGraphic> Take(const std::string& path, bool glyph) {
    ::AcquireSRWLockExclusive(&lock_);
    std::unique_ptr<WinGraphic> taken;
    for (Slot& slot : slots_) {
      if (slot.Taken || slot.Request.Glyph != glyph || slot.Request.Path != path) continue;
      while (!slot.Done) ::SleepConditionVariableSRW(&done_, &lock_, INFINITE, 0);
      slot.Taken = true;
      taken = std::move(slot.Graphic);
      break;
    }
    ::ReleaseSRWLockExclusive(&lock_);
    return taken;
  }

  bool Post(std::function<void()> job) {
    if (!thread_) return false;
    ::AcquireSRWLockExclusive(&lock_);
    const bool free = !job_ && !jobDone_ && !closing_;
    if (free) job_ = std::move(job);
    ::ReleaseSRWLockExclusive(&lock_);
    if (free) ::WakeAllConditionVariable(&done_);
    return free;
  }

  void WaitForJob() {
    ::AcquireSRWLockExclusive(&lock_);
    while (job_ && !jobDone_) ::SleepConditionVariableSRW(&done_, &lock_, INFINITE, 0);
    ::ReleaseSRWLockExclusive(&lock_);
  }

 private:
  struct Slot {
    PictureRequest Request;
    std::unique_ptr<WinGraphic> Graphic;
    bool Done = false;
    bool Taken = false;
  };

  static DWORD WINAPI Run(void* self) {
    static_cast<Batch*>(self)->DecodeAll();
    static_cast<Batch*>(self)->RunJob();
    return 0;
  }

  // Waits for a job or the end; the job runs outside the lock and stays set until the end, so
  // that WaitForJob can tell it ran.
  void RunJob() {
    ::AcquireSRWLockExclusive(&lock_);
    while (!job_ && !closing_) ::SleepConditionVariableSRW(&done_, &lock_, INFINITE, 0);
    std::function<void()> job = job_;
    ::ReleaseSRWLockExclusive(&lock_);
    if (!job) return;
    try {
      job();
    } catch (...) {
    }
    ::AcquireSRWLockExclusive(&lock_);
    jobDone_ = true;
    ::ReleaseSRWLockExclusive(&lock_);
    ::WakeAllConditionVariable(&done_);
  }

  void DecodeAll() {
    const bool com = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    {
      ComPtr<IWICImagingFactory> factory = MakeImagingFactory();
      for (Slot& slot : slots_) {
        // Requests are never changed after the start, so they are read without the lock. A slot
        // is done whatever happens: the loader's thread may be waiting for it.
        std::unique_ptr<WinGraphic> graphic;
        try {
          graphic = slot.Request.Glyph ? DecodeBitmapWith(factory.get(), slot.Request.Path)
                                       : DecodePictureWith(factory.get(), slot.Request.Path);
        } catch (...) {
          graphic.reset();
        }
        ::AcquireSRWLockExclusive(&lock_);
        slot.Graphic = std::move(graphic);
        slot.Done = true;
        ::ReleaseSRWLockExclusive(&lock_);
        ::WakeAllConditionVariable(&done_);
      }
    }
    if (com) ::CoUninitialize();
  }

  std::vector<Slot> slots_;
  std::function<void()> job_;
  bool jobDone_ = false;
  bool closing_ = false;
  SRWLOCK lock_ = SRWLOCK_INIT;
  CONDITION_VARIABLE done_ = CONDITION_VARIABLE_INIT;
  UniqueKernelHandle thread_;
};

Win32GraphicLoader::Win32GraphicLoader() = default;
Win32GraphicLoader::~Win32GraphicLoader() = default;

IWICImagingFactory* Win32GraphicLoader::Factory() {
  if (!factory_) factory_ = MakeImagingFactory();
  return factory_.get();
}

std::unique_ptr<WinGraphic> Win32GraphicLoader::DecodeBitmap(const std::string& path) {
  return DecodeBitmapWith(Factory(), path);
}

std::unique_ptr<WinGraphic> Win32GraphicLoader::DecodePicture(const std::string& path) {
  return DecodePictureWith(Factory(), path);
}

void Win32GraphicLoader::Prefetch(std::vector<PictureRequest> requests) {
  batch_.reset();
  if (!requests.empty()) batch_ = std::make_unique<Batch>(std::move(requests));
}

bool Win32GraphicLoader::RunAfterPrefetch(std::function<void()> job) {
  return batch_ && batch_->Post(std::move(job));
}

void Win32GraphicLoader::WaitForJob() {
  if (batch_) batch_->WaitForJob();
}

void Win32GraphicLoader::EndPrefetch() {
  batch_.reset();
}

std::unique_ptr<WinGraphic> Win32GraphicLoader::TakePrefetched(const std::string& path, bool glyph) {
  return batch_ ? batch_->Take(path, glyph) : nullptr;
}

// A picture the second thread could not decode is tried again here, so that nothing its
// apartment lacked ever drops a picture: only a broken file costs a second try.
std::unique_ptr<Graphic> Win32GraphicLoader::LoadGlyphBitmap(const std::string& path) {
  if (std::unique_ptr<WinGraphic> prefetched = TakePrefetched(path, true)) return prefetched;
  return DecodeBitmap(path);
}

std::unique_ptr<Graphic> Win32GraphicLoader::LoadPicture(const std::string& path) {
  if (std::unique_ptr<WinGraphic> prefetched = TakePrefetched(path, false)) return prefetched;
  return DecodePicture(path);
}

}  // namespace corvela::win
