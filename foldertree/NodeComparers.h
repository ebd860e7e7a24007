#pragma once
// The two orders of sibling nodes (both records share one folder): the shell's own, and files
// before folders.
#include "foldertree/NodeRecord.h"

namespace foldertree {

// The folder's CompareIDs order; 0 when the folder cannot compare them.
int CompareShellOrder(const TTVITEMDATA& a, const TTVITEMDATA& b);
// Items without the folder attribute first, then the shell's order.
int CompareFilesFirst(const TTVITEMDATA& a, const TTVITEMDATA& b);

}  // namespace foldertree
