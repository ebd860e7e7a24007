// Folder tree benchmark, in one run under the real shell:
//  (a) a folder of 2,000 sub-folders expanded through the tree against a bare EnumObjects +
//      GetDisplayNameOf + GetAttributesOf loop over the same folder, with their ratio and what
//      the tree's two parses and two icon queries per item cost on their own;
//  (b) SelectPath of a path 12 levels deep, in a fresh tree and again in the same tree.
//   pictavo_folder_tree_benchmark
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "foldertree/FTVEX_D3.h"
#include "foldertree/OleSession.h"
#include "foldertree/ShellItems.h"
#include "tests/win/TestFolder.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace foldertree;

constexpr int kFolders = 2000;
constexpr int kDepth = 12;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

class HostForm : public toolkit::Form {
public:
    HostForm() { CreateForm("Folder tree benchmark", 300, 400, toolkit::FormPosition::ScreenCenter); }
    ~HostForm() override { Destroy(); }
};

std::string TempFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "pictavo-tree-bench";
}

int Components(const std::string& path) {
    int count = 0;
    for (char c : path) count += c == '\\';
    return path.back() == '\\' ? count : count + 1;
}

// The items of a folder, the bare way: names and attributes only.
int BareLoop(const std::string& folder, Clock::duration& took) {
    const auto start = Clock::now();
    const ItemIdList list = PathToIDList(folder);
    const ComRef<IShellFolder> desktop = DesktopFolder();
    const ComRef<IShellFolder> shellFolder = BindToFolder(desktop.Get(), list.Get());
    ComRef<IEnumIDList> items;
    int count = 0;
    if (shellFolder && shellFolder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, items.Put()) == S_OK) {
        ItemIdList item;
        ULONG fetched = 0;
        while (items->Next(1, item.Put(), &fetched) == S_OK) {
            std::string name;
            ItemDisplayName(shellFolder.Get(), item.Get(), SHGDN_INFOLDER, name);
            ItemAttributes(shellFolder.Get(), item.Get(), kItemAttributeQuery);
            ++count;
        }
    }
    took = Clock::now() - start;
    return count;
}

// What the tree adds per item: the parse test, the absolute list, the two icon queries.
void ExtraCosts(const std::string& folder, Clock::duration& parses, Clock::duration& icons) {
    const ItemIdList list = PathToIDList(folder);
    const ComRef<IShellFolder> desktop = DesktopFolder();
    const ComRef<IShellFolder> shellFolder = BindToFolder(desktop.Get(), list.Get());
    ComRef<IEnumIDList> items;
    std::vector<ItemIdList> children;
    if (!shellFolder || shellFolder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, items.Put()) != S_OK) return;
    ItemIdList item;
    ULONG fetched = 0;
    while (items->Next(1, item.Put(), &fetched) == S_OK) children.push_back(std::move(item));
    auto start = Clock::now();
    std::vector<ItemIdList> absolutes;
    for (const auto& child : children) {
        IsParseableItem(shellFolder.Get(), child.Get());
        absolutes.push_back(ItemAbsoluteID(shellFolder.Get(), child.Get()));
    }
    parses = Clock::now() - start;
    start = Clock::now();
    for (const auto& absolute : absolutes) {
        int normal = 0, open = 0;
        ItemIconIndexes(absolute.Get(), normal, open);
    }
    icons = Clock::now() - start;
}

}  // namespace

int main() {
    OleSession ole;
    toolkit::Application::Instance().Initialize();
    const std::string base = TempFolder();
    testsupport::RemoveTree(base);
    CreateDirectoryA(base.c_str(), nullptr);
    const std::string big = base + "\\BIG";
    CreateDirectoryA(big.c_str(), nullptr);
    char name[32];
    for (int i = 0; i < kFolders; ++i) {
        std::snprintf(name, sizeof name, "\\F%04d", i);
        CreateDirectoryA((big + name).c_str(), nullptr);
    }
    std::string deep = base + "\\DEEP";
    CreateDirectoryA(deep.c_str(), nullptr);
    for (int level = 1; Components(deep) < kDepth; ++level) {
        deep += "\\L" + std::to_string(level);
        CreateDirectoryA(deep.c_str(), nullptr);
    }

    Clock::duration bare{};
    BareLoop(big, bare);  // warms the shell's caches for both runs
    const int bareCount = BareLoop(big, bare);

    HostForm form;
    form.Show();
    Clock::duration expand{};
    int treeCount = 0;
    {
        TFolderTreeViewEx tree;
        tree.SetRootFolder(rfManual);
        tree.SetRootFolderName(base);
        tree.Create(form, {0, 0, 300, 400});
        toolkit::TTreeNode* bigNode = nullptr;
        for (auto* node = tree.GetFirstNode()->GetFirstChild(); node; node = node->GetNextSibling())
            if (node->Text() == "BIG") bigNode = node;
        if (!bigNode) {
            std::printf("the tree does not show %s\n", big.c_str());
            return 1;
        }
        const auto start = Clock::now();
        bigNode->Expand(false);
        expand = Clock::now() - start;
        treeCount = bigNode->Count();
    }
    Clock::duration parses{}, icons{};
    ExtraCosts(big, parses, icons);

    std::printf("expanding %d sub-folders: tree %.0f ms (%d nodes), bare loop %.0f ms (%d items), ratio %.1f\n",
                kFolders, Milliseconds(expand), treeCount, Milliseconds(bare), bareCount,
                Milliseconds(expand) / Milliseconds(bare));
    std::printf("  of which two parses per item %.0f ms, two icon queries per item %.0f ms\n",
                Milliseconds(parses), Milliseconds(icons));

    for (int run = 0; run < 2; ++run) {
        TFolderTreeViewEx tree;
        tree.Create(form, {0, 0, 300, 400});
        auto start = Clock::now();
        const bool found = tree.SelectPath(deep);
        const double first = Milliseconds(Clock::now() - start);
        start = Clock::now();
        tree.SelectPath(deep);
        const double again = Milliseconds(Clock::now() - start);
        std::printf("SelectPath of a path %d levels deep (%s): %.0f ms in a fresh tree, %.0f ms again (%s)\n",
                    Components(deep), deep.c_str(), first, again, found ? "found" : "NOT FOUND");
    }
    testsupport::RemoveTree(base);
    return 0;
}
