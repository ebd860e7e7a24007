#pragma once
// One of the shell's user-interface objects for one item of a folder (its menu object, its data
// object...), or an empty reference.
#include <windows.h>
#include <shlobj.h>

#include "foldertree/ComRef.h"

namespace foldertree {

template <class T>
ComRef<T> ItemUIObject(HWND window, IShellFolder* folder, LPCITEMIDLIST item, REFIID iid) {
    ComRef<T> object;
    if (!folder || !item) return object;
    LPCITEMIDLIST items[] = {item};
    if (FAILED(folder->GetUIObjectOf(window, 1, items, iid, nullptr, object.PutVoid()))) object.Reset();
    return object;
}

}  // namespace foldertree
