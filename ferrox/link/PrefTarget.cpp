#include "ferrox/link/PrefTarget.h"

#include "ferrox/ferrox/Ferrox.h"

namespace Frx {

namespace {

bool CountLive() {
  if (!theFerrox.debug) return false;
  ++theFerrox.targetCount;
  return true;
}

}  // namespace

PrefTarget::PrefTarget() : count(0), released(0), counted_(CountLive()) {}

PrefTarget::PrefTarget(const PrefTarget&) : count(0), released(0), counted_(CountLive()) {}

PrefTarget& PrefTarget::operator=(const PrefTarget&) { return *this; }

PrefTarget::~PrefTarget() {
  if (theFerrox.debug && count != 0) {
    const char* name = GetReferName();
    theFerrox.Log("PrefTarget:参照されているにもかかわらず delete されました。%s refcnt = %d\n",
                  name ? name : "(null)", static_cast<int>(count));
  }
  if (counted_) --theFerrox.targetCount;
}

void PrefTarget::Release() { released = 1; }

void PrefTarget::SubRef() {
  if (count == 0) {
    // An unbalanced drop; wrapping would make the target immortal.
    if (theFerrox.debug) theFerrox.Log("PrefTarget:参照カウントが 0 のまま SubRef されました。\n");
    return;
  }
  if (--count == 0) DeleteThis();
}

void PrefTarget::DeleteCheck() {
  if (count == 0) DeleteThis();
}

}  // namespace Frx
