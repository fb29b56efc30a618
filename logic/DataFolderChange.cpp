// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "logic/DataFolderChange.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "core/Backups.h"
#include "core/Settings.h"
#include "core/UserConfiguration.h"
#include "core/WholeFiles.h"
#include "logic/OwnFiles.h"
#include "store/DateTime.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

const std::string& Caption() {
  static const std::string caption = GBK("更换单词本文件夹");
  return caption;
}

// The folder as the system names it (links followed), GBK; as given when
// it cannot be resolved.
std::string Resolved(const std::string& gbkFolder) {
  const std::unique_ptr<char, void (*)(void*)> real(
      ::realpath(GbkToUtf8(gbkFolder).c_str(), nullptr), &::free);
  return real ? Utf8ToGbk(real.get()) : gbkFolder;
}

// The learner's files copied from `copy` (a backup folder) into `folder`,
// each whole; the plan table and the import note from `from`.
bool CopyInto(const std::string& copy, const std::string& from, const std::string& folder,
              std::string* reason) {
  const std::string book = GBK("单词本");
  // The book comes last: a folder where it stands holds the rest.
  const std::pair<std::string, std::string> files[] = {
      {copy + "/" + book + ".EDT", folder + "/" + book + ".EDT"},
      {copy + "/Config.ini", folder + "/Config.ini"},
      {from + "/" + GBK("艾宾浩斯.txt"), folder + "/" + GBK("艾宾浩斯.txt")},
      {from + "/" + book + ".EDB-import", folder + "/" + book + ".EDB-import"},
      {copy + "/" + book + ".EDB", folder + "/" + book + ".EDB"},
  };
  for (const auto& [source, target] : files) {
    if (!PathExists(source)) continue;
    if (!CopyFileWhole(GbkToUtf8(source), GbkToUtf8(target), /*replace=*/false)) {
      *reason = target + GBK("（") + Utf8ToGbk(std::strerror(errno)) + GBK("）");
      return false;
    }
  }
  SyncDirectory(GbkToUtf8(folder));
  return true;
}

}  // namespace

void ChangeDataFolder(Program& program) {
  Prompter& prompter = program.prompter();
  const std::string current = program.settings().programDirectory();
  const std::string chosen = program.shell().ChooseFolder(GBK("选择存放单词本的文件夹"), current);
  if (chosen.empty()) return;
  const std::string target = Resolved(chosen);
  if (target == Resolved(current)) {
    prompter.Inform(GBK("单词本已经在这个文件夹里了。"), Caption());
    return;
  }
  const std::string config = program.configDirectory();
  const std::string endNote =
      GBK("Cindral 现在关闭，再次启动时就用 ") + target + GBK(" 里的单词本。");
  if (PathExists(target + "/" + GBK("单词本.EDB"))) {
    if (!prompter.Ask(GBK("这个文件夹里已经有一个单词本了。要改用那里的单词本吗？\n"
                          "两个单词本都不会被覆盖，现在的单词本留在 ") +
                          current + GBK(" 里。"),
                      Caption())) {
      return;
    }
  } else {
    if (!prompter.Ask(GBK("把单词本复制到 ") + target +
                          GBK("，以后就用那里的单词本吗？\n原来的文件留在 ") + current +
                          GBK(" 里，不会删除。"),
                      Caption())) {
      return;
    }
    std::string reason;
    if (!program.BackUp(&reason)) {
      prompter.Fail(GBK("复制之前的备份没有成功：") + reason + GBK("。单词本没有复制。"),
                    GBK("出错了"));
      return;
    }
    Backups there(target);
    const double now = CurrentDateTime(program.clock());
    if (!there.Take(program.db(), program.settings().Path(), now, &reason) ||
        there.List().empty() ||
        !CopyInto(there.Folder() + "/" + there.List().back(), current, target, &reason)) {
      prompter.Fail(GBK("单词本没能复制到 ") + target + GBK("：") + reason +
                        GBK("。还在用原来文件夹里的单词本。"),
                    GBK("出错了"));
      return;
    }
  }
  if (!KeepChosenDataFolder(config, target)) {
    prompter.Fail(GBK("没能记住新的文件夹（") + config + GBK("/cindral.ini：") +
                      Utf8ToGbk(std::strerror(errno)) + GBK("）。还在用原来文件夹里的单词本。"),
                  GBK("出错了"));
    return;
  }
  prompter.Inform(endNote, Caption());
  program.EndRun();
}

}  // namespace cindral
