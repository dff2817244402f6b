#pragma once
// The file dialogs' filter text: "Name|pattern|Name|pattern" pairs to the NUL-separated list
// the dialog takes, and back to one pair of that list.
#include "host/vb_types.h"

namespace vx {

// Pairs separated by "|" or ":" become a NUL-separated, double-NUL-terminated list. A filter
// of 32,767 characters or more raises Overflow: the scan counts in 16 bits.
String filterList(const String& filter);

// The n-th (from 1) "name NUL pattern" pair of a list; empty when the list has no such pair.
String FilterItem(const String& list, Long n);

} // namespace vx
