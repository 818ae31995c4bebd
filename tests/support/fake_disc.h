#pragma once

#include "platform/volume_label.h"
#include "support/temp_folder.h"

#include <string>

// A mount table that names a fake disc as the device of the temp folder's file system, and
// udev's label links giving it the link name (escaped as udev writes it).
volume::Sources fakeDisc(const TempFolder& folder, const std::string& linkName);
