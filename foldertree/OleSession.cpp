#include "foldertree/OleSession.h"

#include <ole2.h>

namespace foldertree {

OleSession::OleSession() : initialized_(SUCCEEDED(OleInitialize(nullptr))) {}

OleSession::~OleSession() {
    if (initialized_) OleUninitialize();
}

}  // namespace foldertree
