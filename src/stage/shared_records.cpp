#include "stage/shared_records.h"

namespace {

// Release dst, then give it a new record (through the class's factory) that
// takes every member of src's, registered or not.
template <class T>
void CloneShared(boost::shared_ptr<T>& dst, const boost::shared_ptr<T>& src) {
    const boost::shared_ptr<T> keep = src;  // src may be dst itself
    dst.reset();
    if (!keep) return;
    T::Create(dst);
    *dst = *keep;
}

// The same for a setting held alone (a holder cloned into itself keeps it).
template <class T>
void CloneOwned(cSlotPtr<T>& dst, const cSlotPtr<T>& src) {
    if (&dst == &src) return;
    dst.reset();
    if (!src) return;
    T::Create(dst);
    *dst = *src;
}

}  // namespace

void CloneEdMove(cSlotPtr<cEdMove>& dst, const cSlotPtr<cEdMove>& src) { CloneOwned(dst, src); }
void CloneEdShot(cSlotPtr<cEdShot>& dst, const cSlotPtr<cEdShot>& src) { CloneOwned(dst, src); }
void CloneCondList(boost::shared_ptr<cCondList>& dst, const boost::shared_ptr<cCondList>& src) {
    CloneShared(dst, src);
}
