#include "app/Program.h"

#include "store/DateTime.h"
#include "store/Gbk.h"

namespace cindral {

double Program::Today() const { return DatePart(CurrentDateTime(clock)); }

std::string Program::ReadConfig(const std::string& key) const {
  return settings.ReadSetting("Config", key);
}

int32_t Program::ReadConfigInt(const std::string& key) const {
  return settings.ReadSettingInt("Config", key);
}

void Program::WriteConfig(const std::string& key, const std::string& text) {
  settings.WriteSetting("Config", key, text);
}

void Program::SetReviewPosition(int32_t position) {
  state.ReviewPosition = position;
  WriteConfig("reviewnumber", IntegerToText(position));
}

}  // namespace cindral
