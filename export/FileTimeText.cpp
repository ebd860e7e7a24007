#include "export/FileTimeText.h"

namespace iconexport {

namespace {

std::string DateText(const SYSTEMTIME& time) {
    char text[128] = {};
    const int length = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, sizeof text);
    return length > 0 ? std::string(text, length - 1) : std::string();
}

std::string TimeText(const SYSTEMTIME& time) {
    char text[128] = {};
    const int length = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, sizeof text);
    return length > 0 ? std::string(text, length - 1) : std::string();
}

}  // namespace

std::string FileTimeText(const FILETIME& written) {
    FILETIME local{};
    SYSTEMTIME time{};
    if (!FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &time)) return {};
    time.wSecond &= ~1;
    time.wMilliseconds = 0;
    const bool midnight = time.wHour == 0 && time.wMinute == 0 && time.wSecond == 0;
    return midnight ? DateText(time) : DateText(time) + " " + TimeText(time);
}

}  // namespace iconexport
