#pragma once
// OLE for the user-interface thread, from program start to exit: the folder tree's shell calls
// and drag and drop need it. The program entry and the test programs hold one.
namespace foldertree {

class OleSession {
public:
    OleSession();
    ~OleSession();
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    bool Initialized() const { return initialized_; }

private:
    bool initialized_;
};

}  // namespace foldertree
