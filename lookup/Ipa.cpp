#include "lookup/Ipa.h"

#include <dlfcn.h>

#include <mutex>

#include "store/Gbk.h"

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

// The engine keeps its state in the process: one caller at a time.
std::mutex& EngineLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace

struct Ipa::Engine {
  void* handle = nullptr;
  ToPhonemesFn toPhonemes = nullptr;
  TerminateFn terminate = nullptr;
};

Ipa::Ipa(std::string library) : library_(std::move(library)) {}

Ipa::~Ipa() {
  if (!engine_) return;
  std::lock_guard<std::mutex> hold(EngineLock());
  if (engine_->terminate != nullptr) engine_->terminate();
  ::dlclose(engine_->handle);
}

bool Ipa::Load() {
  tried_ = true;
  void* handle = ::dlopen(library_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return false;
  auto initialise = reinterpret_cast<InitialiseFn>(::dlsym(handle, "espeak_Initialize"));
  auto setVoice = reinterpret_cast<SetVoiceFn>(::dlsym(handle, "espeak_SetVoiceByName"));
  auto toPhonemes = reinterpret_cast<ToPhonemesFn>(::dlsym(handle, "espeak_TextToPhonemes"));
  auto terminate = reinterpret_cast<TerminateFn>(::dlsym(handle, "espeak_Terminate"));
  std::lock_guard<std::mutex> hold(EngineLock());
  // The rate it answers with is the engine's sample rate; below zero it
  // found no data.
  if (initialise == nullptr || setVoice == nullptr || toPhonemes == nullptr ||
      initialise(kOutputSynchronous, 0, nullptr, kInitialiseDontExit) <= 0 ||
      setVoice("en-us") != 0) {
    if (terminate != nullptr && initialise != nullptr) terminate();
    ::dlclose(handle);
    return false;
  }
  engine_ = std::make_unique<Engine>(Engine{handle, toPhonemes, terminate});
  return true;
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
  while (text != nullptr) {
    const char* clause = engine_->toPhonemes(&text, kCharsUtf8, kPhonemesIpa);
    if (clause == nullptr) break;
    if (!ipa.empty() && *clause != '\0') ipa += ' ';
    ipa += clause;
  }
  const size_t first = ipa.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  return Utf8ToGbk(ipa.substr(first, ipa.find_last_not_of(' ') - first + 1));
}

}  // namespace cindral
