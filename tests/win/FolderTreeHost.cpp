#include "tests/win/FolderTreeHost.h"

#include <cstring>

namespace testsupport {

TreeHost::TreeHost() { CreateForm("FolderTreeHost", 400, 400, toolkit::FormPosition::ScreenCenter); }

TreeHost::~TreeHost() { Destroy(); }

void TreeHost::CreateTree(const toolkit::Rect& bounds) {
    tree.OnChange = [this](foldertree::TFolderTreeViewEx&, const std::string& folder) { changes.push_back(folder); };
    tree.Create(*this, bounds);
    Show();
}

std::vector<std::string> ChildCaptions(const toolkit::TTreeNode* node, const foldertree::TFolderTreeViewEx& tree) {
    std::vector<std::string> captions;
    for (auto* child = node ? node->GetFirstChild() : tree.GetFirstNode(); child; child = child->GetNextSibling())
        captions.push_back(child->Text());
    return captions;
}

toolkit::TTreeNode* ChildByCaption(toolkit::TTreeNode* node, const std::string& caption) {
    for (auto* child = node ? node->GetFirstChild() : nullptr; child; child = child->GetNextSibling())
        if (child->Text() == caption) return child;
    return nullptr;
}

std::string CurrentDirectory() {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

RECT CaptionRect(const toolkit::TTreeNode* node) {
    RECT r{};
    const HTREEITEM item = node->ItemId();
    std::memcpy(&r, &item, sizeof item);  // the message takes the item in the rectangle's place
    node->TreeView().Send(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
    return r;
}

}  // namespace testsupport
