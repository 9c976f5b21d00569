#pragma once
// The setting records of a flow command: cEdMove and cEdShot are held by
// cSlotPtr, cCondList through boost::shared_ptr. A copied command never shares a
// setting with its source: it gets fresh objects with the same values.
#include <boost/shared_ptr.hpp>

#include "stage/cond_list.h"
#include "stage/move.h"
#include "stage/shot.h"

// Sets a holder to empty.
template <class T>
void SharedPtrInit(boost::shared_ptr<T>& holder) {
    holder.reset();
}

// Makes a holder empty; the record is deleted when it was the last owner.
// An empty holder (most are) is left as it is.
template <class T>
void ReleaseShared(boost::shared_ptr<T>& holder) {
    if (holder.use_count() != 0) holder.reset();
}
template <class T>
void ReleaseShared(cSlotPtr<T>& holder) {
    holder.reset();
}

// dst gets a new setting with src's values, or becomes empty when src is empty.
void CloneEdMove(cSlotPtr<cEdMove>& dst, const cSlotPtr<cEdMove>& src);
void CloneEdShot(cSlotPtr<cEdShot>& dst, const cSlotPtr<cEdShot>& src);
void CloneCondList(boost::shared_ptr<cCondList>& dst, const boost::shared_ptr<cCondList>& src);
