// The shell's context menu on the folder tree, answered by a test hook instead of a person, and
// the invisible verbs the drops are made of.
#include <gtest/gtest.h>

#include "foldertree/ComObject.h"
#include "foldertree/MenuItemText.h"
#include "foldertree/ShellItems.h"
#include "foldertree/ShellVerbs.h"
#include "tests/win/FileDropData.h"
#include "tests/win/FolderTreeHost.h"
#include "tests/win/TestFolder.h"
#include "tests/win/WindowTexts.h"
#include "toolkit/Application.h"
#include "toolkit/ModalTestHook.h"
#include "toolkit/TrackedMenuInput.h"

using foldertree::ComRef;
using foldertree::TFolderTreeViewEx;
using testsupport::ChildByCaption;
using testsupport::ChildCaptions;
using toolkit::ModalTestHook;
using toolkit::TTreeNode;

namespace {

using Captions = std::vector<std::string>;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A modal wait that ended before its hook timer fired leaves the timer behind: it must not
// answer the next test's windows.
void DrainModalHook() {
    ModalTestHook::Clear();
    Sleep(80);
    toolkit::Application::Instance().ProcessMessages();
}

// The command of a tracked menu whose canonical verb is `verb`, asked of the shell directly.
UINT CommandOfVerb(IContextMenu* object, HMENU menu, const std::string& verb) {
    for (int index = 0; index < GetMenuItemCount(menu); ++index) {
        const UINT command = GetMenuItemID(menu, index);
        char name[64] = {};
        if (command && command != static_cast<UINT>(-1) &&
            SUCCEEDED(object->GetCommandString(command - 1, GCS_VERBA, nullptr, name, sizeof name)) && verb == name)
            return command;
    }
    return 0;
}

// Answers the next modal window (a shell dialog or the control's message) with `command`,
// noting its caption and owner.
void AnswerModal(WPARAM command, std::string* caption = nullptr, HWND* owner = nullptr) {
    ModalTestHook::OnNextModal([=](HWND dialog) {
        if (caption) *caption = testsupport::WindowText(dialog);
        if (owner) *owner = GetWindow(dialog, GW_OWNER);
        PostMessageA(dialog, WM_COMMAND, command, 0);
    });
}

class ShellMenu : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"A", "B", "C"}) ASSERT_TRUE(CreateDirectoryA((folder / name).c_str(), nullptr));
    }
    void TearDown() override {
        DrainModalHook();
        OpenClipboard(nullptr);
        EmptyClipboard();
        CloseClipboard();
    }
    void CreateTree() {
        host.tree.SetRootFolder(foldertree::rfManual);
        host.tree.SetRootFolderName(folder.Path());
        host.CreateTree();
        root = host.tree.GetFirstNode();
    }
    TTreeNode* Node(const char* caption) { return ChildByCaption(root, caption); }
    // A press of the right button on the node's caption.
    void RightClick(TTreeNode* node) {
        const RECT r = testsupport::CaptionRect(node);
        RightClickAt(r.left + 3, (r.top + r.bottom) / 2);
    }
    void RightClickAt(int x, int y) { host.tree.Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y)); }
    // The next menu is answered by choosing the command of `verb`, or dismissed for "".
    void AnswerMenu(const std::string& verb) {
        ModalTestHook::OnNextModal([this, verb](HWND menuWindow) {
            ++menusShown;
            procedureWhileTracked = GetWindowLongPtrA(host.Handle(), GWLP_WNDPROC);
            // The owner's own messages still reach it while the menu is up.
            SetWindowTextA(host.Handle(), "while tracked");
            HMENU menu = toolkit::TrackedMenu(menuWindow);
            const UINT command = verb.empty() ? 0 : CommandOfVerb(host.tree.ShellMenu(), menu, verb);
            if (command)
                toolkit::ChooseTrackedMenuCommand(menuWindow, command);
            else
                toolkit::DismissTrackedMenu(menuWindow);
        });
    }
    void ExpectOwnerProcedureRestored() {
        EXPECT_EQ(GetWindowLongPtrA(host.Handle(), GWLP_WNDPROC), ownerProcedure);
        EXPECT_NE(procedureWhileTracked, ownerProcedure);
        EXPECT_EQ(testsupport::WindowText(host.Handle()), "while tracked");
    }

    testsupport::TestFolder folder;
    testsupport::TreeHost host;
    TTreeNode* root = nullptr;
    int menusShown = 0;
    LONG_PTR procedureWhileTracked = 0;
    LONG_PTR ownerProcedure = GetWindowLongPtrA(host.Handle(), GWLP_WNDPROC);
};

}  // namespace

// Cut and copy put the folder on the clipboard, properties shows the shell's sheet, a command
// the shell refuses shows the failure message (Wine's create-shortcut always fails; Windows
// would re-read the tree); none of them changes the tree, and a dismissed menu does nothing.
TEST_F(ShellMenu, CommandsThatKeepTheItemLeaveTheTreeAsItIs) {
    CreateTree();
    struct Case {
        const char* verb;
        WPARAM answer;  // to the window the command opens (0: none opens)
        Captions clipboard;
    };
    const Case cases[] = {
        {"cut", 0, {folder / "B"}},
        {"copy", 0, {folder / "B"}},
        {"properties", IDCANCEL, {}},
        {"link", IDOK, {}},
        {"", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verb);
        OpenClipboard(nullptr);
        EmptyClipboard();
        CloseClipboard();
        host.tree.SetSelected(Node("A"));
        host.changes.clear();
        menusShown = 0;
        AnswerMenu(c.verb);
        std::string caption;
        if (c.answer) AnswerModal(c.answer, &caption);
        RightClick(Node("B"));
        toolkit::Application::Instance().ProcessMessages();
        EXPECT_EQ(menusShown, 1);
        EXPECT_FALSE(ModalTestHook::Pending());
        EXPECT_EQ(host.changes, Captions{folder / "B"});  // selected before the menu opened
        EXPECT_EQ(ChildCaptions(root, host.tree), (Captions{"A", "B", "C"}));
        EXPECT_TRUE(Exists(folder / "B"));
        EXPECT_EQ(testsupport::ClipboardPaths(), c.clipboard);
        if (c.answer == IDOK) {
            EXPECT_EQ(caption, " FolderTreeViewEx component version 2.11");
        }
        ExpectOwnerProcedureRestored();
    }
}

// Delete asks first, in a shell dialog owned by the tree's window; the node goes only with the item.
TEST_F(ShellMenu, DeleteRemovesTheNodeOnlyWhenTheItemIsGone) {
    CreateTree();
    HWND owner = nullptr;
    AnswerMenu("delete");
    AnswerModal(IDNO, nullptr, &owner);
    RightClick(Node("B"));
    EXPECT_FALSE(ModalTestHook::Pending());
    EXPECT_EQ(owner, host.Handle());
    EXPECT_TRUE(Exists(folder / "B"));
    EXPECT_EQ(ChildCaptions(root, host.tree), (Captions{"A", "B", "C"}));

    AnswerMenu("delete");
    AnswerModal(IDYES);
    RightClick(Node("B"));
    EXPECT_FALSE(ModalTestHook::Pending());
    EXPECT_FALSE(Exists(folder / "B"));
    EXPECT_EQ(ChildCaptions(root, host.tree), (Captions{"A", "C"}));
    ExpectOwnerProcedureRestored();
}

// Without the context menu, or off the nodes, the right button shows nothing; off the nodes it
// leaves the selection alone as well.
TEST_F(ShellMenu, NoMenuWithoutTheOptionOrOffTheNodes) {
    CreateTree();
    host.tree.SetSelected(Node("A"));
    AnswerMenu("");
    RECT client{};
    GetClientRect(host.tree.Handle(), &client);
    RightClickAt(20, client.bottom - 3);  // below the last node
    toolkit::Application::Instance().ProcessMessages();
    EXPECT_EQ(menusShown, 0);
    EXPECT_EQ(host.tree.Selected(), Node("A"));

    host.tree.SetContextMenu(false);
    RightClick(Node("C"));
    toolkit::Application::Instance().ProcessMessages();
    EXPECT_EQ(menusShown, 0);
    EXPECT_TRUE(ModalTestHook::Pending());
    EXPECT_EQ(host.tree.Selected(), Node("C"));  // the tree's usual right click still selects
    EXPECT_EQ(GetWindowLongPtrA(host.Handle(), GWLP_WNDPROC), ownerProcedure);
}

// ---- Invisible verbs

namespace {

// A shell folder that answers every call as the real one does, but hides some attributes.
class MaskedFolder : public foldertree::ComObject<IShellFolder> {
public:
    MaskedFolder(IShellFolder* real, ULONG hidden) : ComObject(IID_IShellFolder), real_(ComRef<IShellFolder>::Share(real)), hidden_(hidden) {}
    HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND w, IBindCtx* b, LPWSTR n, ULONG* e, LPITEMIDLIST* l, ULONG* a) override { return real_->ParseDisplayName(w, b, n, e, l, a); }
    HRESULT STDMETHODCALLTYPE EnumObjects(HWND w, SHCONTF f, IEnumIDList** e) override { return real_->EnumObjects(w, f, e); }
    HRESULT STDMETHODCALLTYPE BindToObject(LPCITEMIDLIST l, IBindCtx* b, REFIID i, void** o) override { return real_->BindToObject(l, b, i, o); }
    HRESULT STDMETHODCALLTYPE BindToStorage(LPCITEMIDLIST l, IBindCtx* b, REFIID i, void** o) override { return real_->BindToStorage(l, b, i, o); }
    HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM p, LPCITEMIDLIST a, LPCITEMIDLIST b) override { return real_->CompareIDs(p, a, b); }
    HRESULT STDMETHODCALLTYPE CreateViewObject(HWND w, REFIID i, void** o) override { return real_->CreateViewObject(w, i, o); }
    HRESULT STDMETHODCALLTYPE GetDisplayNameOf(LPCITEMIDLIST l, SHGDNF f, STRRET* n) override { return real_->GetDisplayNameOf(l, f, n); }
    HRESULT STDMETHODCALLTYPE SetNameOf(HWND w, LPCITEMIDLIST l, LPCWSTR n, SHGDNF f, LPITEMIDLIST* o) override { return real_->SetNameOf(w, l, n, f, o); }
    HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT n, LPCITEMIDLIST* l, SFGAOF* a) override {
        const HRESULT result = real_->GetAttributesOf(n, l, a);
        *a &= ~hidden_;
        return result;
    }
    HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND w, UINT n, LPCITEMIDLIST* l, REFIID i, UINT* r, void** o) override {
        ++uiObjectsAsked;
        return real_->GetUIObjectOf(w, n, l, i, r, o);
    }
    int uiObjectsAsked = 0;

private:
    ComRef<IShellFolder> real_;
    ULONG hidden_;
};

struct FileItem {
    ComRef<IShellFolder> folder;
    foldertree::ItemIdList item;
};
FileItem ItemOf(const std::string& path) {
    FileItem file;
    const foldertree::ItemIdList absolute = foldertree::PathToIDList(path);
    foldertree::SplitIDList(absolute.Get(), file.folder, file.item);
    return file;
}

class ShellVerbs : public testing::Test {
protected:
    void SetUp() override { testsupport::WriteTextFile(note, "note"); }
    void TearDown() override { DrainModalHook(); }
    testsupport::TestFolder folder;
    const std::string note = folder / "note.txt";
    testsupport::TreeHost host;
};

}  // namespace

// Each verb needs its attribute: without it nothing is tried (not even the menu is built);
// with it the shell carries the verb out, found by its verb where Wine numbers it otherwise.
TEST_F(ShellVerbs, EachVerbRunsOnlyWithItsAttribute) {
    struct Case {
        foldertree::TShellVerb verb;
        ULONG attribute;
        WPARAM answer;  // to the shell's question or the failure message (0: none comes)
        bool done, fileStays;
        Captions clipboard;
    };
    const Case cases[] = {
        {foldertree::svCopy, SFGAO_CANCOPY, 0, true, true, {note}},
        {foldertree::svCut, SFGAO_CANMOVE, 0, true, true, {note}},  // the paste moves
        {foldertree::svDelete, SFGAO_CANDELETE, IDYES, true, false, {}},
        {foldertree::svLink, SFGAO_CANLINK, IDOK, false, true, {}},  // Wine's create-shortcut fails
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verb);
        testsupport::WriteTextFile(note, "note");
        OpenClipboard(nullptr);
        EmptyClipboard();
        CloseClipboard();
        FileItem file = ItemOf(note);
        ASSERT_TRUE(file.folder);
        const auto without = ComRef<MaskedFolder>::Adopt(new MaskedFolder(file.folder.Get(), c.attribute));
        EXPECT_FALSE(foldertree::InvokeShellVerb(host.Handle(), without.Get(), file.item.Get(), c.verb));
        EXPECT_EQ(without->uiObjectsAsked, 0);

        const auto with = ComRef<MaskedFolder>::Adopt(new MaskedFolder(file.folder.Get(), 0));
        std::string answered;
        if (c.answer) AnswerModal(c.answer, &answered);
        EXPECT_EQ(foldertree::InvokeShellVerb(host.Handle(), with.Get(), file.item.Get(), c.verb), c.done);
        EXPECT_FALSE(ModalTestHook::Pending());
        if (c.verb == foldertree::svLink) {
            EXPECT_EQ(answered, " FolderTreeViewEx component version 2.11");
        }
        EXPECT_EQ(Exists(note), c.fileStays);
        EXPECT_EQ(testsupport::ClipboardPaths(), c.clipboard);
    }
}

// Paths: one the desktop parses works like its item; one that does not parse, a direct child
// of the desktop (it has no folder to split off) and a missing window try nothing.
TEST_F(ShellVerbs, OnPathTakesOnlyPathsItCanSplit) {
    EXPECT_FALSE(foldertree::InvokeShellVerbOnPath(nullptr, note, foldertree::svCopy));
    EXPECT_FALSE(foldertree::InvokeShellVerbOnPath(host.Handle(), folder / "missing.txt", foldertree::svCopy));
    EXPECT_FALSE(foldertree::InvokeShellVerbOnPath(host.Handle(), "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}",
                                                   foldertree::svCopy));
    EXPECT_EQ(testsupport::ClipboardPaths(), Captions{});
    EXPECT_TRUE(foldertree::InvokeShellVerbOnPath(host.Handle(), note, foldertree::svCopy));
    EXPECT_EQ(testsupport::ClipboardPaths(), Captions{note});
}

// Wine's folder menu never offers Paste (there is no paste command in an item's menu), so Paste
// answers false quietly, with files on the clipboard or not.
TEST_F(ShellVerbs, PasteIsNotTriedWhereTheMenuOffersNone) {
    ASSERT_TRUE(CreateDirectoryA((folder / "Into").c_str(), nullptr));
    const FileItem into = ItemOf(folder / "Into");
    EXPECT_EQ(foldertree::CarryOutShellVerb(host.Handle(), into.folder.Get(), into.item.Get(), foldertree::svPaste),
              foldertree::VerbOutcome::NotOffered);
    ASSERT_TRUE(foldertree::InvokeShellVerbOnPath(host.Handle(), note, foldertree::svCopy));
    EXPECT_FALSE(foldertree::InvokeShellVerb(host.Handle(), into.folder.Get(), into.item.Get(), foldertree::svPaste));
    EXPECT_FALSE(ModalTestHook::Pending());
    EXPECT_TRUE(Exists(note));
}

// ---- Finding a menu item by its text

TEST(MenuItemText, FindsTheFirstUsableItemWithTheTextAtTheBytePosition) {
    HMENU menu = CreatePopupMenu();
    HMENU sendTo = CreatePopupMenu();
    for (int i = 0; i < 8; ++i) AppendMenuA(sendTo, MF_STRING, 100 + i, "x");  // 8 items: 0x08 in the count byte
    AppendMenuA(menu, MF_STRING, 1, "開く(&O)");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 2, "貼り付け(&P)");
    AppendMenuA(menu, MF_STRING | MF_DISABLED, 3, "貼り付け(&P)");
    AppendMenuA(menu, MF_STRING, 4, "貼り付け(&P)");
    AppendMenuA(menu, MF_STRING, 5, "プロパティ(&P)");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sendTo), "(&S)送る");
    AppendMenuA(menu, MF_STRING, 6, "(&R)(&R)");
    struct Case {
        const char* text;
        int position;
        int expected;
    };
    const Case cases[] = {
        {"(&P)", 9, 5},   // the usable Paste, after the grayed and the disabled one
        {"(&P)", 8, -1},  // one byte before
        {"(&P)", 10, -1}, // one byte after
        {"(&P)", 11, 6},  // プロパティ: five double-byte characters
        {"開く", 1, 1},
        {"(&O)", 5, 1},
        {"(&S)", 1, 7},   // a submenu item
        {"(&R)", 5, -1},  // only the first occurrence counts
        {"(&R)", 1, 8},
        {"閉じる", 1, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(foldertree::FindMenuItemByText(menu, c.text, c.position), c.expected) << c.text << " @" << c.position;
    HMENU empty = CreatePopupMenu();
    EXPECT_EQ(foldertree::FindMenuItemByText(empty, "(&P)", 9), -1);
    DestroyMenu(empty);
    DestroyMenu(menu);
}
