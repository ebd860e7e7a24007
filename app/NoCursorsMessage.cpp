#include "app/NoCursorsMessage.h"

#include "icons/IconSource.h"
#include "toolkit/ProgramTexts.h"

namespace {

toolkit::TextId ReasonOf(icons::AnimationDamage damage) {
    switch (damage) {
    case icons::AnimationDamage::ChunkPastEnd: return toolkit::TextId::AniChunkPastEnd;
    case icons::AnimationDamage::NoHeader: return toolkit::TextId::AniNoHeader;
    case icons::AnimationDamage::NoFrames: return toolkit::TextId::AniNoFrames;
    case icons::AnimationDamage::FrameCountMismatch: return toolkit::TextId::AniFrameCountMismatch;
    case icons::AnimationDamage::MissingFrame: return toolkit::TextId::AniMissingFrame;
    default: return toolkit::TextId::AniDamagedFrame;
    }
}

}  // namespace

std::string NoCursorsMessage(const std::string& path) {
    const icons::AnimationDamage damage = icons::AnimatedCursorDamage(path);
    if (damage == icons::AnimationDamage::None) return toolkit::TextWith(toolkit::TextId::DropNoCursors, {path});
    return toolkit::TextWith(toolkit::TextId::DropDamagedCursor, {path, toolkit::Text(ReasonOf(damage))});
}
