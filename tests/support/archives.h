#pragma once

#include "archive/archive_model.h"

#include <vector>

// An archive holding the records in this order, its view a copy of it.
ArchiveModel archiveOf(const std::vector<dfilm>& records);
