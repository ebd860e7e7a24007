// The folder tree as a drop target, driven through its IDropTarget methods with data objects
// built here, and as a drag source.
#include <gtest/gtest.h>

#include "foldertree/DropSource.h"
#include "foldertree/DropTarget.h"
#include "foldertree/DroppedFiles.h"
#include "foldertree/ShellItems.h"
#include "tests/win/FileDropData.h"
#include "tests/win/FolderTreeHost.h"
#include "tests/win/TestFolder.h"
#include "toolkit/ModalTestHook.h"

using foldertree::TDropTargetObject;
using foldertree::TFolderTreeViewEx;
using testsupport::ChildByCaption;
using toolkit::TTreeNode;

namespace {

using Paths = std::vector<std::string>;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class FolderTreeDrop : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"Target", "Target\\Inner", "Target\\Inner\\Deep"})
            ASSERT_TRUE(CreateDirectoryA((folder / name).c_str(), nullptr));
        testsupport::WriteTextFile(source / "note.txt", "note");
    }
    void TearDown() override { toolkit::ModalTestHook::Clear(); }
    void CreateTree(const toolkit::Rect& bounds = {10, 10, 213, 241}) {
        host.tree.SetRootFolder(foldertree::rfManual);
        host.tree.SetRootFolderName(folder.Path());
        host.CreateTree(bounds);
        target = host.tree.DropTargetObject();
        ASSERT_NE(target, nullptr);
        target->SetClock([this] { return now; }, [this](DWORD ms) { pauses.push_back(ms); });
    }
    TTreeNode* Node(const char* caption) { return ChildByCaption(host.tree.GetFirstNode(), caption); }
    // A point on the node's caption, in screen coordinates.
    POINTL On(TTreeNode* node) {
        const RECT r = testsupport::CaptionRect(node);
        return Screen({r.left + 3, (r.top + r.bottom) / 2});
    }
    POINTL Screen(POINT client) {
        ClientToScreen(host.tree.Handle(), &client);
        return {client.x, client.y};
    }
    DWORD Enter(IDataObject* data, DWORD keys, POINTL at) {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        EXPECT_EQ(target->DragEnter(data, keys, at, &effect), S_OK);
        return effect;
    }
    DWORD Over(DWORD keys, POINTL at) {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        EXPECT_EQ(target->DragOver(keys, at, &effect), S_OK);
        return effect;
    }
    HTREEITEM Highlighted() {
        return reinterpret_cast<HTREEITEM>(host.tree.Send(TVM_GETNEXTITEM, TVGN_DROPHILITE, 0));
    }

    testsupport::TestFolder folder;
    testsupport::TestFolder source;
    testsupport::TreeHost host;
    TDropTargetObject* target = nullptr;
    DWORD now = 1000;
    std::vector<DWORD> pauses;
};

// A new folder whose path is exactly `length` characters long.
std::string MakeFolderOfLength(const std::string& parent, std::size_t length) {
    const std::string path = parent + "\\" + std::string(length - parent.size() - 1, 'y');
    const std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
    EXPECT_TRUE(CreateDirectoryW(wide.c_str(), nullptr)) << path;
    return path;
}

}  // namespace

// One parseable path of a length the read buffer holds is accepted: moved, or copied with Ctrl.
// Anything else, and every drag while DragAndDrop is off, shows no effect; the node under the
// pointer is highlighted whenever drops are on.
TEST_F(FolderTreeDrop, EffectsFollowTheDataTheKeysAndTheOption) {
    CreateTree();
    const std::string note = source / "note.txt";
    // Wine parses paths of up to 259 characters. A longer dropped path cut at the read buffer
    // would name the folder above it ("...\\"), which parses: it must be refused whole.
    const std::string longest = MakeFolderOfLength(source.Path(), 259);
    ASSERT_TRUE(foldertree::PathIsParseable(longest));
    ASSERT_TRUE(foldertree::PathIsParseable(longest + "\\"));
    const std::string tooLong = longest + "\\x";
    struct Case {
        const char* name;
        Paths paths;
        DWORD keys;
        bool dragAndDrop;
        DWORD effect;
    };
    const Case cases[] = {
        {"one path", {note}, 0, true, DROPEFFECT_MOVE},
        {"with Ctrl", {note}, MK_CONTROL | MK_LBUTTON, true, DROPEFFECT_COPY},
        {"longest path", {longest}, 0, true, DROPEFFECT_MOVE},
        {"path longer than the buffer", {tooLong}, 0, true, DROPEFFECT_NONE},
        {"two paths", {note, note}, 0, true, DROPEFFECT_NONE},
        {"no file list", {}, 0, true, DROPEFFECT_NONE},
        {"path that does not parse", {source / "missing.txt"}, 0, true, DROPEFFECT_NONE},
        {"drops off", {note}, 0, false, DROPEFFECT_NONE},
    };
    TTreeNode* node = Node("Target");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.tree.SetDragAndDrop(c.dragAndDrop);
        const auto data = testsupport::MakeFileDropData(c.paths);
        EXPECT_EQ(Enter(data.Get(), c.keys, On(node)), c.effect);
        EXPECT_EQ(Over(c.keys, On(node)), c.effect);
        EXPECT_EQ(Highlighted(), c.dragAndDrop ? node->ItemId() : nullptr);
        EXPECT_EQ(target->DragLeave(), S_OK);
        EXPECT_EQ(Highlighted(), nullptr);
    }
}

// The read buffer holds 260 ANSI bytes, which 130 double-byte characters of a wide list fill: a
// longer path is refused whole. (Wine's DragQueryFileA measures wide lists in bytes; the program does not count on it.)
TEST(DroppedFiles, APathIsTakenWhenItsAnsiFormFitsTheBuffer) {
    const struct { std::string path; bool wide, taken; } cases[] = {
        {"C:\\" + std::string(257, 'a'), false, true},  // 260 bytes
        {"C:\\" + std::string(258, 'a'), false, false},
        {"C:\\" + std::string(256, '\x81') + "a", true, true},  // 128 × ＝: 132 characters, 260 bytes
        {"C:\\" + std::string(256, '\x81') + "ab", true, false},
        {"C:\\" + std::string(200, '\x81') + "\\" + std::string(96, '\x81'), true, false},  // 152, 300
    };
    for (const auto& c : cases) {
        std::string path;
        EXPECT_EQ(foldertree::DroppedFiles(testsupport::MakeFileDropData({c.path}, c.wide).Get()).SinglePath(path),
                  c.taken) << c.path.size() << c.wide;
        EXPECT_EQ(path, c.taken ? c.path : "");
    }
}

// Zones are 11 pixels wide at each edge, reported only over a node.
TEST_F(FolderTreeDrop, EdgeZonesAreElevenPixelsWideAndOnlyOverNodes) {
    for (int i = 0; i < 12; ++i) CreateDirectoryA((folder / ("F" + std::to_string(i))).c_str(), nullptr);
    CreateTree({10, 10, 213, 150});
    RECT client{};
    GetClientRect(host.tree.Handle(), &client);
    const int right = client.right, bottom = client.bottom, middle = right / 2;
    using foldertree::kZoneBottom, foldertree::kZoneLeft, foldertree::kZoneOverNode, foldertree::kZoneRight,
        foldertree::kZoneTop;
    struct Case {
        int x, y;
        DWORD zone;
    };
    const Case cases[] = {
        {middle, 11, kZoneOverNode | kZoneTop},
        {middle, 12, kZoneOverNode},
        {middle, bottom - 12, kZoneOverNode},
        {middle, bottom - 11, kZoneOverNode | kZoneBottom},
        {11, 20, kZoneOverNode | kZoneLeft},
        {12, 20, kZoneOverNode},
        {right - 12, 20, kZoneOverNode},
        {right - 11, 20, kZoneOverNode | kZoneRight},
        {0, 0, kZoneOverNode | kZoneLeft | kZoneTop},
        {right - 1, bottom - 1, kZoneOverNode | kZoneRight | kZoneBottom},
    };
    for (const Case& c : cases) EXPECT_EQ(target->HitTestDropZone({c.x, c.y}), c.zone) << c.x << "," << c.y;

    // Below the last node nothing is reported, even at the edge.
    host.tree.GetFirstNode()->Collapse(false);
    EXPECT_EQ(target->HitTestDropZone({middle, bottom - 1}), 0u);
}

// In an edge zone the tree scrolls a line once more than 50 ms have passed, pausing 200 ms
// after each line; a move into the opposite zone turns round and restarts the delay.
TEST_F(FolderTreeDrop, EdgeZonesScrollAfterTheirDelay) {
    for (int i = 0; i < 12; ++i) CreateDirectoryA((folder / ("F" + std::to_string(i))).c_str(), nullptr);
    CreateTree({10, 10, 213, 150});
    RECT client{};
    GetClientRect(host.tree.Handle(), &client);
    const POINTL bottomZone = Screen({client.right / 2, client.bottom - 5});
    const POINTL topZone = Screen({client.right / 2, 5});
    const auto data = testsupport::MakeFileDropData({source / "note.txt"});
    TTreeNode* first = host.tree.GetFirstNode();
    Enter(data.Get(), 0, bottomZone);

    EXPECT_EQ(Over(0, bottomZone), DROPEFFECT_MOVE | DROPEFFECT_SCROLL);
    now += 50;
    Over(0, bottomZone);
    EXPECT_EQ(host.tree.TopItem(), first);
    EXPECT_TRUE(pauses.empty());
    now += 1;
    Over(0, bottomZone);
    TTreeNode* second = host.tree.TopItem();
    EXPECT_NE(second, first);
    EXPECT_EQ(pauses, (std::vector<DWORD>{200}));

    now += 1;
    Over(0, topZone);  // the delay starts again
    EXPECT_EQ(host.tree.TopItem(), second);
    now += 51;
    Over(0, topZone);
    EXPECT_EQ(host.tree.TopItem(), first);

    now += 100;
    EXPECT_EQ(Over(0, On(Node("F1"))), DROPEFFECT_MOVE);  // out of the zones: no more scrolling
    now += 100;
    Over(0, On(Node("F1")));
    EXPECT_EQ(host.tree.TopItem(), first);
    EXPECT_EQ(pauses.size(), 2u);
}

// A folder the pointer rests on for more than 1.5 s opens; the rest starts at the first
// DragOver that finds the pointer where the previous one did.
TEST_F(FolderTreeDrop, RestingOnAFolderOpensItAfterOneAndAHalfSeconds) {
    CreateTree();
    const auto data = testsupport::MakeFileDropData({source / "note.txt"});
    TTreeNode* node = Node("Target");
    ASSERT_FALSE(node->Expanded());
    Enter(data.Get(), 0, On(node));
    Over(0, On(node));  // arrives: still moving
    now += 700;
    Over(0, On(node));  // the rest starts here
    now += 1500;
    Over(0, On(node));
    EXPECT_FALSE(node->Expanded());
    now += 1;
    Over(0, On(node));
    EXPECT_TRUE(node->Expanded());

    // A move restarts the rest.
    TTreeNode* inner = ChildByCaption(node, "Inner");
    ASSERT_NE(inner, nullptr);
    Over(0, On(inner));
    now += 5000;
    Over(0, On(inner));
    EXPECT_FALSE(inner->Expanded());
    now += 1501;
    Over(0, On(inner));
    EXPECT_TRUE(inner->Expanded());
}

// A drop onto a folder node moves the file there through the shell, or copies it with Ctrl;
// with drops off nothing happens.
TEST_F(FolderTreeDrop, ADropMovesOrCopiesTheFileIntoTheFolder) {
    testsupport::WriteTextFile(folder / "box.zip", "zip");
    host.tree.SetShowFile(true);
    CreateTree();
    TFolderTreeViewEx::RecordOf(Node("box.zip"))->Attributes |= SFGAO_FOLDER;  // as Windows shows a .zip
    struct Case {
        const char* name;
        const char* onto;
        DWORD keys;
        bool dragAndDrop;
        bool arrives, stays;
    };
    const Case cases[] = {
        {"a folder item backed by a file takes nothing", "box.zip", 0, true, false, true},
        {"move", "Target", 0, true, true, false},
        {"copy with Ctrl", "Target", MK_CONTROL, true, true, true},
        {"drops off", "Target", 0, false, false, true},
    };
    const std::string note = source / "note.txt";
    const std::string arrived = folder / "Target\\note.txt";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::WriteTextFile(note, "note");
        DeleteFileA(arrived.c_str());
        host.tree.SetDragAndDrop(c.dragAndDrop);
        const auto data = testsupport::MakeFileDropData({note});
        const POINTL at = On(Node(c.onto));
        Enter(data.Get(), c.keys, at);
        Over(c.keys, at);
        DWORD effect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
        const HRESULT result = target->Drop(data.Get(), c.keys, at, &effect);
        EXPECT_EQ(SUCCEEDED(result), c.arrives);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));  // the source never deletes anything itself
        EXPECT_EQ(Exists(arrived), c.arrives);
        EXPECT_EQ(Exists(note), c.stays);
        if (c.arrives) {
            EXPECT_EQ(testsupport::ReadTextFile(arrived), "note");
        }
    }
    EXPECT_EQ(testsupport::ReadTextFile(folder / "box.zip"), "zip");
    EXPECT_FALSE(toolkit::ModalTestHook::Pending());

    // Onto the folder it is already in: nothing to do, and nothing to complain about.
    host.tree.SetDragAndDrop(true);
    testsupport::WriteTextFile(arrived, "own");
    const auto own = testsupport::MakeFileDropData({arrived});
    const POINTL at = On(Node("Target"));
    Enter(own.Get(), 0, at);
    bool messageShown = false;
    toolkit::ModalTestHook::OnNextModal([&](HWND box) {
        messageShown = true;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    DWORD effect = DROPEFFECT_MOVE;
    target->Drop(own.Get(), 0, at, &effect);
    EXPECT_FALSE(messageShown);
    EXPECT_EQ(testsupport::ReadTextFile(arrived), "own");
}

// ---- The drag source

// A drag offers the shell's own data object of the node's item: its file list names the path.
// The source goes on while a button is down, stops at Escape, drops once the buttons are up.
TEST_F(FolderTreeDrop, ADragOffersTheItemAndFollowsTheButtons) {
    CreateTree();
    const auto* record = TFolderTreeViewEx::RecordOf(Node("Target"));
    ASSERT_NE(record, nullptr);
    const auto data = foldertree::ItemDataObject(host.Handle(), record->ParentFolder.Get(), record->RelativeID.Get());
    EXPECT_EQ(testsupport::DroppedPathsOf(data.Get()), Paths{folder / "Target"});

    const POINTL over = On(Node("Target"));
    SetCursorPos(over.x, over.y);  // over this program: no refresh for another program's drop
    const auto source = foldertree::ComRef<IDropSource>::Adopt(new foldertree::TDropSourceObject(host.tree));
    struct Case {
        BOOL escape;
        DWORD keys;
        HRESULT answer;
    };
    const Case cases[] = {
        {FALSE, MK_LBUTTON, S_OK},
        {FALSE, MK_RBUTTON | MK_CONTROL, S_OK},
        {TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
        {FALSE, MK_CONTROL, DRAGDROP_S_DROP},
        {FALSE, 0, DRAGDROP_S_DROP},
    };
    for (const Case& c : cases) EXPECT_EQ(source->QueryContinueDrag(c.escape, c.keys), c.answer) << c.keys;
    for (DWORD effect : {DWORD{DROPEFFECT_NONE}, DWORD{DROPEFFECT_MOVE}, DWORD{DROPEFFECT_COPY | DROPEFFECT_SCROLL}})
        EXPECT_EQ(source->GiveFeedback(effect), DRAGDROP_S_USEDEFAULTCURSORS);
}

// A node dragged with the mouse (the native tree's begin-drag notification) goes through the
// platform's drag loop: released over a folder node of the same tree, the file moves into it.
// With drops off the native tree's notification starts nothing. (No button is held here, so the
// loop drops at once where the pointer is.)
TEST_F(FolderTreeDrop, DraggingAFileNodeOntoAFolderNodeMovesTheFile) {
    testsupport::WriteTextFile(folder / "moved.txt", "moved");
    host.tree.SetShowFile(true);
    CreateTree();
    for (bool dragAndDrop : {false, true}) {
        SCOPED_TRACE(dragAndDrop);
        host.tree.SetDragAndDrop(dragAndDrop);
        TTreeNode* file = Node("moved.txt");
        ASSERT_NE(file, nullptr);
        const POINTL over = On(Node("Target"));
        SetCursorPos(over.x, over.y);
        NMTREEVIEWA notification{};
        notification.hdr.hwndFrom = host.tree.Handle();
        notification.hdr.idFrom = GetDlgCtrlID(host.tree.Handle());
        notification.hdr.code = TVN_BEGINDRAGA;
        notification.itemNew.mask = TVIF_HANDLE;
        notification.itemNew.hItem = file->ItemId();
        EXPECT_EQ(host.Send(WM_NOTIFY, notification.hdr.idFrom, reinterpret_cast<LPARAM>(&notification)), 0);
        EXPECT_EQ(Exists(folder / "moved.txt"), !dragAndDrop);
        EXPECT_EQ(Exists(folder / "Target\\moved.txt"), dragAndDrop);
    }
}
