#pragma once
// The hourglass is one on/off state for the whole screen, not a stack: setting it twice
// and clearing it once leaves the normal pointer, as the original's MousePointer did.

namespace zav {

void SetHourglass(bool on);
bool IsHourglass();

} // namespace zav
