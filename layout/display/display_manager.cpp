// DisplayManager: life, orientation, transforms and the direction keys.
#include "layout/display/display_manager.h"

#include "foundation/geometry/rotation_transform.h"
#include "foundation/language/localized_strings.h"
#include "layout/drawing/drawing_surface.h"

namespace {

bool IsOrientationCommand(int32_t command) { return command >= 74 && command <= 78; }

// Direction keys 1 up, 2 down, 3 left, 4 right and the vertical keys 9 and
// 10, as each rotation turns them (rows: the key; columns: the rotation).
uint8_t TurnedKey(uint8_t key, uint8_t rotation) {
  static constexpr uint8_t kTable[6][4] = {
      {1, 4, 3, 2}, {2, 3, 4, 1}, {3, 1, 2, 4}, {4, 2, 1, 3}, {1, 2, 1, 2}, {2, 1, 2, 1},
  };
  int row = key >= 1 && key <= 4 ? key - 1 : key == 9 ? 4 : key == 10 ? 5 : -1;
  if (row < 0 || rotation > 3) return key;
  return kTable[row][rotation];
}

}  // namespace

DisplayManager::~DisplayManager() { Detach(); }

// ---- Life

void DisplayManager::Attach(DrawingSurface* surface, DisplayHost* host, int32_t width, int32_t height, bool forced) {
  if (active_ || surface == nullptr) return;
  surface_ = surface;
  host_ = host;
  logicalWidth_ = width;
  logicalHeight_ = height;
  forced_ = forced ? 1 : 0;
  active_ = 1;
  enabled_ = 1;
  if (rotation_ == kUnset) rotation_ = 0;
  PrepareImage();
  surface_->SetDisplayManager(this);
  SelectDrawTarget(surface_, true);
  ComputeTransforms();
}

void DisplayManager::Detach() {
  if (surface_ == nullptr) return;
  EndScrolling();
  SelectDrawTarget(surface_, false);
  screenImage_.Release();
  ForgetPageImage();
  surface_->SetDisplayManager(nullptr);
  surface_ = nullptr;
  host_ = nullptr;
  active_ = 0;
  enabled_ = 0;
}

void DisplayManager::ReleaseBuffers() {
  EndScrolling();
  if (surface_ != nullptr) SelectDrawTarget(surface_, false);
  screenImage_.Release();
  ForgetPageImage();
}

void DisplayManager::SelectDrawTarget(DrawingSurface* surface, bool select) {
  if (surface == nullptr) return;
  MemoryBitmap* image = nullptr;
  if (select && active_ && enabled_) {
    if (drawingPageImage_ && pageImage_.IsValid()) {
      image = &pageImage_;
    } else if (screenImage_.IsValid()) {
      image = &screenImage_;
    }
  }
  if (image != nullptr) {
    surface->RedirectToDC(image->dc);
    redirected_ = 1;
  } else if (redirected_) {
    // Only our own redirection is undone: a target bitmap the surface's
    // owner chose stays.
    surface->RestoreDC();
    redirected_ = 0;
  }
}

MemoryBitmap* DisplayManager::OffscreenImage(Transform* toImage) {
  toImage->SetIdentity();
  return pageImageHeld_ && pageImage_.IsValid() ? &pageImage_ : nullptr;
}

// ---- Orientation

uint8_t DisplayManager::NextOrientation(uint8_t code) {
  switch (code) {
    case 0:
      return 2;
    case 2:
      return 3;
    case 3:
      return 1;
    case 1:
      return 0;
    default:
      return code;
  }
}

int32_t DisplayManager::CommandForOrientation(uint8_t code) {
  switch (code) {
    case 0:
      return 75;
    case 1:
      return 78;
    case 2:
      return 77;
    case 3:
      return 76;
    default:
      return kNoCommand;
  }
}

bool DisplayManager::HandleCommand(int32_t command) {
  const bool orientation = IsOrientationCommand(command);
  if (!orientation && (command < kStartScroll || command > kToggleScroll)) return false;
  uint8_t chosen = preferred_;
  switch (command) {
    case 74:
      chosen = NextOrientation(preferred_);
      break;
    case 75:
      chosen = 0;
      break;
    case 76:
      chosen = 3;
      break;
    case 77:
      chosen = 2;
      break;
    case 78:
      chosen = 1;
      break;
    default:
      break;
  }
  if (orientation && host_ != nullptr && host_->CanRotateDisplay()) {
    bool accepted = command == kNextOrientation ? host_->RotateToNextOrientation() : host_->SetDisplayOrientation(chosen);
    if (accepted) return true;
  }
  if (orientation && !enabled_) {
    preferred_ = chosen;
    if (host_ != nullptr) host_->StoreOrientation(chosen);
    return true;
  }
  if (!active_) return true;
  if (command == kToggleScroll) command = running_ ? kSettleScroll : kStartScroll;
  if (orientation) preferred_ = chosen;
  switch (command) {
    case kStartScroll:
      StartScrolling();
      break;
    case kStopScroll:
      StopScrolling(false);
      break;
    case kSettleScroll:
      StopScrolling(true);
      break;
    default: {
      uint8_t before = rotation_;
      rotation_ = EffectiveRotation(preferred_, false);
      bool repainted = ApplyOrientation(before != rotation_);
      if (host_ != nullptr) host_->StoreOrientation(rotation_);
      EndScrolling();
      InvalidateScreen(nullptr, false);
      if (!repainted) Redraw();
      return true;
    }
  }
  PrepareImage();
  return true;
}

uint8_t DisplayManager::EffectiveRotation(uint8_t preferred, bool forced) const {
  if (host_ == nullptr) return 0;
  bool allowed = false, allowedHere = false, stays = false;
  host_->QueryViewCapabilities(&allowed, &allowedHere, &stays);
  if (!allowed || !allowedHere) return 0;
  if (forced) return preferred;
  int32_t depth = host_->ColorDepth();
  return depth == 8 || depth == 16 || depth == 24 || depth == 32 ? preferred : 0;
}

bool DisplayManager::ApplyOrientation(bool changed) {
  if (surface_ == nullptr) return false;
  Size raw;
  surface_->GetClientSize(&raw, true);
  Size logical = raw;
  if (enabled_) logical.SwapForRotation(rotation_);
  bool resized = Resize(logical.width, logical.height);
  if (changed) surface_->Broadcast(rotation_);
  bool needsImage = (rotation_ != 0 && rotation_ != kUnset) || running_ || forced_;
  if (enabled_ && needsImage && !screenImage_.IsValid()) {
    EndScrolling();
    rotation_ = 0;
    resized = Resize(raw.width, raw.height) || resized;
    if (host_ != nullptr) host_->ShowError(kNotEnoughMemory);
  }
  if (resized) surface_->InvalidateRect(nullptr);
  return resized;
}

void DisplayManager::SetScreenSize(int32_t width, int32_t height) {
  Size size{width, height};
  if (enabled_) size.SwapForRotation(rotation_);
  if (Resize(size.width, size.height) && surface_ != nullptr) surface_->InvalidateRect(nullptr);
}

bool DisplayManager::Resize(int32_t width, int32_t height) {
  if (!active_) return false;
  const bool sizeChanged = width != logicalWidth_ || height != logicalHeight_;
  const bool hadImage = screenImage_.IsValid();
  logicalWidth_ = width;
  logicalHeight_ = height;
  if (enabled_ && sizeChanged) {
    ForgetPageImage();
    if (surface_ != nullptr) SelectDrawTarget(surface_, false);
    screenImage_.Release();
  }
  PrepareImage();
  ComputeTransforms();
  if (sizeChanged && host_ != nullptr) {
    Size client{width, height};
    if (!enabled_) client.SwapForRotation(preferred_);
    host_->SetClientRect(Rect{0, 0, client.width, client.height});
  }
  return sizeChanged || hadImage != screenImage_.IsValid();
}

void DisplayManager::UpdateMode() {
  if (!active_ || host_ == nullptr) return;
  bool allowed = false, allowedHere = false, stays = false;
  host_->QueryViewCapabilities(&allowed, &allowedHere, &stays);
  const bool wasEnabled = enabled_ != 0;
  enabled_ = stays ? 1 : 0;
  if (enabled_) {
    if (!wasEnabled) rotation_ = 0;
    uint8_t rotation = EffectiveRotation(preferred_, forced_ != 0);
    if (rotation != rotation_ || forced_ || !wasEnabled) {
      uint8_t before = rotation_;
      rotation_ = rotation;
      Size client;
      if (surface_ != nullptr) surface_->GetClientSize(&client, true);
      client.SwapForRotation(rotation_);
      host_->SetClientRect(Rect{0, 0, client.width, client.height});
      ApplyOrientation(before != rotation_);
    }
    return;
  }
  if (!wasEnabled) return;
  // Rotation has just been switched off: back to the real screen, upright.
  EndScrolling();
  if (surface_ != nullptr) {
    SelectDrawTarget(surface_, false);
    Size client;
    surface_->GetClientSize(&client, true);
    client.SwapForRotation(rotation_);
    host_->SetClientRect(Rect{0, 0, client.width, client.height});
  }
  if (rotation_ != kUnset) preferred_ = rotation_;
  rotation_ = kUnset;
  screenImage_.Release();
  ForgetPageImage();
  ComputeTransforms();
}

bool DisplayManager::PrepareImage() {
  if (!enabled_ || !active_ || surface_ == nullptr) return true;
  const bool turned = rotation_ != 0 && rotation_ != kUnset;
  if ((turned || running_ || forced_) && !screenImage_.IsValid()) {
    if (imageMode_ == 0) return false;
    if (imageMode_ == 1) ForgetPageImage();
    surface_->CreateDibBitmap(&screenImage_, Size{logicalWidth_, logicalHeight_});
    firstPaintPending_ = 1;
    return screenImage_.IsValid();
  }
  if (!forced_ && screenImage_.IsValid() && !turned && !running_) {
    SelectDrawTarget(surface_, false);
    screenImage_.Release();
  }
  return true;
}

// ---- Mapping

void DisplayManager::ComputeTransforms() {
  BuildOrientationTransforms(enabled_ ? rotation_ : 0, logicalWidth_, logicalHeight_, &toScreen_, &toSurface_);
}

bool DisplayManager::IsOrientationActive() const { return enabled_ && rotation_ != 0 && rotation_ != kUnset; }

Point DisplayManager::MapPoint(Point point, bool toSurface) const {
  if (!enabled_) return point;
  return toSurface ? toSurface_.MapPoint(point) : toScreen_.MapPoint(point);
}

Point DisplayManager::MapVector(Point vector, bool toSurface) const {
  if (!IsOrientationActive()) return vector;
  return toSurface ? toSurface_.MapVector(vector) : toScreen_.MapVector(vector);
}

void DisplayManager::TransformRect(Rect* rect, bool toSurface) const {
  if (!IsOrientationActive()) return;
  Rect in = *rect;
  (toSurface ? toSurface_ : toScreen_).MapRect(in, rect);
}

uint32_t DisplayManager::MapKey(uint32_t key) const {
  uint8_t rotation = enabled_ && rotation_ <= 3 ? rotation_ : 0;
  uint8_t low = TurnedKey(static_cast<uint8_t>(key & 0xFF), rotation);
  return (key & 0x700u) | low;
}

int32_t DisplayManager::ChooseByOrientation(int32_t code, int32_t up, int32_t down, int32_t left, int32_t right,
                                            int32_t value9, int32_t value10) const {
  if (code < 1 || (code > 4 && code != 9 && code != 10)) return kNoCommand;
  uint8_t rotation = enabled_ && rotation_ <= 3 ? rotation_ : 0;
  switch (TurnedKey(static_cast<uint8_t>(code), rotation)) {
    case 1:
      return code >= 9 ? value9 : up;
    case 2:
      return code >= 9 ? value10 : down;
    case 3:
      return left;
    case 4:
      return right;
    default:
      return kNoCommand;
  }
}

bool DisplayManager::HandleKey(const CommandEvent& event) { return HandleAutoscrollKey(event.command); }
