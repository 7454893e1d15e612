// What a list view tells accessibility clients (screen readers) with
// NotifyWinEvent, always for OBJID_CLIENT, with the child ids of
// accessible.h.
//
// The focus event for the cursor row is raised whenever the view has the
// keyboard focus and the cursor row (or the entry on it) is not the one
// last announced, and when the view gets the focus: it is how a client
// finds the list in the first place, and it costs next to nothing while no
// client listens. The events about rows (selection, names, rows that came,
// went or moved) are raised only once a client has asked for the view's
// accessible object: a client that has never read the rows has nothing to
// bring up to date.
#ifndef ZUBO_LISTVIEW_WINEVENTS_WIN32_H
#define ZUBO_LISTVIEW_WINEVENTS_WIN32_H

#include "listview/change.h"
#include "listview/state_win32.h"

namespace zubo::listview {

// After a change (ApplyChange, before the parent's notification): the row
// events that `change` describes, then the focus event when the cursor row
// is new. False when a client's hook, called in the course of an event,
// destroyed the window: the caller then does nothing more.
[[nodiscard]] bool AnnounceChange(ListViewState *s, const ViewChange &change);

// WM_SETFOCUS: the cursor row is focused (the list itself on the end row).
void AnnounceFocusGained(ListViewState *s);
// WM_KILLFOCUS.
void NoteFocusLost(ListViewState *s);

}  // namespace zubo::listview

#endif
