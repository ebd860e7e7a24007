#pragma once
// Double-byte character recognition for the ANSI code page (Shift-JIS on the target system).
// Platform-free: the table is filled from the system on Windows, or given by the caller in tests.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <initializer_list>

namespace toolkit {

class LeadByteTable {
public:
    // A single-byte code page: no byte leads a double-byte character.
    LeadByteTable() { lead_.fill(false); }
    static LeadByteTable FromRanges(std::initializer_list<std::pair<unsigned char, unsigned char>> ranges);
    void AddLeadRange(unsigned char first, unsigned char last);
    // Code page 932 (Shift-JIS): lead bytes 0x81-0x9F and 0xE0-0xFC.
    static const LeadByteTable& ShiftJis();

    bool IsDoubleByte() const { return doubleByte_; }
    bool IsLead(unsigned char c) const { return lead_[c]; }

    // True when s[index] is the second byte of a double-byte character, walking from the start.
    bool IsTrailByte(std::string_view s, std::size_t index) const;
    // The path-delimiter rule: s[index] is a trail byte when the run of lead-byte values just before
    // it is odd. (Lead and trail ranges overlap in Shift-JIS, so the run decides.)
    bool IsTrailByRun(std::string_view s, std::size_t index) const;

    // Last / first position of any byte of `delimiters` that is not a trail byte (run rule);
    // npos when there is none.
    std::size_t LastDelimiter(std::string_view s, std::string_view delimiters) const;
    std::size_t FirstDelimiter(std::string_view s, std::string_view delimiters) const;

    // The number of characters of s: a lead byte and the byte after it count as one.
    std::size_t CharacterCount(std::string_view s) const;

    // s with every character after the first in lower case, by character: a double-byte character
    // is kept whole, and of the single bytes only "A"..."Z" change.
    std::string LowerCaseAfterFirst(std::string_view s) const;

private:
    std::array<bool, 256> lead_;
    bool doubleByte_ = false;
};

// The table of the system's ANSI code page (Windows build only).
const LeadByteTable& SystemLeadBytes();

}  // namespace toolkit
