#include "IOstWebcamOwner.h"

#include <mutex>
#include <set>

namespace {

std::mutex& OwnersLock() {
    static std::mutex lock;
    return lock;
}

std::set<const IOstWebcamOwner*>& Owners() {
    static std::set<const IOstWebcamOwner*> owners;
    return owners;
}

} // namespace

IOstWebcamOwner::IOstWebcamOwner() {
    std::lock_guard guard(OwnersLock());
    Owners().insert(this);
}

IOstWebcamOwner::~IOstWebcamOwner() {
    std::lock_guard guard(OwnersLock());
    Owners().erase(this);
}

bool IOstWebcamOwner::IsAlive(const IOstWebcamOwner* owner) {
    if (!owner)
        return false;
    std::lock_guard guard(OwnersLock());
    return Owners().count(owner) > 0;
}
