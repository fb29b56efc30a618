// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Guard.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <utility>

#include "core/FatalErrorMessage.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

void ExitProgram(int code) {
  // Settings and the word database are written through at once; only the
  // standard streams may still hold output.
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::exit(code);
}

ExitFunction& CurrentExitFunction() {
  static ExitFunction exit = ExitProgram;
  return exit;
}

}  // namespace

ExitFunction SetExitFunction(ExitFunction exit) {
  return std::exchange(CurrentExitFunction(), exit ? std::move(exit) : ExitFunction(ExitProgram));
}

void EndWithFatalError(Prompter& prompter, const FatalError& error) {
  prompter.Show(FatalErrorMessage(error));
  const ExitFunction exit = CurrentExitFunction();
  exit(-1);
}

FatalError CurrentFatalError() {
  try {
    throw;
  } catch (const FatalError& error) {
    return error;
  } catch (const std::exception& error) {
    return FatalError{0, Utf8ToGbk(error.what())};
  } catch (...) {
    return FatalError{0, GBK("未知错误")};
  }
}

void RunGuarded(Prompter& prompter, const std::function<void()>& handler) {
  FatalError error;
  try {
    handler();
    return;
  } catch (...) {
    error = CurrentFatalError();
  }
  // Outside the catch block: the box runs a nested event loop.
  EndWithFatalError(prompter, error);
}

}  // namespace cindral
