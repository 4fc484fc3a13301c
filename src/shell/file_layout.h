#pragma once
// The layout of the files Save Data writes (shell/export_data.h) and the
// analysis windows read: the columns, numbered from 1 as the readers count
// them, and the lap-time file's version line.

namespace zuv {

// The data file and the alarms file both start with the time and the
// distance.
inline constexpr int kFileTimeColumn = 1;
inline constexpr int kFileDistanceColumn = 2;

// The alarms file goes on with the eight alarm states and ends with the lap
// number; `AlarmsNum` counts the columns read as values, the lap number's
// excluded.
inline constexpr int kAlarmCount = 8;
inline constexpr int kFirstAlarmColumn = 3;
inline constexpr int kLastAlarmColumn = kFirstAlarmColumn + kAlarmCount - 1;
inline constexpr int kAlarmsNum = kLastAlarmColumn;
inline constexpr int kLapNumberColumn = kAlarmsNum + 1;

// The first line of the lap-time file as the export writes it. A data file
// whose lap-time file starts with it has 16 columns (the export writes them
// all); one without it, 15.
inline constexpr char kLapFileVersion[] = "1.4";
inline constexpr int kDataColumnsWithVersion = 16;
inline constexpr int kDataColumnsWithoutVersion = 15;

} // namespace zuv
