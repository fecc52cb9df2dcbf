// A crash leaves a report: an unhandled exception writes a minidump and its context line
// into the folder "crashes" beside the settings file, keeps the newest reports and ends the
// process, which takes its hooks with it. The next start announces the report.
#pragma once

#include <string>

// Sets the handler, the whole process's last resort. Until the settings file is chosen,
// reports go beside the per-user settings file.
void InstallCrashReport();
// The settings file is chosen: reports go beside it from now on.
void SetCrashReportFolder(const std::string& settingsFile);
// The full path of the dump that an earlier run's crash left unannounced, or empty; either
// way nothing is announced twice.
std::wstring TakeCrashAnnouncement();
