#pragma once

#include "archive/intake_model.h"
#include "archive/settings.h"
#include "platform/volume_label.h"

// Refills the intake with the media folder's entries that match the patterns, pattern by pattern
// in the file system's order. Each gets the upper-cased name, the modification time, the size in
// millions of bytes and the position NickName-VolumeLabel. A missing folder gives no entry.
void ScanMediaFolder(IntakeModel& intake, const Settings& settings);

// The label of the media folder's volume, kept for the positions of later scans.
void ReadVolumeLabel(IntakeModel& intake, const Settings& settings, const volume::Sources& sources = {});
