// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/FailurePage.h"

#include "store/Gbk.h"

namespace cindral {

std::string EscapeHtml(const std::string& utf8) {
  std::string escaped;
  escaped.reserve(utf8.size());
  for (const char c : utf8) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

namespace {

// The head and the word with its meaning, which both local pages begin with.
std::string WordPageStart(const std::string& word, const std::string& meaning) {
  const std::string shownWord = EscapeHtml(GbkToUtf8(word));
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
         "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
         "style-src 'unsafe-inline'\">"
         "<title>" +
         shownWord +
         "</title><style>"
         "body{font-family:'微软雅黑',sans-serif;margin:48px;color:#333}"
         "h1{font-size:32px;margin:0 0 12px}"
         "p.meaning{font-size:22px;margin:0 0 36px;white-space:pre-wrap}"
         "p.note{font-size:14px;color:#777}"
         "p.address{font-size:13px;color:#777;word-break:break-all}"
         "a{font-size:16px}"
         "p.ipa{font-size:20px;color:#555;margin:-24px 0 20px}"
         "div.entry{margin:0 0 28px;font-size:16px;line-height:1.5}"
         "p.source{font-size:13px;color:#777;margin:0 0 4px}"
         "div.chinese{margin:0 0 24px;font-size:20px}"
         "div.chinese p{margin:0}"
         "span.pinyin{font-size:15px;color:#777}"
         "div.entry h2{font-size:17px;margin:12px 0 2px}"
         "span.part{font-size:13px;color:#777;font-weight:normal}"
         "div.entry ol{margin:0;padding-left:24px}"
         "span.synonyms,span.example{display:block;font-size:14px;color:#666}"
         "span.example{font-style:italic}"
         "</style></head><body>"
         "<h1 id=\"word\">" +
         shownWord + "</h1><p class=\"meaning\" id=\"meaning\">" + EscapeHtml(GbkToUtf8(meaning)) +
         "</p>";
}

}  // namespace

std::string FailurePageHtml(const std::string& word, const std::string& meaning,
                            const std::string& address, const std::string& retryAddress,
                            const std::string& offlineEntry) {
  return WordPageStart(word, meaning) + offlineEntry +
         "<p class=\"note\">词典页面暂时无法打开（网络未连接，或词典服务不可用）。</p>"
         "<p class=\"address\" id=\"address\">" +
         EscapeHtml(GbkToUtf8(address)) + "</p><p><a id=\"retry\" href=\"" +
         EscapeHtml(retryAddress) + "\">重新打开词典页面</a></p></body></html>";
}

std::string LoadingPageHtml(const std::string& word, const std::string& meaning) {
  return WordPageStart(word, meaning) +
         "<p class=\"note\" id=\"loading\">正在打开词典页面……</p></body></html>";
}

}  // namespace cindral
