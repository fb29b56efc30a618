// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DatabaseErrors.h"

#include <string>
#include <utility>
#include <vector>

#include "store/Database.h"
#include "store/Gbk.h"

namespace cindral {
namespace {

thread_local int32_t lastError = 0;

struct CodeText {
  int32_t code;
  const char* utf8;
};

constexpr CodeText kTexts[] = {
    {-1, "未知错误"},
    {-3, "指定文件未找到"},
    {-4, "无效的路径"},
    {-5, "打开文件过多"},
    {-6, "指定文件不能被访问"},
    {-7, "无效的文件号"},
    {-10, "文件指针定位失败"},
    {-11, "访问文件时硬件产生故障"},
    {-12, "访问文件时产生共享冲突"},
    {-13, "加锁文件失败"},
    {-14, "磁盘空间不够"},
    {-15, "已经到达文件尾"},
    {-21, "打开指定数据库失败"},
    {-22, "指定文件不是数据库文件"},
    {-23, "指定数据库文件版本太高，无法读入，请升级系统软件"},
    {-25, "已经越过数据库的首记录"},
    {-26, "已经越过数据库的末记录"},
    {-27, "当前未打开数据库"},
    {-28, "加锁失败"},
    {-29, "解锁失败"},
    {-35, "读入数据库辅助文件失败"},
    {-36, "数据库辅助文件的版本与数据库本身不一致"},
    {-37, "指定文件不是数据库辅助文件或已被损坏"},
    {-38, "指定数据库已经被打开"},
    {-45, "分配内存空间失败"},
    {-46, "读指定字段失败"},
    {-47, "写指定字段失败"},
    {-48, "数据库文件尺寸错误"},
    {-59, "访问数据库的辅助文件失败"},
    {-60, "现行记录不存在"},
    {-61, "指定字段不存在"},
    {-62, "读记录失败"},
    {-65, "取数据库记录数失败"},
    {-66, "未打开指定数据库"},
    {-67, "未设置当前数据库"},
    {-72, "所提供数据的类型与字段类型不匹配"},
};

}  // namespace

int32_t SetDatabaseError(int32_t code) {
  lastError = code;
  return code;
}

int32_t LastDatabaseError() { return lastError; }

const std::string& DatabaseErrorText(int32_t code) {
  // Converted once, on first use, for every code at the same time.
  static const std::vector<std::pair<int32_t, std::string>> texts = [] {
    std::vector<std::pair<int32_t, std::string>> all;
    for (const CodeText& t : kTexts) all.emplace_back(t.code, Utf8ToGbk(t.utf8));
    return all;
  }();
  for (const auto& entry : texts) {
    if (entry.first == code) return entry.second;
  }
  return texts.front().second;  // "未知错误"
}

}  // namespace cindral
