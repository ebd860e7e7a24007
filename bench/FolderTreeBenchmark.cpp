// Folder tree benchmark, in one run under the real shell:
//  (a) folders of 2,000 and 8,000 sub-folders expanded through the tree as a click does (the
//      native tree's expand request, then its first paint), against the floor measured in the same
//      run: each name FindFirstFileW finds parsed by the folder's own IShellFolder. Both are taken
//      three times, taking turns, and the fastest of each is compared (the machine's load moves
//      both). Then each part of the expansion is run alone over the same items, per item beside
//      the floor, with what the same nodes cost a bare tree-view control;
//  (b) SelectPath of a path 12 levels deep in fresh trees (median and fastest of nine), again in
//      the same tree, and against the same path opened level by level from the top, each also
//      with the paint that follows.
//   pictavo_folder_tree_benchmark [select]      (select: part (b) alone)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foldertree/FTVEX_D3.h"
#include "foldertree/NodeComparers.h"
#include "foldertree/OleSession.h"
#include "foldertree/ShellItems.h"
#include "tests/win/TestFolder.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace foldertree;

constexpr int kSizes[] = {2000, 8000};
constexpr int kRounds = 3;
constexpr int kDepth = 12;
// The one part of an expansion the floor does too: each name parsed in its folder.
constexpr const char* kFloorsPart = "name, parse in the folder, AbsoluteID (the floor's part)";
constexpr double kGoal = 1.5;
constexpr std::size_t kRowsShown = 25;  // rows a 400-pixel tree shows

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

template <class Work>
double TimeOf(Work work) {
    const auto start = Clock::now();
    work();
    return Milliseconds(Clock::now() - start);
}

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

// The folder's shell folder, its own list and its items, as the tree enumerates them.
struct Listing {
    ItemIdList absolute;
    ComRef<IShellFolder> folder;
    std::vector<ItemIdList> items;
};

Listing ListFolder(const std::string& path) {
    Listing listing;
    listing.absolute = PathToIDList(path);
    const ComRef<IShellFolder> desktop = DesktopFolder();
    listing.folder = BindToFolder(desktop.Get(), listing.absolute.Get());
    ComRef<IEnumIDList> items;
    if (!listing.folder ||
        listing.folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, items.Put()) != S_OK)
        return listing;
    ItemIdList item;
    ULONG fetched = 0;
    while (items->Next(1, item.Put(), &fetched) == S_OK) listing.items.push_back(std::move(item));
    return listing;
}

// The floor: every sub-folder's name, as FindFirstFileW finds it, parsed by the folder's own
// IShellFolder. Gives the number of names parsed.
int ParseFloor(const std::string& path, IShellFolder* folder) {
    const std::wstring pattern = ToWide(path) + L"\\*";
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int parsed = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !wcscmp(found.cFileName, L".") ||
            !wcscmp(found.cFileName, L".."))
            continue;
        ItemIdList item;
        ULONG eaten = 0;
        if (SUCCEEDED(folder->ParseDisplayName(nullptr, nullptr, found.cFileName, &eaten, item.Put(), nullptr)))
            ++parsed;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return parsed;
}

toolkit::TTreeNode* ChildByCaption(toolkit::TTreeNode* parent, const char* caption) {
    for (auto* node = parent ? parent->GetFirstChild() : nullptr; node; node = node->GetNextSibling())
        if (node->Text() == caption) return node;
    return nullptr;
}

struct Row {
    const char* step;
    double ms;
};

void PrintRow(const Row& row, int items, double floor) {
    std::printf("  %-58s %8.1f ms %7.1f us/item %6.2f x floor\n", row.step, row.ms, row.ms * 1000.0 / items,
                row.ms / floor);
}

// One expansion in a fresh tree, as a click on the node's button asks for it, and the first paint.
struct Expansion {
    double expand = 0, paint = 0;
    int nodes = 0;
    bool sorted = false;
    double Total() const { return expand + paint; }
};

Expansion ExpandOnce(toolkit::Form& form, const std::string& base, const char* caption) {
    Expansion result;
    TFolderTreeViewEx tree;
    tree.SetRootFolder(rfManual);
    tree.SetRootFolderName(base);
    tree.Create(form, {0, 0, 300, 400});
    UpdateWindow(tree.Handle());
    toolkit::TTreeNode* node = ChildByCaption(tree.GetFirstNode(), caption);
    if (!node) return result;
    result.expand = TimeOf([&] { tree.Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node->ItemId())); });
    result.paint = TimeOf([&] { UpdateWindow(tree.Handle()); });
    result.nodes = node->Count();
    // The names were made in the shell's order: F00000, F00001, ...
    toolkit::TTreeNode* first = node->GetFirstChild();
    toolkit::TTreeNode* second = first ? first->GetNextSibling() : nullptr;
    result.sorted = second && first->Text() == "F00000" && second->Text() == "F00001";
    return result;
}

// What the same number of nodes costs a bare tree-view control of the same size: inserted into a
// closed node with drawing held, then opened and painted.
double BareControl(toolkit::Form& form, int count) {
    const HWND tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                                      WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0, 0,
                                      300, 400, form.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    TVINSERTSTRUCTA insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
    insert.item.pszText = const_cast<char*>("BIG");
    insert.item.cChildren = 1;
    const auto big = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    UpdateWindow(tree);
    const double ms = TimeOf([&] {
        SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
        char name[16];
        insert.hParent = big;
        insert.item.pszText = name;
        insert.item.cChildren = 0;
        for (int i = 0; i < count; ++i) {
            std::snprintf(name, sizeof name, "F%05d", i);
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
        }
        SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(big));
        UpdateWindow(tree);
    });
    DestroyWindow(tree);
    return ms;
}

// Each part of the expansion run alone over the same items.
void PrintParts(toolkit::Form& form, const std::string& big, const Expansion& best, double floor) {
    const Listing listing = ListFolder(big);
    const int items = static_cast<int>(listing.items.size());
    IShellFolder* folder = listing.folder.Get();
    std::vector<Row> rows;
    rows.push_back({"enumeration (EnumObjects, Next)", TimeOf([&] { ListFolder(big); })});
    rows.push_back({"attributes: all the record keeps", TimeOf([&] {
                        for (const auto& item : listing.items) ItemAttributes(folder, item.Get(), kItemAttributeQuery);
                    })});
    rows.push_back({"  SFGAO_HASSUBFOLDER alone", TimeOf([&] {
                        for (const auto& item : listing.items) ItemAttributes(folder, item.Get(), SFGAO_HASSUBFOLDER);
                    })});
    rows.push_back({"caption (GetDisplayNameOf in the folder)", TimeOf([&] {
                        std::string name;
                        for (const auto& item : listing.items) ItemDisplayName(folder, item.Get(), SHGDN_INFOLDER, name);
                    })});
    std::vector<std::unique_ptr<TTVITEMDATA>> records;
    const FolderItemLists lists(folder, listing.absolute.Get());
    rows.push_back({kFloorsPart, TimeOf([&] {
                        for (const auto& item : listing.items) lists.AbsoluteID(item.Get());
                    })});
    rows.push_back({"record (item copy, folder reference)", TimeOf([&] {
                        for (const auto& item : listing.items) {
                            records.push_back(std::make_unique<TTVITEMDATA>());
                            records.back()->ParentFolder = ComRef<IShellFolder>::Share(folder);
                            records.back()->RelativeID = CopyFirstItem(item.Get());
                        }
                    })});
    rows.push_back({"  overlay query, were every item asked", TimeOf([&] {
                        int overlay = 0;
                        for (const auto& item : listing.items) ItemOverlayIndex(folder, item.Get(), overlay);
                    })});
    // The shell's full icon lookup costs more the more items the folder holds: timed on a
    // screenful of rows and counted per item as if every item were asked. The tree asks it of no
    // plain folder: their icon is known from the attributes listed.
    const std::size_t shown = std::min<std::size_t>(kRowsShown, listing.items.size());
    const double iconsShown = TimeOf([&] {
        for (std::size_t i = 0; i < shown; ++i) {
            const ItemIdList absolute = ConcatLists(listing.absolute.Get(), listing.items[i].Get());
            ItemIconIndex(absolute.Get(), false);
        }
    });
    std::size_t plain = 0;
    const double plainShown = TimeOf([&] {
        for (std::size_t i = 0; i < shown; ++i)
            if (ShowsPlainFolderIcon(folder, listing.items[i].Get()) && PlainFolderIconIndex() >= 0) ++plain;
    });
    rows.push_back({"  the shell's full image lookup, were every item asked", iconsShown * items / shown});
    rows.push_back({"sort of the records in the shell's order (once)", TimeOf([&] {
                        std::stable_sort(records.begin(), records.end(), [](const auto& a, const auto& b) {
                            return CompareShellOrder(*a, *b) < 0;
                        });
                    })});
    TFolderTreeViewEx tree;
    tree.Create(form, {0, 0, 300, 400});
    toolkit::TTreeNode* scratch = nullptr;
    rows.push_back({"insertion into the tree, drawing held", TimeOf([&] {
                        scratch = tree.AddChild(nullptr, "scratch");
                        tree.PauseDrawing();
                        toolkit::TNodeLook look;
                        look.imageIndex = look.selectedIndex = I_IMAGECALLBACK;
                        for (int i = 0; i < items; ++i) tree.AddChild(scratch, "F00000", nullptr, look);
                        tree.ResumeDrawing();
                    })});
    rows.push_back({"native opening of the node (layout, scroll bars)", TimeOf([&] {
                        tree.Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(scratch->ItemId()));
                    })});
    rows.push_back({"first paint (rows shown: images, buttons, overlays)", best.paint});
    rows.push_back({"  of which image lookups of the rows shown (plain folders)", plainShown});
    rows.push_back({"  the shell's full image lookup of the same rows, not asked", iconsShown});
    double sum = 0;
    for (const Row& row : rows)
        if (row.step[0] != ' ') sum += row.ms;
    std::printf("  where the time goes, each part alone over the same %d items:\n", items);
    for (const Row& row : rows) PrintRow(row, items, floor);
    PrintRow({"sum of the parts (indented rows left out)", sum}, items, floor);
    PrintRow({"expansion and first paint, measured", best.Total()}, items, floor);
    PrintRow({"the floor: FindFirstFileW + ParseDisplayName in the folder", floor}, items, floor);
    PrintRow({"a bare tree-view control: the same nodes, opened, painted", BareControl(form, items)}, items, floor);
    // What is left above the floor, named: the largest part of ours (the parse is the floor's own)
    // and the shell's icon lookups.
    const Row* largest = nullptr;
    for (const Row& row : rows)
        if (row.step[0] != ' ' && std::string_view(row.step) != kFloorsPart && (!largest || row.ms > largest->ms)) largest = &row;
    if (largest)
        std::printf("  largest part: %s, %.2f x the floor\n", largest->step, largest->ms / floor);
    std::printf("  images of the %d rows shown: %d plain folders, %.3f ms a row; the shell's full lookup "
                "(SHGetFileInfo of the list) would take %.1f ms a row\n",
                static_cast<int>(shown), static_cast<int>(plain), shown ? plainShown / double(shown) : 0.0,
                shown ? iconsShown / double(shown) : 0.0);
}

// (a) for one size: the folder made, floor and expansion taking turns, then the parts.
bool ExpandBigFolder(toolkit::Form& form, const std::string& base, int size) {
    char caption[32];
    std::snprintf(caption, sizeof caption, "BIG%d", size);
    const std::string big = base + "\\" + caption;
    CreateDirectoryA(big.c_str(), nullptr);
    char name[32];
    for (int i = 0; i < size; ++i) {
        std::snprintf(name, sizeof name, "\\F%05d", i);
        CreateDirectoryA((big + name).c_str(), nullptr);
    }
    const ItemIdList bigList = PathToIDList(big);
    const ComRef<IShellFolder> bigFolder = BindToFolder(DesktopFolder().Get(), bigList.Get());
    ListFolder(big);  // warms the shell's caches for every run below
    ParseFloor(big, bigFolder.Get());
    std::vector<double> floors;
    std::vector<Expansion> expansions;
    int parsed = 0;
    for (int round = 0; round < kRounds; ++round) {
        floors.push_back(TimeOf([&] { parsed = ParseFloor(big, bigFolder.Get()); }));
        expansions.push_back(ExpandOnce(form, base, caption));
    }
    floors.push_back(TimeOf([&] { parsed = ParseFloor(big, bigFolder.Get()); }));
    const double floor = *std::min_element(floors.begin(), floors.end());
    const Expansion best = *std::min_element(expansions.begin(), expansions.end(),
                                             [](const Expansion& a, const Expansion& b) { return a.Total() < b.Total(); });
    std::printf("expanding %d sub-folders (%d nodes, %s), fastest of %d:\n", size, best.nodes,
                best.sorted ? "in order" : "NOT IN ORDER", kRounds);
    std::printf("  expansion %.0f ms + first paint %.0f ms = %.0f ms (%.1f us/item); runs:", best.expand, best.paint,
                best.Total(), best.Total() * 1000 / size);
    for (const Expansion& e : expansions) std::printf(" %.0f", e.Total());
    std::printf("\n  floor (%d names parsed) %.0f ms (%.1f us/item); runs:", parsed, floor, floor * 1000 / size);
    for (double f : floors) std::printf(" %.0f", f);
    const double ratio = best.Total() / floor;
    std::printf("\n  ratio expansion + paint / floor %.2f (goal <= %.1f): %s\n", ratio, kGoal,
                ratio <= kGoal ? "met" : "NOT MET");
    PrintParts(form, big, best, floor);
    return best.nodes == size && best.sorted;
}

// The baseline of (b), in the same run: the path opened as the tree opened it before, level by
// level from the top under the native tree's own redraw switch.
double OpenTopDown(TFolderTreeViewEx& tree, const std::string& path) {
    return TimeOf([&] {
        tree.Send(WM_SETREDRAW, FALSE);
        const ItemIdList target = PathToIDList(path);
        toolkit::TTreeNode* node = tree.GetFirstNode()->GetFirstChild();  // the drives
        for (LPCITEMIDLIST rest = NextItem(target.Get()); node && rest; rest = NextItem(rest)) {
            const ItemIdList item = CopyFirstItem(rest);
            while (node && !SameItem(TFolderTreeViewEx::RecordOf(node)->ParentFolder.Get(),
                                     TFolderTreeViewEx::RecordOf(node)->RelativeID.Get(), item.Get()))
                node = node->GetNextSibling();
            if (!node || !NextItem(rest)) break;
            node->Expand(false);
            node = node->GetFirstChild();
        }
        if (node) tree.SetSelected(node);
        tree.Send(WM_SETREDRAW, TRUE);
    });
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// What the tree still has to draw, its frame and scroll bars included, drawn now.
double PaintOf(TFolderTreeViewEx& tree) {
    return TimeOf([&] { RedrawWindow(tree.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); });
}

// (b): fresh trees (computer folder at the top) take turns between SelectPath and the baseline;
// "again" is the same path selected again in the same tree.
void SelectDeepPath(toolkit::Form& form, const std::string& deep) {
    constexpr int kRuns = 9;
    std::vector<double> fresh, freshPainted, baseline, baselinePainted;
    for (int run = 0; run < kRuns; ++run) {
        TFolderTreeViewEx tree;
        tree.Create(form, {0, 0, 300, 400});
        PaintOf(tree);
        bool found = false;
        fresh.push_back(TimeOf([&] { found = tree.SelectPath(deep); }));
        freshPainted.push_back(fresh.back() + PaintOf(tree));
        const double again = TimeOf([&] { tree.SelectPath(deep); });
        TFolderTreeViewEx topDown;
        topDown.Create(form, {0, 0, 300, 400});
        PaintOf(topDown);
        baseline.push_back(OpenTopDown(topDown, deep));
        baselinePainted.push_back(baseline.back() + PaintOf(topDown));
        const bool same = topDown.Selected() && topDown.Selected()->Text() == tree.Selected()->Text();
        std::printf("SelectPath of a path %d levels deep (%s): %.0f ms in a fresh tree (%.0f ms with its paint), "
                    "%.0f ms again (%s); top down %.0f ms (%.0f ms) (%s)\n",
                    Components(deep), deep.c_str(), fresh.back(), freshPainted.back(), again,
                    found ? "found" : "NOT FOUND", baseline.back(), baselinePainted.back(),
                    same ? "same node" : "OTHER NODE");
    }
    const double median = Median(fresh);
    std::printf("SelectPath in a fresh tree, median of %d: %.0f ms (target <= 100 ms), fastest %.0f ms; "
                "opened top down %.0f ms; ratio %.2f\n",
                kRuns, median, *std::min_element(fresh.begin(), fresh.end()), Median(baseline),
                median / Median(baseline));
    std::printf("  with the paint that follows: %.0f ms against %.0f ms top down; ratio %.2f\n", Median(freshPainted),
                Median(baselinePainted), Median(freshPainted) / Median(baselinePainted));
}

}  // namespace

// "select" as the only argument runs part (b) alone.
int main(int argc, char** argv) {
    const bool selectOnly = argc > 1 && std::string(argv[1]) == "select";
    OleSession ole;
    toolkit::Application::Instance().Initialize();
    const std::string base = TempFolder();
    testsupport::RemoveTree(base);
    CreateDirectoryA(base.c_str(), nullptr);
    std::string deep = base + "\\DEEP";
    CreateDirectoryA(deep.c_str(), nullptr);
    for (int level = 1; Components(deep) < kDepth; ++level) {
        deep += "\\L" + std::to_string(level);
        CreateDirectoryA(deep.c_str(), nullptr);
    }
    HostForm form;
    form.Show();
    bool complete = true;
    if (!selectOnly)
        for (int size : kSizes) complete = ExpandBigFolder(form, base, size) && complete;
    SelectDeepPath(form, deep);
    testsupport::RemoveTree(base);
    return complete ? 0 : 1;
}
