// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/Ipa.h"

#include <dlfcn.h>

#include <map>
#include <mutex>

#include "lookup/SyllableStress.h"
#include "store/Gbk.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace cindral {
namespace {

// The engine's interface, as its header declares it.
constexpr int kOutputSynchronous = 2;        // AUDIO_OUTPUT_SYNCHRONOUS: no sound device
constexpr int kInitialiseDontExit = 0x8000;  // espeakINITIALIZE_DONT_EXIT
constexpr int kCharsUtf8 = 1;                // espeakCHARS_UTF8
constexpr int kPhonemesIpa = 0x02;           // espeakPHONEMES_IPA
using InitialiseFn = int (*)(int output, int bufferMs, const char* path, int options);
using SetVoiceFn = int (*)(const char* name);
using ToPhonemesFn = const char* (*)(const void** text, int textMode, int phonemeMode);
using TerminateFn = int (*)();

// The engine keeps its state in the process: it is loaded and started once,
// for every Ipa that asks for it, stays for the life of the process (ending
// it under one Ipa would end it under all the others) and is used by one
// caller at a time.
std::mutex& EngineLock() {
  static std::mutex lock;
  return lock;
}

// The engine keeps some of what it allocates while it starts and reads,
// even after it has been told to finish; in a sanitized build, what it
// allocates inside a call is not counted as this program's leak. (Its
// library is loaded late, so the sanitizer cannot tell it by name.)
class EngineCall {
 public:
#if defined(__SANITIZE_ADDRESS__)
  EngineCall() { __lsan_disable(); }
  ~EngineCall() { __lsan_enable(); }
#else
  EngineCall() = default;
#endif
  EngineCall(const EngineCall&) = delete;
  EngineCall& operator=(const EngineCall&) = delete;
};

}  // namespace

struct Ipa::Engine {
  ToPhonemesFn toPhonemes = nullptr;
};

namespace {

// The engine started from `library`, or null where it cannot be. The
// caller holds EngineLock().
const Ipa::Engine* StartedEngine(const std::string& library) {
  static std::map<std::string, std::optional<Ipa::Engine>> started;
  auto found = started.find(library);
  if (found != started.end()) return found->second ? &*found->second : nullptr;
  std::optional<Ipa::Engine>& engine = started[library];
  void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return nullptr;
  auto initialise = reinterpret_cast<InitialiseFn>(::dlsym(handle, "espeak_Initialize"));
  auto setVoice = reinterpret_cast<SetVoiceFn>(::dlsym(handle, "espeak_SetVoiceByName"));
  auto toPhonemes = reinterpret_cast<ToPhonemesFn>(::dlsym(handle, "espeak_TextToPhonemes"));
  auto terminate = reinterpret_cast<TerminateFn>(::dlsym(handle, "espeak_Terminate"));
  // The rate it answers with is the engine's sample rate; below zero it
  // found no data.
  EngineCall call;
  if (initialise == nullptr || setVoice == nullptr || toPhonemes == nullptr ||
      initialise(kOutputSynchronous, 0, nullptr, kInitialiseDontExit) <= 0 ||
      setVoice("en-us") != 0) {
    if (terminate != nullptr && initialise != nullptr) terminate();
    ::dlclose(handle);
    return nullptr;
  }
  engine = Ipa::Engine{toPhonemes};
  return &*engine;
}

}  // namespace

Ipa::Ipa(std::string library) : library_(std::move(library)) {}

Ipa::~Ipa() = default;

bool Ipa::Load() {
  tried_ = true;
  std::lock_guard<std::mutex> hold(EngineLock());
  engine_ = StartedEngine(library_);
  return engine_ != nullptr;
}

bool Ipa::Available() {
  if (!tried_) Load();
  return engine_ != nullptr;
}

std::optional<std::string> Ipa::Of(const std::string& word) {
  if (!Available()) return std::nullopt;
  const std::string utf8 = GbkToUtf8(word);
  if (utf8.find_first_not_of(" \t") == std::string::npos) return std::nullopt;
  std::string ipa;
  std::lock_guard<std::mutex> hold(EngineLock());
  // One clause at a time; the pointer moves on and becomes null at the end.
  const void* text = utf8.c_str();
  EngineCall call;
  while (text != nullptr) {
    const char* clause = engine_->toPhonemes(&text, kCharsUtf8, kPhonemesIpa);
    if (clause == nullptr) break;
    if (!ipa.empty() && *clause != '\0') ipa += ' ';
    ipa += clause;
  }
  const size_t first = ipa.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  return Utf8ToGbk(StressAtSyllableStart(ipa.substr(first, ipa.find_last_not_of(' ') - first + 1)));
}

}  // namespace cindral
