#include "toolkit/DoubleByte.h"

namespace toolkit {

LeadByteTable LeadByteTable::FromRanges(
    std::initializer_list<std::pair<unsigned char, unsigned char>> ranges) {
    LeadByteTable table;
    for (const auto& [first, last] : ranges) table.AddLeadRange(first, last);
    return table;
}

void LeadByteTable::AddLeadRange(unsigned char first, unsigned char last) {
    for (unsigned c = first; c <= last; ++c) lead_[c] = true;
    doubleByte_ = true;
}

const LeadByteTable& LeadByteTable::ShiftJis() {
    static const LeadByteTable table = FromRanges({{0x81, 0x9F}, {0xE0, 0xFC}});
    return table;
}

bool LeadByteTable::IsTrailByte(std::string_view s, std::size_t index) const {
    if (!doubleByte_) return false;
    std::size_t i = 0;
    while (i < index) i += IsLead(static_cast<unsigned char>(s[i])) ? 2 : 1;
    return i > index;
}

bool LeadByteTable::IsTrailByRun(std::string_view s, std::size_t index) const {
    if (!doubleByte_) return false;
    std::size_t run = 0;
    while (run < index && IsLead(static_cast<unsigned char>(s[index - run - 1]))) ++run;
    return run % 2 == 1;
}

std::size_t LeadByteTable::LastDelimiter(std::string_view s, std::string_view delimiters) const {
    for (std::size_t i = s.size(); i-- > 0;) {
        if (delimiters.find(s[i]) != std::string_view::npos && !IsTrailByRun(s, i)) return i;
    }
    return std::string_view::npos;
}

std::size_t LeadByteTable::FirstDelimiter(std::string_view s, std::string_view delimiters) const {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (delimiters.find(s[i]) != std::string_view::npos && !IsTrailByRun(s, i)) return i;
    }
    return std::string_view::npos;
}

std::size_t LeadByteTable::CharacterCount(std::string_view s) const {
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size(); ++count) i += IsLead(static_cast<unsigned char>(s[i])) ? 2 : 1;
    return count;
}

std::string LeadByteTable::LowerCaseAfterFirst(std::string_view s) const {
    std::string lower(s);
    std::size_t i = 0;
    bool first = true;
    while (i < lower.size()) {
        const auto c = static_cast<unsigned char>(lower[i]);
        if (IsLead(c)) {
            i += 2;
        } else {
            if (!first && c >= 'A' && c <= 'Z') lower[i] = static_cast<char>(c - 'A' + 'a');
            ++i;
        }
        first = false;
    }
    return lower;
}

}  // namespace toolkit
