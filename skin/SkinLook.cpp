// SPDX-FileCopyrightText: 2026 The Cindral developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/SkinLook.h"

#include <string>

#include "skin/SkinPicture.h"
#include "skin/SkinSettings.h"
#include "store/Convert.h"

namespace cindral {

std::string_view SkinLook::HeaderBytes() const {
  if (headerId < 2 || headerId > 9) return {};
  return SkinPictureBytes(
      static_cast<SkinPicture>(static_cast<int>(SkinPicture::kHeader2) + headerId - 2));
}

const SkinImage& SkinLook::HeaderImage() const {
  if (decodedHeaderId_ != headerId) {
    decodedHeader_ = SkinImage::FromBytes(HeaderBytes());
    decodedHeaderId_ = headerId;
  }
  return decodedHeader_;
}

void SkinLook::LoadHeader(int id) {
  if (id >= 2 && id <= 9) headerId = id;
}

void SkinLook::Load(SkinSettings* settings) {
  style = 1;
  pictureId = 1;
  colour = kDefaultColour;
  if (settings == nullptr) return;
  if (!settings->Exists()) {
    settings->CreateEmpty();
    return;
  }
  const int32_t storedColour = TextToInteger(settings->Read("color"));
  colour = storedColour == 0 ? kDefaultColour : static_cast<uint32_t>(storedColour);
  style = TextToInteger(settings->Read("style")) == 1 ? 1 : 2;
  const int32_t id = TextToInteger(settings->Read("picid"));
  if (id < 1 || id > 9) {
    pictureId = 1;
  } else {
    pictureId = id;
    LoadHeader(id);
  }
}

void SkinLook::PickThumbnail(int n, SkinSettings* settings) {
  style = 1;
  if (n == 1) {
    colour = kThumbnailColour;
    if (settings != nullptr) {
      settings->Write("picid", "1");
      settings->Write("style", "1");
      settings->Write("color", std::to_string(kThumbnailColour));
    }
  } else {
    if (settings != nullptr) {
      settings->Write("style", "1");
      settings->Write("picid", std::to_string(n));
    }
    LoadHeader(n);
  }
  pictureId = n;
}

void SkinLook::PickColour(uint32_t picked, SkinSettings* settings) {
  colour = picked;
  style = 2;
  if (settings != nullptr) {
    settings->Write("style", "2");
    settings->Write("color", std::to_string(picked));
  }
}

}  // namespace cindral
