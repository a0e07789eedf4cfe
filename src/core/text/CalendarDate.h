#pragma once
// A day of the calendar, as the printout, the revision date and a made
// material's date hold it. One definition for all of them: two structs of the
// same name in one program are two meanings of one name.

namespace tintora {

struct CalendarDate {
    int year = 0;
    int month = 0;  // 1 ... 12
    int day = 0;  // 1 ... 31
    bool operator==(const CalendarDate&) const = default;
};

}  // namespace tintora
