#include "SkinReadLog.h"

#include <utility>

namespace morvish {

namespace {

// Per thread, so that a check on one thread never hears another thread's drawing.
thread_local SkinReadObserver* gListener = nullptr;

}  // namespace

SkinReadObserver* ObserveSkinReads(SkinReadObserver* observer) {
    return std::exchange(gListener, observer);
}

SkinReadObserver* SkinReadListener() {
    return gListener;
}

}  // namespace morvish
