#pragma once
// A form holding one folder tree for a test, and helpers to look at the tree's nodes.
#include <memory>
#include <string>
#include <vector>

#include "foldertree/FTVEX_D3.h"
#include "toolkit/Form.h"

namespace testsupport {

class TreeHost : public toolkit::Form {
public:
    TreeHost();
    ~TreeHost() override;
    // Creates the tree (after the test set its properties) and records every OnChange.
    void CreateTree(const toolkit::Rect& bounds = {10, 10, 213, 241});
    foldertree::TFolderTreeViewEx tree;
    std::vector<std::string> changes;
};

// Captions of the children of `node` (the top-level nodes for nullptr), in tree order.
std::vector<std::string> ChildCaptions(const toolkit::TTreeNode* node, const foldertree::TFolderTreeViewEx& tree);
toolkit::TTreeNode* ChildByCaption(toolkit::TTreeNode* node, const std::string& caption);
std::string CurrentDirectory();
// The rectangle of a node's caption, in the tree's client coordinates.
RECT CaptionRect(const toolkit::TTreeNode* node);

}  // namespace testsupport
