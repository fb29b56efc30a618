#include "logic/WordBookWindowLogic.h"

#include "store/Convert.h"
#include "store/Gbk.h"
#include "store/WholeFileScope.h"
#include "store/WordRecord.h"

namespace cindral {

void WordBookWindowLogic::Opened() {
  text_.clear();
  // One lock for the walk, under which the book is read in large blocks.
  WholeFileScope scope(db_, WholeFileScope::Kind::Shared);
  db_.GoFirst();
  const int32_t count = db_.RecordCount();
  for (int32_t i = 0; i < count; ++i) {
    text_ += IntegerToText(ReadIntegerField(db_, kSerialNumber));
    text_ += ".  ";
    text_ += ReadTextField(db_, kWord);
    text_ += "   ";
    text_ += ReadTextField(db_, kMeaning);
    text_ += GBK("→");
    text_ += IntegerToText(ReadIntegerField(db_, kProficiency));
    text_ += "%\r\n";
    db_.Skip(1);
  }
}

}  // namespace cindral
