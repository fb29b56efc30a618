// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/DictionaryAddresses.h"

#include "core/Settings.h"

namespace cindral {

const DictionaryBases& DefaultDictionaryBases() {
  static const DictionaryBases bases{"http://dict.bing.com.cn", "http://dict.youdao.com",
                                     "http://www.dreye.com"};
  return bases;
}

DictionaryBases ReadDictionaryBases(const Settings& settings) {
  DictionaryBases bases = DefaultDictionaryBases();
  const char* keys[kDictionaryPages] = {"base1", "base2", "base3"};
  for (int i = 0; i < kDictionaryPages; ++i) {
    std::string configured = settings.ReadSetting("Dictionary", keys[i]);
    if (!configured.empty()) bases[i] = std::move(configured);
  }
  return bases;
}

DictionaryAddresses BuildDictionaryAddresses(const std::string& word,
                                             const DictionaryBases& bases) {
  return {
      bases[kBingPage] + "/#" + word,
      bases[kYoudaoPage] + "/search?q=" + word + "&ue=utf8&keyfrom=dict.index#le%3Deng%26q%3D" +
          word + "%26tab%3D%26keyfrom%3Ddict.top",
      bases[kDreyePage] + "/ews/" + word + "--01--.html",
  };
}

std::string EncodeAddressForView(const std::string& address) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(address.size());
  for (const char c : address) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 || byte <= 0x20 || byte == 0x7F) {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    } else {
      encoded += c;
    }
  }
  return encoded;
}

}  // namespace cindral
