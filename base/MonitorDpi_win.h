// The monitor under the pointer and the DPI it is shown at, for overlays that keep one
// physical size on every monitor.
#pragma once

#include "base/Geometry.h"

#include <windows.h>

#include <cstdint>

HMONITOR MonitorAt(Point p);
// The monitor's effective DPI; 0 where the system cannot tell (before Windows 8.1 there is
// no per-monitor DPI to ask for).
uint32_t MonitorDpi(HMONITOR monitor);

// Tests stand in for the monitors (there is one monitor under Wine); nullptr restores the system's.
using MonitorAtSource = HMONITOR (*)(Point p);
using MonitorDpiSource = uint32_t (*)(HMONITOR monitor);
void SetMonitorDpiForTest(MonitorAtSource monitorAt, MonitorDpiSource monitorDpi);
