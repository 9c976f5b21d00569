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

}  // namespace

void CloneEdMove(boost::shared_ptr<cEdMove>& dst, const boost::shared_ptr<cEdMove>& src) { CloneShared(dst, src); }
void CloneEdShot(boost::shared_ptr<cEdShot>& dst, const boost::shared_ptr<cEdShot>& src) { CloneShared(dst, src); }
void CloneCondList(boost::shared_ptr<cCondList>& dst, const boost::shared_ptr<cCondList>& src) {
    CloneShared(dst, src);
}
