#include <windows.h>

#include "toolkit/DoubleByte.h"

namespace toolkit {

const LeadByteTable& SystemLeadBytes() {
    static const LeadByteTable table = [] {
        LeadByteTable t;
        CPINFO info{};
        if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize < 2) return t;
        // LeadByte holds inclusive ranges in pairs, ended by a zero pair.
        for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i]; i += 2)
            t.AddLeadRange(info.LeadByte[i], info.LeadByte[i + 1]);
        return t;
    }();
    return table;
}

}  // namespace toolkit
