// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The addresses of the three dictionary pages of a word, and what a page
// view has to send for them. No Qt: the same text reaches the view and the
// tests.
//
// The word goes into each address as it is stored: its GBK bytes, without
// any escaping, trimming or change of case. A view can carry only plain
// ASCII in an address, so before one is handed to it, the bytes an address
// cannot hold (0x80 and up, blanks, control bytes) are percent-encoded; the
// service thus receives the word's GBK bytes (冰 as %B1%F9). Everything else
// goes out as it stands, including the fixed pieces' own escapes ("%3D").

#include <array>
#include <string>

namespace cindral {

class Settings;

// The dictionaries, in the order of the card's tabs.
enum DictionaryPage { kBingPage = 0, kYoudaoPage = 1, kDreyePage = 2 };
constexpr int kDictionaryPages = 3;

// The base address (scheme and host, no trailing slash) of each service.
using DictionaryBases = std::array<std::string, kDictionaryPages>;
using DictionaryAddresses = std::array<std::string, kDictionaryPages>;

// The services' public hosts.
const DictionaryBases& DefaultDictionaryBases();

// The bases as configured: keys base1, base2, base3 of section Dictionary
// of the settings file, each replacing the default when it is not empty.
// Read at every call, like every other setting.
DictionaryBases ReadDictionaryBases(const Settings& settings);

// The three page addresses of `word` (GBK), in tab order:
//   必应词典   base1 + "/#" + word
//   有道词典   base2 + "/search?q=" + word + "&ue=utf8&keyfrom=dict.index#le%3Deng%26q%3D" +
//             word + "%26tab%3D%26keyfrom%3Ddict.top"
//   译典通词典 base3 + "/ews/" + word + "--01--.html"
DictionaryAddresses BuildDictionaryAddresses(const std::string& word, const DictionaryBases& bases);

// An address as a view sends it: bytes from 0x80 up, blanks and control
// bytes (below 0x20, and 0x7F) become %XX with upper-case hex digits.
std::string EncodeAddressForView(const std::string& address);

}  // namespace cindral
