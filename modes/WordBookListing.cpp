#include "modes/WordBookListing.h"

#include "app/AppState.h"
#include "store/Convert.h"
#include "store/Gbk.h"

namespace cindral {

std::string BuildWordBookListing(Database& db) {
  std::string text;
  db.GoFirst();
  const int32_t count = db.RecordCount();
  for (int32_t i = 0; i < count; ++i) {
    text += IntegerToText(ReadIntegerField(db, kSerialNumber));
    text += ".  ";
    text += ReadTextField(db, kWord);
    text += "   ";
    text += ReadTextField(db, kMeaning);
    text += GBK("→");
    text += IntegerToText(ReadIntegerField(db, kProficiency));
    text += "%\r\n";
    db.Skip(1);
  }
  return text;
}

}  // namespace cindral
