// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Fields of HTML as the import shows and stores them: tags, line breaks,
// entities (named, decimal, hexadecimal, unknown) and sound references.

#include "book/ListDirectives.h"

#include <gtest/gtest.h>

namespace cindral {
namespace {

TEST(TextOfHtmlTest, MarkupBecomesTheTextItShows) {
  const struct {
    const char* html;
    const char* text;
  } cases[] = {
      {"a&lt;b&gt; &amp; &quot;c&quot; &#39;d&#39;", "a<b> & \"c\" 'd'"},
      {"&#x4E2D;&#25991;", "中文"},
      {"x<br/>y<BR >z", "x; y; z"},
      {"<div>a</div><div>b</div>", "a; b"},
      {"<p>one</p>\n<p>two</p>", "one; two"},
      {"<span style=\"color:red\">red</span>", "red"},
      {"&nbsp;a&nbsp;&nbsp;b&nbsp;", "a b"},
      {"&bogus; &#xZZ; & alone", "&bogus; &#xZZ; & alone"},
      {"a < b", "a < b"},
      {"[sound:x.mp3]hi[sound:y.mp3]", "hi"},
      {"<br><br>", ""},
      {"&#0;&#xD800;ok", "ok"},
  };
  for (const auto& c : cases) EXPECT_EQ(TextOfHtml(c.html), c.text) << c.html;
}

}  // namespace
}  // namespace cindral
